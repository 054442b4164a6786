# Loopback capture of the computer's sound (the visualiser's input).
pkg_check_modules(KEYLOOM_PULSE REQUIRED IMPORTED_TARGET libpulse)
keyloom_add_library(keyloom_platform_audio
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/linux/audio_capture_linux.cpp
    DEPS keyloom_text PkgConfig::KEYLOOM_PULSE)
