# add_generated_icons(<target> <name> "<images>" [<name> "<images>" ...]): makes the icon file <name>.ico with
# make-icons.py (<images>: SIZE:BITS:R,G,B descriptions separated by spaces) in a folder of the target's own,
# which goes on the target's include path, so that its resource scripts name the file as "<name>.ico". The
# target's resource scripts are compiled again when an icon changes.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
function(add_generated_icons target)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_icons)
    set(script ${PROJECT_SOURCE_DIR}/cmake/make-icons.py)
    set(args ${ARGN})
    set(icons)
    while(args)
        list(POP_FRONT args name images)
        separate_arguments(images)
        add_custom_command(
            OUTPUT ${dir}/${name}.ico
            COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
            COMMAND Python3::Interpreter ${script} ${dir}/${name}.ico ${images}
            DEPENDS ${script}
            VERBATIM)
        list(APPEND icons ${dir}/${name}.ico)
    endwhile()
    target_sources(${target} PRIVATE ${icons})
    target_include_directories(${target} PRIVATE ${dir})
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.rc$")
    set_property(SOURCE ${sources} APPEND PROPERTY OBJECT_DEPENDS ${icons})
endfunction()
