keyloom_add_test(platform_key_names_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/key_names_test.cpp
    DEPS keyloom_key_names)
