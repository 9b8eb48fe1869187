# add_message_table(<target> <file.mc>): compiles a message-table source with windmc and links the table into
# <target> as resource 1; the generated header (<name>.h, the message ids) is on the target's include path.
function(add_message_table target mc_file)
    get_filename_component(name ${mc_file} NAME_WE)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_mc)
    add_custom_command(
        OUTPUT ${out}/${name}.rc ${out}/${name}.h
        # windmc copies the source's line ends into the texts; the texts must end in CR LF.
        COMMAND ${CMAKE_COMMAND} -DIN=${mc_file} -DOUT=${out}/${name}.mc -P ${PROJECT_SOURCE_DIR}/cmake/ToCrlf.cmake
        COMMAND x86_64-w64-mingw32-windmc --customflag -h ${out} -r ${out} ${out}/${name}.mc
        DEPENDS ${mc_file} ${PROJECT_SOURCE_DIR}/cmake/ToCrlf.cmake
        COMMENT "Compiling message table ${name}.mc")
    target_sources(${target} PRIVATE ${out}/${name}.rc)
    target_include_directories(${target} PRIVATE ${out})
endfunction()
