# GoogleTest from Debian's source package, built with the project's compiler
# (host g++, clang or MinGW alike).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)  # no test uses it
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# velmora_test(NAME SOURCES... [GUI] [LIBS ...]): one test program per area;
# each test case is one ctest test, discovered when ctest runs (so building
# never needs Wine). GUI tests share the one display: they run one at a time.
function(velmora_test name)
  cmake_parse_arguments(T "GUI" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} velmora_test_support GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(T_GUI)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 120 RESOURCE_LOCK display)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 120)
  endif()
endfunction()

# Shared test helpers, and where the test data lie as the test programs see
# them (Wine sees the Linux root as drive Z:).
get_filename_component(VELMORA_TESTDATA ${PROJECT_SOURCE_DIR}/../shared/testdata REALPATH)
set(VELMORA_SAMPLES ${PROJECT_SOURCE_DIR}/samples)
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(VELMORA_TESTDATA Z:${VELMORA_TESTDATA})
  set(VELMORA_SAMPLES Z:${VELMORA_SAMPLES})
endif()
add_library(velmora_test_support STATIC ${PROJECT_SOURCE_DIR}/tests/support/TestFiles.cpp)
target_include_directories(velmora_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(velmora_test_support PRIVATE
  VELMORA_TESTDATA_DIR="${VELMORA_TESTDATA}" VELMORA_SAMPLES_DIR="${VELMORA_SAMPLES}")
target_link_libraries(velmora_test_support PUBLIC velmora_smf_writer velmora_reference GTest::gtest)
