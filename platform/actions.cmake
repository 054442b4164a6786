# Computer-side actions: programs, addresses, clipboard and synthesised paste.
pkg_check_modules(KEYLOOM_ACTIONS_DEPS REQUIRED IMPORTED_TARGET gtk+-3.0 x11 xtst)
keyloom_add_library(keyloom_platform_actions
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/linux/computer_actions_linux.cpp
    DEPS keyloom_text PkgConfig::KEYLOOM_ACTIONS_DEPS)
