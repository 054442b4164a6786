# The platform services every layer may use: INI reading, the program's folders, the
# per-user settings store and the single-instance lock.
keyloom_add_library(keyloom_platform
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/ini_file.cpp
        ${CMAKE_CURRENT_LIST_DIR}/fs_path.cpp
        ${CMAKE_CURRENT_LIST_DIR}/folders.cpp
        ${CMAKE_CURRENT_LIST_DIR}/settings_store.cpp
        ${CMAKE_CURRENT_LIST_DIR}/linux/folders_linux.cpp
        ${CMAKE_CURRENT_LIST_DIR}/linux/atomic_file_linux.cpp
        ${CMAKE_CURRENT_LIST_DIR}/linux/settings_store_linux.cpp
        ${CMAKE_CURRENT_LIST_DIR}/linux/instance_lock_linux.cpp
    DEPS keyloom_text)
