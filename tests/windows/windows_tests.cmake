# The Windows test programs run under Wine (the cross-compiling emulator), in
# a prefix of the build tree that the wine_prefix test makes anew. Its
# c:\kestrafo is the working folder of the tests that use one, so those run
# one at a time.
set(KESTRAFO_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)

function(kestrafo_windows_test name)
    # A static Qt links only the default platform plugin by itself; the tests
    # need the offscreen one instead.
    qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin
                              EXCLUDE Qt6::QWindowsIntegrationPlugin)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "WINEPREFIX=${KESTRAFO_WINEPREFIX}")
    set_tests_properties(${name} PROPERTIES LABELS windows FIXTURES_REQUIRED wine_prefix
                                            RESOURCE_LOCK drive_c)
endfunction()
