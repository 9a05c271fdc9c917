# Shared build rules: warnings, sanitizers, and the one-library-per-folder and
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

# Line tables are all that back traces and sanitizer reports read; full
# debug information doubles the compile time of most files.
# GCC 12 takes some std::string copies for out-of-bounds writes once the
# library comes from a precompiled header (known false positives of its
# -Warray-bounds and -Wstringop-* family); the AddressSanitizer run checks
# real bounds.
if(ORDEXIA_LEAN_BUILD)
  add_compile_options(-g1 "$<$<CXX_COMPILER_ID:GNU>:-Wno-array-bounds;-Wno-stringop-overflow;-Wno-stringop-overread>")
endif()
# Sanitizer builds run every test: at -O1 they run several times faster than
# unoptimised, with the same line numbers in the reports.
# The sanitizers' instrumentation also leads GCC's maybe-uninitialized
# analysis astray inside the standard library (std::regex's states); the
# normal build keeps that warning.
if(NOT ORDEXIA_SANITIZE STREQUAL "")
  add_compile_options(-O1 "$<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>")
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

# ordexia_link_every_form_class(<executable>)
# Form classes register themselves from static initialisers that nothing
# else refers to: a program that reads forms takes every object of these
# libraries, or the linker would leave out the classes its forms name.
set(ORDEXIA_FORM_CLASS_LIBRARIES platform_classlib platform_chart platform_htmlhelp components_foundations
    components_controls shell_services screens shell_host)
function(ordexia_link_every_form_class target)
  set(archives "")
  foreach(library IN LISTS ORDEXIA_FORM_CLASS_LIBRARIES)
    if(TARGET ${library})
      string(APPEND archives " $<TARGET_FILE:${library}>")
      add_dependencies(${target} ${library})
    endif()
  endforeach()
  target_link_options(${target} PRIVATE "SHELL:-Wl,--whole-archive${archives} -Wl,--no-whole-archive")
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
  # Test code needs no more than -O1, which compiles it a third faster.
  if(ORDEXIA_LEAN_BUILD)
    target_compile_options(${target} PRIVATE -O1)
  endif()
  set(label ${ARG_LABEL})
  if(ARG_THREADED)
    set(label ${ARG_LABEL}-threads)
  endif()
  list(LENGTH sources source_count)
  ordexia_add_test_shards(${target} ${label} ${source_count})
endfunction()

