# add_message_table(<target> <file.mc> [<module>]): compiles a message-table source with the toolchain's
# message compiler. The generated header (<name>.h, the message ids) goes on <target>'s public include path;
# the table (resource 1) is linked into <module>, by default <target> itself.
find_program(MESSAGE_COMPILER ${CMAKE_MC_COMPILER} REQUIRED)
function(add_message_table target mc_file)
    set(table_target ${target})
    if(ARGC GREATER 2)
        set(table_target ${ARGV2})
    endif()
    get_filename_component(name ${mc_file} NAME_WE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_mc)
    add_custom_command(
        OUTPUT ${out}/${name}.rc ${out}/${name}.h
        # windmc copies the source's line ends into the texts; the texts must end in CR LF.
        COMMAND ${CMAKE_COMMAND} -DIN=${mc_file} -DOUT=${out}/${name}.mc -P ${PROJECT_SOURCE_DIR}/cmake/ToCrlf.cmake
        COMMAND ${MESSAGE_COMPILER} --customflag -h ${out} -r ${out} ${out}/${name}.mc
        DEPENDS ${mc_file} ${PROJECT_SOURCE_DIR}/cmake/ToCrlf.cmake
        COMMENT "Compiling message table ${name}.mc")
    target_sources(${table_target} PRIVATE ${out}/${name}.rc)
    # Listing the header makes the target's objects wait for it.
    target_sources(${target} PRIVATE ${out}/${name}.h)
    target_include_directories(${target} PUBLIC ${out})
endfunction()
