# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# Debian builds every package with the flags dpkg-buildflags gives for its
# release: fortified C library calls, the stack protector, read-only
# relocations (on Debian 13 also stack clash protection and control flow
# protection), and the format warnings that go with them. Every build of the
# program takes them here, the package's and the tests' alike, so that the
# program the tests run is the program the package holds. Immediate binding
# is asked for on top, as Debian's hardening=+bindnow does: measured with the
# start-up benchmark, it costs the program nothing that shows.
#
# The optimisation and debug information are the build type's (Debian's own
# -O2 -g are RelWithDebInfo's); the source and build folders are mapped
# already, so dpkg-buildflags' map of the folder it runs in is left out.
# The sanitizer and fuzzer builds go without: they check the code, and the
# fortified calls would stand between the sanitizer and the calls it watches.
# So does a Debug build, as fortified calls need the optimiser.
option(TOLVAREN_DEBIAN_FLAGS "Build with Debian's build flags (dpkg-buildflags), as the package is" ON)
if(NOT TOLVAREN_DEBIAN_FLAGS OR TOLVAREN_SANITIZE OR TOLVAREN_FUZZ OR CMAKE_BUILD_TYPE STREQUAL "Debug")
  return()
endif()
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(FATAL_ERROR "Debian's build flags come from dpkg-buildflags (package dpkg-dev); "
                      "configure with -DTOLVAREN_DEBIAN_FLAGS=OFF to build without them")
endif()

# Applies them to every target of this folder and those below it.
function(tolvaren_use_debian_flags)
  string(STRIP "$ENV{DEB_BUILD_MAINT_OPTIONS} hardening=+bindnow" maint_options)
  foreach(variable CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=${maint_options}"
                            ${DPKG_BUILDFLAGS} --get ${variable}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(O.*|g.*|ffile-prefix-map=.*)$")
    set(${variable} ${flags})
  endforeach()
  set(compile_flags ${CPPFLAGS} ${CXXFLAGS})
  list(JOIN compile_flags " " shown_compile)
  list(JOIN LDFLAGS " " shown_link)
  message(STATUS "Debian's build flags: ${shown_compile}; linking: ${shown_link}")
  add_compile_options(${compile_flags})
  add_link_options(${LDFLAGS})
endfunction()
tolvaren_use_debian_flags()
