# Device arrival and removal notifications (libudev monitor on hidraw).
pkg_check_modules(KEYLOOM_UDEV REQUIRED IMPORTED_TARGET libudev)
find_package(Threads REQUIRED)
keyloom_add_library(keyloom_platform_hotplug
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/linux/hotplug_monitor_linux.cpp
    DEPS PkgConfig::KEYLOOM_UDEV Threads::Threads)
