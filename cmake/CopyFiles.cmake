# sheetwright_copy_files(TARGET SOURCE_DIR DEST_DIR FILE...): a target, built with
# ALL, that copies each FILE from SOURCE_DIR to DEST_DIR when it changes, so a
# Python package can be used from the build tree as it will be installed.
include_guard(GLOBAL)

function(sheetwright_copy_files target source_dir dest_dir)
    set(copied)
    foreach(f IN LISTS ARGN)
        add_custom_command(OUTPUT ${dest_dir}/${f}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source_dir}/${f} ${dest_dir}/${f}
            DEPENDS ${source_dir}/${f})
        list(APPEND copied ${dest_dir}/${f})
    endforeach()
    add_custom_target(${target} ALL DEPENDS ${copied})
endfunction()
