# The system's key names (xkbcommon's keysym names on Linux).
pkg_check_modules(XKBCOMMON REQUIRED IMPORTED_TARGET xkbcommon)
keyloom_add_library(keyloom_key_names
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/linux/key_names_linux.cpp
    DEPS keyloom_text PkgConfig::XKBCOMMON)
