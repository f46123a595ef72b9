# Shared CMake helpers.

# vaarikas_module(NAME DIR [DEPS ...]): a static core library made of every
# .cpp file in DIR (globbed, so adding a file needs no CMake edit).
function(vaarikas_module name)
  cmake_parse_arguments(M "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB _srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(_ex IN LISTS M_EXCLUDE)
    list(FILTER _srcs EXCLUDE REGEX "/${_ex}$")
  endforeach()
  if(_srcs)
    add_library(${name} STATIC ${_srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    if(M_DEPS)
      target_link_libraries(${name} PUBLIC ${M_DEPS})
    endif()
  else()
    # Nothing built yet in this module: an empty interface library keeps the
    # dependency graph the same.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    if(M_DEPS)
      target_link_libraries(${name} INTERFACE ${M_DEPS})
    endif()
  endif()
endfunction()

# vaarikas_gtest(NAME SOURCES... LIBS ...): one GoogleTest executable,
# registered with CTest. Tests get VAARIKAS_BIN_DIR (the program directory)
# and VAARIKAS_SOURCE_DIR as compile definitions.
function(vaarikas_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VAARIKAS_BIN_DIR="${VAARIKAS_BIN_DIR}"
    VAARIKAS_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    VAARIKAS_TEST_BIN_DIR="${CMAKE_BINARY_DIR}/tests")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
endfunction()

# vaarikas_fuzzer(NAME SOURCE LIBS ...): a fuzz target with the libFuzzer
# entry point LLVMFuzzerTestOneInput. With VAARIKAS_FUZZ (clang) it becomes a
# real libFuzzer binary; otherwise it is linked with a small driver that runs
# the seed files plus a bounded number of random and mutated inputs, and is
# registered as a CTest test so the target never rots.
function(vaarikas_fuzzer name)
  cmake_parse_arguments(F "" "SEEDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  if(VAARIKAS_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  else()
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/fuzz/standalone_driver.cpp)
    if(VAARIKAS_TESTS)
      add_test(NAME fuzz.${name} COMMAND ${name} --runs=3000 ${F_SEEDS})
      set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 600)
    endif()
  endif()
endfunction()

# vaarikas_bench(NAME SOURCES... LIBS ...): a benchmark program in build/bench.
function(vaarikas_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_link_libraries(${name} PRIVATE ${B_LIBS})
  target_compile_definitions(${name} PRIVATE VAARIKAS_BIN_DIR="${VAARIKAS_BIN_DIR}"
    VAARIKAS_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endfunction()
