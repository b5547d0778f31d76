# Each folder of host/ and module/ is built with its own include scope: a tree of links
# under the build folder, rooted like the repository ("host/db/entities/AcDbEntity.h"), that holds
# the folder itself and the folders below it, nothing else. A forbidden include then
# names a header the compiler cannot find. The rules live in scripts/check_includes.py,
# which the build asks, so the compiler and the include check refuse the same edges.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

#   lintaro_include_scope(host/db root_var)
function(lintaro_include_scope folder out_var)
  execute_process(
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/check_includes.py --scope ${folder}
    OUTPUT_VARIABLE scope ERROR_VARIABLE why RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${why}: give it its place in scripts/check_includes.py")
  endif()
  string(REPLACE "/" "_" name ${folder})
  set(root ${PROJECT_BINARY_DIR}/include/${name})
  # Links an earlier configure made that the scope no longer holds go first.
  file(GLOB made LIST_DIRECTORIES true ${root}/*/*)
  foreach(link ${made})
    file(RELATIVE_PATH rel ${root} ${link})
    if(IS_SYMLINK ${link} AND NOT rel IN_LIST scope)
      file(REMOVE ${link})
    endif()
  endforeach()
  foreach(f ${scope})
    if(NOT IS_SYMLINK ${root}/${f})
      get_filename_component(parent ${root}/${f} DIRECTORY)
      file(MAKE_DIRECTORY ${parent})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${f} ${root}/${f} SYMBOLIC)
    endif()
  endforeach()
  set(${out_var} ${root} PARENT_SCOPE)
endfunction()

# Each folder of host/ is its own static library, so that a half-written folder never
# breaks the build of another.
#
#   lintaro_library(NAME host_db DIR db DEPS host_rx host_ge)
function(lintaro_library)
  cmake_parse_arguments(L "" "NAME;DIR" "DEPS;PUBLIC_LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/${L_DIR}/*.cpp)
  if(NOT srcs)
    # A folder with headers only still gets a target, so dependents link the same way.
    add_library(${L_NAME} INTERFACE)
    target_link_libraries(${L_NAME} INTERFACE ${L_DEPS} ${L_PUBLIC_LIBS})
    return()
  endif()
  add_library(${L_NAME} STATIC ${srcs})
  # Nothing propagates to what links the library: each user has its own scope.
  file(RELATIVE_PATH top ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  lintaro_include_scope(${top}/${L_DIR} scope_root)
  target_include_directories(${L_NAME} PRIVATE ${scope_root})
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
