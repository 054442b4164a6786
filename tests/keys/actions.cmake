keyloom_add_test(key_actions_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/key_actions_test.cpp
    DEPS keyloom_key_actions)
# Real clipboard and synthesised keys on the X server that scripts/test.sh starts.
keyloom_add_test(computer_actions_x11_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/computer_actions_x11_test.cpp
    DEPS keyloom_platform_actions keyloom_key_actions)
# It types into whatever window has the focus: never beside another test that drives the X server.
set_tests_properties(computer_actions_x11_tests PROPERTIES RESOURCE_LOCK x11_input LABELS gui)
