# The Windows build, cross-compiled with MinGW-w64 against a static Qt: every
# program carries its C and C++ runtime, so that it needs no DLL beside it.
add_link_options(-static)

# Windows programs built here run under Wine: the tests, and what the tests
# start.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/windows/wine_run.sh)
endif()

# What make windows puts in dist/ for the students, and the tests install.
set(KESTRAFO_INSTALLER ${PROJECT_SOURCE_DIR}/dist/kestrafo-${PROJECT_VERSION}-setup.exe)

# The program's icon for the Explorer and the Start menu, made from the one
# drawing in data/.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ICOTOOL icotool REQUIRED)
set(KESTRAFO_ICON ${CMAKE_BINARY_DIR}/kestrafo.ico)
set(icon_pngs)
set(icon_commands)
# The largest size goes in as PNG, the others as bitmaps for older Windows.
foreach(size 16 32 48 256)
    set(png ${CMAKE_BINARY_DIR}/icon/kestrafo-${size}.png)
    if(size LESS 256)
        list(APPEND icon_pngs ${png})
    endif()
    list(APPEND icon_commands COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
         ${PROJECT_SOURCE_DIR}/data/kestrafo.svg)
endforeach()
add_custom_command(
    OUTPUT ${KESTRAFO_ICON}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icon
    ${icon_commands}
    COMMAND ${ICOTOOL} -c -o ${KESTRAFO_ICON} ${icon_pngs} -r ${CMAKE_BINARY_DIR}/icon/kestrafo-256.png
    DEPENDS ${PROJECT_SOURCE_DIR}/data/kestrafo.svg
    COMMENT "Making the program's icon"
    VERBATIM)
# The icon is used in other folders' targets, which see only targets.
add_custom_target(kestrafo_icon DEPENDS ${KESTRAFO_ICON})
set(KESTRAFO_WINDOWS_RESOURCES ${CMAKE_BINARY_DIR}/kestrafo.rc)
file(WRITE ${KESTRAFO_WINDOWS_RESOURCES} "1 ICON \"${KESTRAFO_ICON}\"\n")
