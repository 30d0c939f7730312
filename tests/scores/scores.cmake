# The score tables: pure logic, the window, the interrupted write, the fuzzer.
tolvane_add_test(test_scoretable SOURCES test_scoretable.cpp LIBS tolvane_scores)
tolvane_add_test(test_form2 SOURCES test_form2.cpp LIBS tolvane_scores)

# A child that rewrites a table in a loop until killed; the test kills it
# again and again and reads what is left.
add_executable(tablewriter_child tablewriter_child.cpp)
target_link_libraries(tablewriter_child PRIVATE tolvane_scores)
add_dependencies(test_scoretable tablewriter_child)
target_compile_definitions(test_scoretable PRIVATE
  TOLVANE_TABLEWRITER_CHILD="$<TARGET_FILE:tablewriter_child>")
target_compile_definitions(test_form2 PRIVATE
  TOLVANE_PICTURES="${PROJECT_SOURCE_DIR}/resources/pictures")

# The table reader under libFuzzer. The main build uses g++, so the target is
# built by clang++ straight from the reader's source and Qt Core alone.
find_program(TOLVANE_CLANGXX NAMES clang++ clang++-14)
if(TOLVANE_CLANGXX)
  set(fuzz_binary ${CMAKE_CURRENT_BINARY_DIR}/scoretable-fuzzer)
  set(fuzz_sources
    ${PROJECT_SOURCE_DIR}/scores/scoretable.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/fuzz_scoretable.cpp)
  set(qt_core_includes "$<TARGET_PROPERTY:Qt6::Core,INTERFACE_INCLUDE_DIRECTORIES>")
  add_custom_command(
    OUTPUT ${fuzz_binary}
    COMMAND ${TOLVANE_CLANGXX} -std=c++20 -g -O1 -fPIC
      -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
      -I${PROJECT_SOURCE_DIR} "-I$<JOIN:${qt_core_includes},;-I>"
      ${fuzz_sources} $<TARGET_LINKER_FILE:Qt6::Core> -o ${fuzz_binary}
    DEPENDS ${fuzz_sources} ${PROJECT_SOURCE_DIR}/scores/scoretable.h
    COMMAND_EXPAND_LISTS
    VERBATIM)
  add_custom_target(fuzz_scoretable ALL DEPENDS ${fuzz_binary})
  # New inputs go to the first folder, so the seeds in the tree stay as kept.
  set(fuzz_work ${CMAKE_CURRENT_BINARY_DIR}/fuzz-corpus)
  file(MAKE_DIRECTORY ${fuzz_work})
  add_test(NAME fuzz_scoretable
    COMMAND ${fuzz_binary} -runs=200000 -max_len=4096 -timeout=10
      ${fuzz_work} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus)
  set_tests_properties(fuzz_scoretable PROPERTIES TIMEOUT 600)
endif()
