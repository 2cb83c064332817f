# Where things are installed, and the run paths that let an installation
# work from any prefix (/usr, /opt/ravo, a temporary directory) without
# LD_LIBRARY_PATH or ldconfig: every program and library finds ours
# relative to its own place ($ORIGIN).
include_guard(GLOBAL)
include(GNUInstallDirs)

# ravo_install_relative(<out> <from-dir> <to-path>)
# The path from one install directory to another, both given relative to
# the prefix.  An absolute <to-path> is kept; with an absolute <from-dir>
# the prefix is fixed, so the absolute target path is given.
function(ravo_install_relative out from to)
  if(IS_ABSOLUTE "${to}")
    set(${out} "${to}" PARENT_SCOPE)
  elseif(IS_ABSOLUTE "${from}")
    set(${out} "${CMAKE_INSTALL_PREFIX}/${to}" PARENT_SCOPE)
  else()
    file(RELATIVE_PATH relative /prefix/${from} /prefix/${to})
    string(REGEX REPLACE "/$" "" relative "${relative}")
    if(relative STREQUAL "")
      set(relative .)
    endif()
    set(${out} "${relative}" PARENT_SCOPE)
  endif()
endfunction()

# ravo_set_install_rpath(<target> <install-dir>)
# The installed <target> in <install-dir> finds the public libraries
# relative to itself.  The utility opens libheron and libegret by file
# name, and dlopen searches the run path of the program that calls it.
function(ravo_set_install_rpath target dir)
  ravo_install_relative(relative ${dir} ${CMAKE_INSTALL_LIBDIR})
  if(IS_ABSOLUTE "${relative}")
    set(rpath "${relative}")
  elseif(relative STREQUAL ".")
    set(rpath "$ORIGIN")
  else()
    set(rpath "$ORIGIN/${relative}")
  endif()
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "${rpath}")
endfunction()

# ravo_install_man_page(<file.N> COMPONENT <component>)
# Installs a manual page (section N from its name) compressed, as manual
# readers and Debian expect: gzip -9n keeps no name or time, so the
# installed file does not change from build to build.
function(ravo_install_man_page file)
  cmake_parse_arguments(ARG "" "COMPONENT" "" ${ARGN})
  get_filename_component(source ${file} ABSOLUTE)
  get_filename_component(name ${file} NAME)
  string(REGEX MATCH "[0-9]$" section "${name}")
  set(out ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND gzip -9n -c ${source} > ${out}
    DEPENDS ${source} VERBATIM)
  string(MAKE_C_IDENTIFIER "man_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${out})
  install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section}
          COMPONENT ${ARG_COMPONENT})
endfunction()
