# Hot-plug notifications: the identity a hidraw event carries, and the monitor's life cycle.
keyloom_add_test(hotplug_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/hotplug_monitor_test.cpp
    DEPS keyloom_platform_hotplug
    LABELS threaded)
