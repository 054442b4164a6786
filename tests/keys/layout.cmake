keyloom_add_test(keys_layout_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/key_layout_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/key_display_name_test.cpp
    DEPS keyloom_keys)
