# Compile options every target of the project shares.

add_library(keyloom_options INTERFACE)
target_include_directories(keyloom_options INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(keyloom_options INTERFACE
    -Wall -Wextra -Wpedantic -Werror
    -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough)

if(KEYLOOM_SANITIZE STREQUAL "address")
  set(_keyloom_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
elseif(KEYLOOM_SANITIZE STREQUAL "thread")
  set(_keyloom_san -fsanitize=thread -fno-omit-frame-pointer)
elseif(NOT KEYLOOM_SANITIZE STREQUAL "")
  message(FATAL_ERROR "KEYLOOM_SANITIZE must be '', 'address' or 'thread'")
endif()
if(_keyloom_san)
  add_compile_options(${_keyloom_san})
  add_link_options(${_keyloom_san})
endif()

find_package(PkgConfig REQUIRED)

# keyloom_add_library(NAME SOURCES... [DEPS targets...])
# A static library of one layer of the program.
function(keyloom_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC keyloom_options ${ARG_DEPS})
endfunction()

# keyloom_add_test(NAME SOURCES... [DEPS targets...] [LABELS labels...])
# One GoogleTest executable, registered with CTest as one test. Tests labelled
# "threaded" are also run under ThreadSanitizer.
function(keyloom_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE keyloom_options ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE KEYLOOM_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
      LABELS "${ARG_LABELS}"
      ENVIRONMENT "GTEST_COLOR=no")
endfunction()