# ordexia_add_test_shards(<target> <label> <source-count>)
# Starting a test program costs more than most of its tests (Qt, fonts, the
# sanitizers' start-up), so each program runs as a few CTest tests, each one
# GoogleTest shard run in one process: one shard per six test files, at most
# eight, so that the shards still spread over the cores.
function(ordexia_add_test_shards target label source_count)
  math(EXPR shard_count "(${source_count} + 5) / 6")
  if(shard_count GREATER 8)
    set(shard_count 8)
  endif()
  math(EXPR last_shard "${shard_count} - 1")
  foreach(shard RANGE ${last_shard})
    set(test_name ${target}/${shard})
    add_test(NAME ${test_name} COMMAND ${target})
    set_tests_properties(${test_name} PROPERTIES
      LABELS ${label}
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;GTEST_TOTAL_SHARDS=${shard_count};GTEST_SHARD_INDEX=${shard}")
  endforeach()
  set_property(TARGET ${target} PROPERTY ORDEXIA_TEST_SHARDS ${shard_count})
endfunction()

# ordexia_set_test_shard_properties(<target> <property> <value> ...)
# Sets CTest properties on every shard of a test program.
function(ordexia_set_test_shard_properties target)
  get_property(shard_count TARGET ${target} PROPERTY ORDEXIA_TEST_SHARDS)
  math(EXPR last_shard "${shard_count} - 1")
  foreach(shard RANGE ${last_shard})
    set_tests_properties(${target}/${shard} PROPERTIES ${ARGN})
  endforeach()
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

# ordexia_precompile_headers()
# Nearly every file of ours includes the standard library, Qt's widget and
# drawing headers and, in tests, GoogleTest: they are parsed once into a
# precompiled header. The targets built with Qt share one (tests one with
# GoogleTest too), made by the first of them: a precompiled header takes
# longer to build than a batch of sources. The link layer, the WCU simulator
# and the program-process harness build without the user-interface toolkit
# and with other flags, so each parses the standard library into its own; the
# screenshot harness uses Qt's drawing library alone, so it has its own too.
set(ORDEXIA_PCH_STANDARD <algorithm> <array> <atomic> <chrono> <cstdint> <cstring> <filesystem> <functional>
    <map> <memory> <mutex> <optional> <sstream> <string> <string_view> <thread> <utility> <vector>)
set(ORDEXIA_PCH_QT <QColor> <QEvent> <QFont> <QImage> <QObject> <QPainter> <QString>)
set(ORDEXIA_PCH_WITHOUT_QT link wcu_simulator_core wcu_simulator Ordexia test_link test_link_thread program_process)
set(ORDEXIA_PCH_QT_GUI_ONLY program_screen)

function(ordexia_precompile_headers)
  ordexia_collect_targets(${PROJECT_SOURCE_DIR} targets)
  set(qt_donor "")
  set(qt_test_donor "")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|EXECUTABLE)$")
      continue()
    endif()
    get_target_property(libraries ${target} LINK_LIBRARIES)
    set(tested OFF)
    if(libraries AND "GTest::gtest" IN_LIST libraries)
      set(tested ON)
    endif()
    if(target IN_LIST ORDEXIA_PCH_WITHOUT_QT)
      set(headers ${ORDEXIA_PCH_STANDARD})
      if(tested)
        list(APPEND headers <gtest/gtest.h>)
      endif()
      target_precompile_headers(${target} PRIVATE ${headers})
    elseif(target IN_LIST ORDEXIA_PCH_QT_GUI_ONLY)
      target_precompile_headers(${target} PRIVATE ${ORDEXIA_PCH_STANDARD} ${ORDEXIA_PCH_QT})
    elseif(tested)
      ordexia_share_precompiled_header(${target} qt_test_donor ${ORDEXIA_PCH_STANDARD} ${ORDEXIA_PCH_QT} <gtest/gtest.h>)
    else()
      ordexia_share_precompiled_header(${target} qt_donor ${ORDEXIA_PCH_STANDARD} ${ORDEXIA_PCH_QT})
    endif()
  endforeach()
endfunction()

# The first target of a kind makes the header; the others reuse it.
macro(ordexia_share_precompiled_header target donor)
  if(${donor} STREQUAL "")
    target_precompile_headers(${target} PRIVATE ${ARGN})
    set(${donor} ${target})
  else()
    target_precompile_headers(${target} REUSE_FROM ${${donor}})
  endif()
endmacro()

