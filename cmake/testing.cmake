# GoogleTest from the distribution's sources, built with this project's compiler (native or mingw).
set(SQ_GTEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_disable_pthreads ${WIN32} CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${SQ_GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# A native unit test of the portable core: runs in seconds, under the sanitizers when enabled.
function(sq_add_native_test name)
  if(WIN32)
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE sonoquill_core GTest::gtest_main sq_warnings)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS native TIMEOUT 300)
endfunction()

# A Windows test program run under Wine (CTest runs it through CMAKE_CROSSCOMPILING_EMULATOR).
# Usage: sq_add_wine_test(name SOURCES a.cpp ... [LIBS x ...] [TIMEOUT s] [FIXTURES f ...])
function(sq_add_wine_test name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;FIXTURES" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest sq_test_support ${ARG_LIBS} sq_warnings)
  add_dependencies(${name} Sonoquill_WA)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT ${ARG_TIMEOUT})
  if(ARG_FIXTURES)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${ARG_FIXTURES}")
  endif()
endfunction()

# The checks of src/ itself, with the tests of each build: the layers of its includes
# (scripts/check-layers.py), and clang-tidy (.clang-tidy) over the files the build compiles: the
# portable core in the native build, the Windows shell in the win32 one. clang-tidy keeps both
# processors busy, so nothing else runs beside it.
find_program(SQ_PYTHON NAMES python3 REQUIRED)
if(WIN32)
  add_test(NAME clang_tidy_shell COMMAND ${SQ_PYTHON} ${CMAKE_SOURCE_DIR}/scripts/clang-tidy.py ${CMAKE_BINARY_DIR} --shell)
  set_tests_properties(clang_tidy_shell PROPERTIES LABELS static TIMEOUT 900 PROCESSORS 2)
else()
  add_test(NAME layer_includes COMMAND ${SQ_PYTHON} ${CMAKE_SOURCE_DIR}/scripts/check-layers.py ${CMAKE_SOURCE_DIR}/src)
  add_test(NAME clang_tidy_core COMMAND ${SQ_PYTHON} ${CMAKE_SOURCE_DIR}/scripts/clang-tidy.py ${CMAKE_BINARY_DIR})
  set_tests_properties(layer_includes PROPERTIES LABELS static)
  set_tests_properties(clang_tidy_core PROPERTIES LABELS static TIMEOUT 900 PROCESSORS 2)
endif()
