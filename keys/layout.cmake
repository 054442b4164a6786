# The key layout table and the key code conversions.
keyloom_add_library(keyloom_keys
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/key_layout.cpp
        ${CMAKE_CURRENT_LIST_DIR}/key_codes.cpp
        ${CMAKE_CURRENT_LIST_DIR}/key_display_name.cpp
    DEPS keyloom_key_names)
