# GeographicLib, used only as a test and benchmark oracle.
# Provides GeographicLib::GeographicLib.
find_path(GeographicLib_INCLUDE_DIR GeographicLib/Config.h)
find_library(GeographicLib_LIBRARY NAMES GeographicLib Geographic)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(GeographicLib REQUIRED_VARS GeographicLib_LIBRARY GeographicLib_INCLUDE_DIR)

if(GeographicLib_FOUND AND NOT TARGET GeographicLib::GeographicLib)
    add_library(GeographicLib::GeographicLib UNKNOWN IMPORTED)
    set_target_properties(GeographicLib::GeographicLib PROPERTIES
        IMPORTED_LOCATION "${GeographicLib_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${GeographicLib_INCLUDE_DIR}")
endif()
mark_as_advanced(GeographicLib_INCLUDE_DIR GeographicLib_LIBRARY)
