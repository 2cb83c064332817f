# Installs a CMake package config and a pkg-config file for each public
# library that registers itself with ravo_install_library(), plus the
# package of the port library they depend on.  The library itself goes to
# the install component named after it (one Debian package each); headers,
# the unversioned link and the package files to the component "dev".
include_guard(GLOBAL)
include(CMakePackageConfigHelpers)
include(GNUInstallDirs)
include(RavoInstallLayout)

# Paths are spelled out in the functions: variables set here would only
# exist in the directory that included this file first.

# Writes <Package>Config.cmake and <Package>ConfigVersion.cmake and
# installs them beside the exported targets.
function(_ravo_install_config package)
  set(dir ${CMAKE_BINARY_DIR}/packaging/${package})
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/packaging/PackageConfig.cmake.in
    ${dir}/${package}Config.cmake INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/${package})
  write_basic_package_version_file(${dir}/${package}ConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${dir}/${package}Config.cmake ${dir}/${package}ConfigVersion.cmake
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/${package} COMPONENT dev)
  install(EXPORT ${package}Targets NAMESPACE ${package}::
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/${package} COMPONENT dev)
endfunction()

# The port library's package (Ravoio::ravoio); installed once, by the first
# library that needs it.
function(_ravo_install_ravoio_package)
  get_property(done GLOBAL PROPERTY RAVO_RAVOIO_PACKAGE)
  if(done)
    return()
  endif()
  set_property(GLOBAL PROPERTY RAVO_RAVOIO_PACKAGE ON)
  set(RAVO_PACKAGE_DEPENDENCY "")
  _ravo_install_config(Ravoio)
  _ravo_install_pkgconfig(ravoio "Port library for thermal printers: USB, serial, parallel, TCP")
endfunction()

# <target>.pc, with paths relative to the .pc file so that the prefix may
# move.
function(_ravo_install_pkgconfig target description)
  file(RELATIVE_PATH RAVO_PC_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
  string(REGEX REPLACE "/$" "" RAVO_PC_PREFIX "${RAVO_PC_PREFIX}")
  set(RAVO_PC_NAME ${target})
  set(RAVO_PC_DESCRIPTION ${description})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/packaging/library.pc.in
                 ${CMAKE_BINARY_DIR}/packaging/${target}.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${target}.pc
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
endfunction()

# ravo_install_library(<target> PACKAGE <Name> HEADERS <h>... DESCRIPTION <text>)
# Installs the shared library, its public headers, the package <Name>
# (target <Name>::<target>, which brings Ravoio::ravoio) and <target>.pc.
function(ravo_install_library target)
  cmake_parse_arguments(ARG "" "PACKAGE;DESCRIPTION" "HEADERS" ${ARGN})
  _ravo_install_ravoio_package()
  # The port library sits beside it, wherever the prefix is moved to.
  ravo_set_install_rpath(${target} ${CMAKE_INSTALL_LIBDIR})
  target_link_libraries(${target} PUBLIC ravoio)
  install(TARGETS ${target} EXPORT ${ARG_PACKAGE}Targets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${target} NAMELINK_COMPONENT dev
          INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  list(TRANSFORM ARG_HEADERS PREPEND ${PROJECT_SOURCE_DIR}/include/)
  install(FILES ${ARG_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev)
  set(RAVO_PACKAGE_DEPENDENCY "find_dependency(Ravoio ${PROJECT_VERSION})")
  _ravo_install_config(${ARG_PACKAGE})
  _ravo_install_pkgconfig(${target} "${ARG_DESCRIPTION}")
endfunction()
