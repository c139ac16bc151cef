# Debian's hardening for everything this build compiles and links, as a
# Debian package build gets it from dpkg-buildflags: stack protector, fortified
# C library calls, format checks, read-only relocations bound at start
# (relro, bind-now). One build folder serves `make run`, `make test` and
# `make package`, so the programs tested are the programs packaged.
# The optimisation and debug flags stay the build type's. The fuzz build
# (clang, sanitizers) goes without: fortified calls would hide faults from it.
option(TESSARO_HARDENING "Debian's hardening flags (dpkg-buildflags)" ON)
if(TESSARO_FUZZ)
  set(TESSARO_HARDENING OFF)
endif()

if(TESSARO_HARDENING)
  find_program(DPKG_BUILDFLAGS dpkg-buildflags)
  if(NOT DPKG_BUILDFLAGS)
    message(FATAL_ERROR "dpkg-buildflags (dpkg-dev) is missing: bash scripts/install-deps.sh")
  endif()

  function(tessaro_buildflags name out_var)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${DPKG_BUILDFLAGS} --get ${name}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(g|O[0-9s]?|f[a-z]*-prefix-map=.*)$")
    set(${out_var} ${flags} PARENT_SCOPE)
  endfunction()

  tessaro_buildflags(CPPFLAGS cppflags)
  tessaro_buildflags(CXXFLAGS cxxflags)
  tessaro_buildflags(LDFLAGS ldflags)
  # Fortified calls need the optimiser; an unoptimised build would warn in every file.
  list(TRANSFORM cppflags REPLACE "^(-D_FORTIFY_SOURCE.*)$" "$<$<NOT:$<CONFIG:Debug>>:\\1>")
  add_compile_options(${cppflags} ${cxxflags})
  add_link_options(${ldflags})
  message(STATUS "Hardening: ${cppflags} ${cxxflags} ${ldflags}")
endif()
