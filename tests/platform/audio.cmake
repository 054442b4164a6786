# Loopback capture against a sound server. The tests that need one run only when
# PULSE_SERVER names a private server (scripts/test.sh starts one with a null sink).
pkg_check_modules(KEYLOOM_PULSE_SIMPLE REQUIRED IMPORTED_TARGET libpulse-simple)
keyloom_add_test(platform_audio_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/audio_capture_test.cpp
    DEPS keyloom_platform_audio PkgConfig::KEYLOOM_PULSE_SIMPLE)
# The audio tests change the shared server's default sink: never two at once.
set_tests_properties(platform_audio_tests PROPERTIES RESOURCE_LOCK keyloom_sound_server)
