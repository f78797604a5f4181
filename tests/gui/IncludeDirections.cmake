# The window's folders include one another one way only: src/view and
# src/dialogs both build on src/gui, never on each other, and src/gui on
# neither; no window folder includes the start-up in src/app. A crossing makes
# the two folders one unit again, so it fails here with the file and its line.
# Within src/view only the main window's own file includes MainForm.h: its
# units see the window through their interfaces (view/WindowStatus.h).
#
#   cmake -DSOURCE_DIR=<folder holding view, dialogs and gui> -P IncludeDirections.cmake

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "SOURCE_DIR is not set")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

# folder -> the folders it must not include
set(forbidden_view dialogs app)
set(forbidden_dialogs view app)
set(forbidden_gui view dialogs app)

set(crossings "")
foreach(folder view dialogs gui)
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include")
        get_filename_component(name "${source}" NAME)
        foreach(line IN LISTS lines)
            if(folder STREQUAL "view" AND NOT name STREQUAL "MainForm.cpp"
               AND line MATCHES "[\"<]view/MainForm\\.h")
                file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
                string(STRIP "${line}" line)
                list(APPEND crossings "${shown}: ${line}")
            endif()
            foreach(other IN LISTS forbidden_${folder})
                if(line MATCHES "[\"<]${other}/")
                    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
                    string(STRIP "${line}" line)
                    list(APPEND crossings "${shown}: ${line}")
                endif()
            endforeach()
        endforeach()
    endforeach()
endforeach()

if(crossings)
    list(JOIN crossings "\n  " text)
    message(FATAL_ERROR "Includes against the direction gui <- view, gui <- dialogs, "
                        "or of the main window by its units:\n  ${text}")
endif()
