# Carrying out the keyboard's application, website and text keys (portable; the desktop's
# side comes in through ComputerActions).
keyloom_add_library(keyloom_key_actions
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/key_actions.cpp
    DEPS keyloom_store)
