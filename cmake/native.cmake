# The native world: unit tests of the portable code and end-to-end tests that drive Wine.
option(QUIV_SANITIZE "Build the native code with address and undefined-behaviour sanitizers" ON)
set(QUIV_WIN64_DIR "" CACHE PATH "Build folder of the x86_64 Windows build (qsx.exe, uidriver.exe, wintests.exe)")

find_package(GTest REQUIRED)
enable_testing()

if(QUIV_SANITIZE)
  foreach(t quiv_core quiv_format quiv_portable quiv_builder quiv_host_fatal)
    get_target_property(type ${t} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      target_compile_options(${t} PRIVATE -fsanitize=address,undefined -fno-sanitize=vptr -fno-omit-frame-pointer)
    endif()
  endforeach()
  add_link_options(-fsanitize=address,undefined)
  if(TARGET quiv)   # made before this file was read
    target_link_options(quiv PRIVATE -fsanitize=address,undefined)
  endif()
  # The engine code has no RTTI, so no code that uses it can check the dynamic type of its
  # objects (vptr).
  set(QUIV_TEST_SANITIZE -fsanitize=address,undefined -fno-sanitize=vptr -fno-omit-frame-pointer)
endif()

# Support code shared by the native tests (temporary folders, the Wine runner, ...).
quiv_glob(TEST_SUPPORT_SOURCES DIRS tests/support)
quiv_library(quiv_test_support ${TEST_SUPPORT_SOURCES})
quiv_link(quiv_test_support quiv_builder quiv_portable quiv_host_fatal GTest::gtest)
get_target_property(_type quiv_test_support TYPE)
if(NOT _type STREQUAL "INTERFACE_LIBRARY")
  target_compile_options(quiv_test_support PRIVATE ${QUIV_TEST_SANITIZE})
  target_compile_definitions(quiv_test_support PRIVATE
    QUIV_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    QUIV_NATIVE_DIR="${CMAKE_BINARY_DIR}"
    QUIV_WIN64_DIR="${QUIV_WIN64_DIR}")
endif()

quiv_glob(UNIT_SOURCES DIRS tests/unit)
if(UNIT_SOURCES)
  add_executable(unit_tests ${UNIT_SOURCES})
  target_compile_options(unit_tests PRIVATE ${QUIV_TEST_SANITIZE})
  target_compile_definitions(unit_tests PRIVATE QUIV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(unit_tests PRIVATE quiv_test_support quiv_builder quiv_portable quiv_host_fatal
    GTest::gtest GTest::gtest_main GTest::gmock)
  add_test(NAME unit COMMAND unit_tests)
endif()

set(WINE_SESSION ${CMAKE_SOURCE_DIR}/tools/wine-session)
if(QUIV_WIN64_DIR AND EXISTS ${WINE_SESSION})
  add_test(NAME wine_start COMMAND ${WINE_SESSION} start)
  add_test(NAME wine_stop COMMAND ${WINE_SESSION} stop)
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

  quiv_glob(WINTEST_SOURCES DIRS tests/win)
  if(WINTEST_SOURCES)
    add_test(NAME wintests COMMAND ${WINE_SESSION} run ${QUIV_WIN64_DIR}/tests/win/wintests.exe)
    set_tests_properties(wintests PROPERTIES FIXTURES_REQUIRED wine)
  endif()

  quiv_glob(E2E_SOURCES DIRS tests/e2e)
  if(E2E_SOURCES)
    add_executable(e2e_tests ${E2E_SOURCES})
    target_compile_options(e2e_tests PRIVATE ${QUIV_TEST_SANITIZE})
    target_link_libraries(e2e_tests PRIVATE quiv_test_support quiv_builder quiv_portable quiv_host_fatal
      GTest::gtest GTest::gtest_main GTest::gmock)
    add_test(NAME e2e COMMAND e2e_tests)
    set_tests_properties(e2e PROPERTIES FIXTURES_REQUIRED wine)
  endif()
endif()

# Benchmarks (bench/): only in an optimised build of their own, see bench/CMakeLists.txt.
option(QUIV_BENCH "Build the benchmarks of bench/ (use a Release build without sanitizers)" OFF)
if(QUIV_BENCH)
  add_subdirectory(${CMAKE_SOURCE_DIR}/bench ${CMAKE_BINARY_DIR}/bench)
endif()
