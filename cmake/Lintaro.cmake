# Each folder of host/ and module/ is its own static library, so that the layering
# (ge knows nothing of db, db nothing of the editor, the module only the host) is
# checked by the linker and a half-written folder never breaks the build of another.
#
#   lintaro_library(NAME host_db DIR db DEPS host_rx host_ge)
function(lintaro_library)
  cmake_parse_arguments(L "" "NAME;DIR" "DEPS;PUBLIC_LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/${L_DIR}/*.cpp)
  if(NOT srcs)
    # A folder with headers only still gets a target, so dependents link the same way.
    add_library(${L_NAME} INTERFACE)
    target_include_directories(${L_NAME} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${L_NAME} INTERFACE ${L_DEPS} ${L_PUBLIC_LIBS})
    return()
  endif()
  add_library(${L_NAME} STATIC ${srcs})
  target_include_directories(${L_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${L_NAME} PUBLIC ${L_DEPS} ${L_PUBLIC_LIBS})
endfunction()

# The source and plan folders reach the tests through one generated header, not through
# compiler flags: only the files that include it depend on where the clone lies, so a
# compiler cache serves every other test file to a clone in another folder.
set(LINTARO_TEST_PATHS_DIR ${PROJECT_BINARY_DIR}/generated)
file(CONFIGURE OUTPUT ${LINTARO_TEST_PATHS_DIR}/LintaroTestPaths.h CONTENT
"#pragma once
#define LINTARO_SOURCE_DIR \"${PROJECT_SOURCE_DIR}\"
#define LINTARO_SHARED_PLANS \"${PROJECT_SOURCE_DIR}/../shared/plans\"
")

# One test executable per folder of tests/, from every *_test.cpp in it.
#   lintaro_tests(NAME host_db_tests DIR host/db LIBS host_db)
function(lintaro_tests)
  cmake_parse_arguments(T "" "NAME;DIR" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${T_DIR}/*_test.cpp)
  if(NOT srcs)
    return()
  endif()
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp)
  add_executable(${T_NAME} ${srcs} ${support})
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR} ${LINTARO_TEST_PATHS_DIR})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  include(GoogleTest)
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "LINTARO_TEST=1")
endfunction()
