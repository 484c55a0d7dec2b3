# StormLib as the target StormLib::storm, the name vcpkg's port exports.
# On Debian it comes from libstorm-dev; elsewhere from a CMake package config.
if(TARGET StormLib::storm)
  return()
endif()

find_package(StormLib CONFIG QUIET)
if(TARGET StormLib::storm)
  return()
endif()

find_path(STORMLIB_INCLUDE_DIR StormLib.h)
find_library(STORMLIB_LIBRARY NAMES storm stormlib StormLib)
if(NOT STORMLIB_INCLUDE_DIR OR NOT STORMLIB_LIBRARY)
  message(FATAL_ERROR "StormLib not found: install libstorm-dev (scripts/install-deps.sh) "
                      "or set STORMLIB_INCLUDE_DIR and STORMLIB_LIBRARY")
endif()

add_library(StormLib::storm UNKNOWN IMPORTED)
set_target_properties(StormLib::storm PROPERTIES
  IMPORTED_LOCATION "${STORMLIB_LIBRARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${STORMLIB_INCLUDE_DIR}")
message(STATUS "StormLib: ${STORMLIB_LIBRARY}")
