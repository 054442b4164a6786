keyloom_add_test(platform_core_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/ini_file_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/folders_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/settings_store_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/instance_lock_test.cpp
    DEPS keyloom_platform)
