# Build helpers shared by every folder.
include(GoogleTest)

if(ZANDOR3D_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(ZANDOR3D_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # Windows programs and tests run under Wine in the build folder's private environment.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/harness/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
  # The same on the harness's display of two monitors.
  set(ZANDOR3D_MONITORS_WINE_DIR ${CMAKE_BINARY_DIR}/wine-monitors)
  # Static runtime: Wine has no libstdc++-6.dll to load.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()

function(zandor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()

# A Windows-free static library: built in every configuration.
function(zandor_portable_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  zandor_warnings(${name})
endfunction()

# A library of Win32 code: built only for Windows.
function(zandor_windows_library name)
  if(WIN32)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    zandor_warnings(${name})
  endif()
endfunction()

# zandor_unit_test(name SOURCES ... LIBS ...): native GoogleTest binary, one ctest case per test.
function(zandor_unit_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  zandor_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)
endfunction()

# zandor_wine_test(name [TWO_MONITORS] SOURCES ... LIBS ...): Windows GoogleTest binary
# run under Wine as one ctest case, inside the private prefix and display of the
# harness; with TWO_MONITORS on the harness's display of two monitors instead.
function(zandor_wine_test name)
  cmake_parse_arguments(T "TWO_MONITORS" "" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  zandor_warnings(${name})
  if(T_TWO_MONITORS)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tests/harness/wine-run.sh
      ${ZANDOR3D_MONITORS_WINE_DIR} $<TARGET_FILE:${name}> --gtest_color=no)
    set(fixtures wine_env wine_monitors)
  else()
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set(fixtures wine_env)
  endif()
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${fixtures}" RESOURCE_LOCK wine
    LABELS wine TIMEOUT 600)
endfunction()

# zandor_http_server_fixture(fixture dir): the harness's local HTTP server, serving
# dir, started before and stopped after the tests that require the fixture.
function(zandor_http_server_fixture fixture dir)
  set(script ${PROJECT_SOURCE_DIR}/tests/harness/http-server.sh)
  add_test(NAME ${fixture}_start COMMAND ${script} start ${dir})
  add_test(NAME ${fixture}_stop COMMAND ${script} stop ${dir})
  set_tests_properties(${fixture}_start PROPERTIES FIXTURES_SETUP ${fixture} LABELS wine TIMEOUT 30)
  set_tests_properties(${fixture}_stop PROPERTIES FIXTURES_CLEANUP ${fixture} LABELS wine)
endfunction()

# zandor_fuzz_target(name SOURCES ... LIBS ...): libFuzzer binary (fuzz configuration only).
function(zandor_fuzz_target name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  # A short, repeatable smoke run in the test suite; long runs are done by hand.
  add_test(NAME ${name} COMMAND ${name} -runs=30000 -seed=1 -max_len=4096)
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()

# Adds every direct subfolder of the current folder that has a CMakeLists.txt.
function(zandor_add_subfolders)
  file(GLOB entries LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT entries)
  foreach(entry IN LISTS entries)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${entry}/CMakeLists.txt)
      add_subdirectory(${entry})
    endif()
  endforeach()
endfunction()
