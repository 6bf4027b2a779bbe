# Installs the build under a fresh prefix and checks that the program, its
# desktop entry and its icon are where a desktop looks for them.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path bin/kestrafo bin/kestrafo-review share/man/man1/kestrafo-review.1.gz
             share/applications/org.kestrafo.Kestrafo.desktop
             share/icons/hicolor/scalable/apps/kestrafo.svg
             share/metainfo/org.kestrafo.Kestrafo.metainfo.xml share/man/man1/kestrafo.1.gz
             share/doc/kestrafo/copyright share/doc/kestrafo/changelog.gz)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(STRINGS "${PREFIX}/share/applications/org.kestrafo.Kestrafo.desktop" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=kestrafo")
    message(FATAL_ERROR "the desktop entry starts '${exec}'")
endif()
