# Shared build rules: warnings, sanitizers, and the one-library-per-folder and
include(GoogleTest)
# one-test-executable-per-folder conventions.

set(ORDEXIA_WARNINGS -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor
    -Wcast-align -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
if(ORDEXIA_WERROR)
  list(APPEND ORDEXIA_WARNINGS -Werror)
endif()

if(ORDEXIA_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(ORDEXIA_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT ORDEXIA_SANITIZE STREQUAL "")
  message(FATAL_ERROR "Unknown ORDEXIA_SANITIZE value '${ORDEXIA_SANITIZE}'")
endif()

function(ordexia_warnings target)
  target_compile_options(${target} PRIVATE ${ORDEXIA_WARNINGS})
endfunction()

# ordexia_library(<target> [DEPS <targets...>])
# Builds every .cpp of the calling folder into a static library. Includes are
# written from the project root ("platform/winapi/WinTypes.h").
function(ordexia_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    # Headers only, for now.
    add_library(${target} INTERFACE ${headers})
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${target} STATIC ${sources} ${headers})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  ordexia_warnings(${target})
endfunction()

# ordexia_tests(<folder-name> LABEL <label> [DEPS <targets...>] [THREADED] [MAIN <file>])
# One GoogleTest executable per test folder, from every *_test.cpp in it.
# THREADED marks tests that run threads without Qt, for the ThreadSanitizer run.
# MAIN names a source file of the folder holding the test program's own main
# (for instance one that creates a QApplication) instead of GoogleTest's.
function(ordexia_tests name)
  cmake_parse_arguments(ARG "THREADED" "LABEL;MAIN" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  if(ORDEXIA_SANITIZE STREQUAL "thread" AND NOT ARG_THREADED)
    return()
  endif()
  set(target test_${name})
  if(ARG_MAIN)
    add_executable(${target} ${sources} ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_MAIN})
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest Threads::Threads)
  else()
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main Threads::Threads)
  endif()
  ordexia_warnings(${target})
  # One label per executable: the generated test properties cannot carry a
  # list. "-L threads" still selects "<label>-threads" (ctest takes a regex).
  set(label ${ARG_LABEL})
  if(ARG_THREADED)
    set(label ${ARG_LABEL}-threads)
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${label} ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endfunction()

# ordexia_benchmark(<name> [DEPS <targets...>]) from <name>.cpp in bench/.
function(ordexia_benchmark name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
    message(WARNING "Benchmark ${name}.cpp is listed but missing; skipped")
    return()
  endif()
  add_executable(bench_${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  target_link_libraries(bench_${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  ordexia_warnings(bench_${name})
endfunction()
