# The platform services every layer may use: INI reading, the program's folders, the
# per-user settings store and the single-instance lock.
keyloom_add_library(keyloom_platform
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/ini_file.cpp
        ${CMAKE_CURRENT_LIST_DIR}/fs_path.cpp
        ${CMAKE_CURRENT_LIST_DIR}/folders.cpp
        ${CMAKE_CURRENT_LIST_DIR}/linux/folders_linux.cpp
    DEPS keyloom_text)
