# The gtk backend of the platform seam, compiled into the tessera shared library.
pkg_check_modules(TESSERA_GTK REQUIRED IMPORTED_TARGET gtk+-3.0)

target_sources(tessera PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/gtk_input_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/alpha_shape.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gtk_platform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gtk_native_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gtk_native_edit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gtk_native_tooltip.cpp)
target_link_libraries(tessera PRIVATE PkgConfig::TESSERA_GTK)

# Synthetic input for self-tests and end-to-end runs.
pkg_check_modules(TESSERA_XTEST REQUIRED IMPORTED_TARGET x11 xtst)
target_sources(tessera PRIVATE ${CMAKE_CURRENT_LIST_DIR}/synthetic_input.cpp)
target_link_libraries(tessera PRIVATE PkgConfig::TESSERA_XTEST)
