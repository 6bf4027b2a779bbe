# Debian's hardening flags (fortify, stack protector, relro, bind-now) for
# every build, as dpkg-buildflags gives them. Optimisation and debug flags
# stay with the build type.
option(KESTRAFO_HARDENING "Build with the flags of dpkg-buildflags" ON)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(KESTRAFO_HARDENING AND DPKG_BUILDFLAGS)
    function(kestrafo_buildflags kind out)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    ${DPKG_BUILDFLAGS} --get ${kind}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        list(FILTER flags EXCLUDE REGEX "^-(g|O.*|ffile-prefix-map=.*)$")
        set(${out} ${flags} PARENT_SCOPE)
    endfunction()
    kestrafo_buildflags(CPPFLAGS cppflags)
    kestrafo_buildflags(CXXFLAGS cxxflags)
    kestrafo_buildflags(LDFLAGS ldflags)
    add_compile_options(${cppflags} ${cxxflags})
    add_link_options(${ldflags})
    message(STATUS "Hardening: ${cppflags} ${cxxflags} ${ldflags}")
endif()