# A unity build compiles a target's sources in batches, one compiler run per
# batch instead of per file: it parses the standard library, Qt and GoogleTest
# once for many files. These sources compile alone: each defines file-local
# helpers under names another source of its target uses too, so that together
# they would clash or, worse, call each other's helper.
set(ORDEXIA_UNITY_ALONE
  components/controls/SCLFillObject.cpp
  components/controls/SCLSpeedButton.cpp
  components/controls/Sclaboutdlg_Picture.cpp
  components/controls/Sclformstyler.cpp
  components/controls/Sclregion.cpp
  components/controls/Sclregionborder.cpp
  components/controls/Sclrgnshapes.cpp
  components/foundations/Scl3dcaption.cpp
  components/foundations/Sclcont_Lists.cpp
  link/Pc_wcu_file_hd.cpp
  link/Pc_wcu_file_sd.cpp
  link/Pc_wcu_link_hd.cpp
  platform/classlib/Form_Writer.cpp
  platform/classlib/Graphics_Bmp.cpp
  platform/htmlhelp/Chm_Layout.cpp
  platform/winapi/X11_Desktop.cpp
  platform/runtime/Waitable_Timer.cpp
  platform/winapi/Gdi_Raster.cpp
  shell/host/Fich_main_multi_cameras.cpp
  shell/services/Hh_funcs_Log.cpp
  tests/components/controls/SCLComboBox_test.cpp
  tests/components/controls/SCLCustomMMButton_test.cpp
  tests/components/controls/Sclregionborder_test.cpp
  tests/components/controls/Sclrgnshapes_test.cpp
  tests/components/controls/Sclsettings_test.cpp
  tests/components/foundations/Scl3dcaption_test.cpp
  tests/components/foundations/Sclcont_Lists_test.cpp
  tests/components/foundations/Sclcont_Resource_Library_test.cpp
  tests/components/foundations/Scldynlifobuffer_test.cpp
  tests/components/foundations/Sclfxcaption_test.cpp
  tests/components/foundations/Sclstreamutils_test.cpp
  tests/components/foundations/Sclutils_Bitmaps_test.cpp
  tests/components/foundations/Sclutils_Gradients_test.cpp
  tests/components/foundations/Sclutils_Text_test.cpp
  tests/components/foundations/ui/Sclclass_instance_test.cpp
  tests/components/foundations/ui/Sclinictrl_test.cpp
  tests/link/Pc_wcu_link_hd_test.cpp
  tests/link/Pc_wcu_link_test.cpp
  tests/link/Serie_test.cpp
  tests/link/St_system_hd_derive_test.cpp
  tests/link/Wcu_Over_Pseudo_Terminal_test.cpp
  tests/link/thread/Link_errors_test.cpp
  tests/link/thread/Thread_polling_wcu_test.cpp
  tests/platform/classlib/SysUtils_test.cpp
  tests/platform/htmlhelp/HtmlHelp_test.cpp
  tests/platform/runtime/Ordexia_Library_test.cpp
  tests/platform/winapi/Atomic_Save_test.cpp
  tests/platform/winapi/In_Process_Line_test.cpp
  tests/platform/winapi/Serial_test.cpp
  tests/screens/Fich_amu_hd_spectrum_test.cpp
  tests/screens/Fich_amu_hd_test.cpp
  tests/screens/Fich_amu_sd_test.cpp
  tests/screens/Fich_de_hd_test.cpp
  tests/screens/Fich_de_sd_test.cpp
  tests/screens/Fich_wca_hd_test.cpp
  tests/screens/Fich_wcu_hd_test.cpp
  tests/screens/Fich_wcu_sd_test.cpp
  tests/screens/Hd_fields_test.cpp
  tests/screens/Sd_fields_test.cpp
  tests/screens/Sd_presenters_test.cpp
  tests/shell/host/Fich_cam_select_test.cpp
  tests/shell/host/Fich_camera_view_test.cpp
  tests/shell/host/Fich_main_multi_cameras_test.cpp
  tests/shell/services/Hh_funcs_test.cpp
  tests/shell/services/Onhelpfix_test.cpp
  tests/tools/Rasterize_artwork_test.cpp
  tests/tools/Render_form_test.cpp
  tools/Sd_Wcu.cpp
)

function(ordexia_unity_exceptions)
  if(NOT CMAKE_UNITY_BUILD OR NOT ORDEXIA_UNITY_ALONE)
    return()
  endif()
  ordexia_collect_targets(${PROJECT_SOURCE_DIR} targets)
  list(TRANSFORM ORDEXIA_UNITY_ALONE PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE sources)
  set_source_files_properties(${sources} TARGET_DIRECTORY ${targets} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

# The targets defined in <directory> and every directory below it.
function(ordexia_collect_targets directory result)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    ordexia_collect_targets(${subdirectory} below)
    list(APPEND targets ${below})
  endforeach()
  set(${result} ${targets} PARENT_SCOPE)
endfunction()
