# Installs a CMake package config and a pkg-config file for each public
# library that registered itself with ravo_install_library().
include(CMakePackageConfigHelpers)
