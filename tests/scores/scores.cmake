# The score tables: pure logic, the window, the interrupted write, the fuzzer.
tolvane_add_test(test_scoretable SOURCES test_scoretable.cpp LIBS tolvane_scores)
tolvane_add_test(test_form2 SOURCES test_form2.cpp LIBS tolvane_scores)
# The window on a full file system: a small tmpfs in a mount namespace of the
# test's own; exits with 77 (counted as skipped) where none can be mounted.
add_test(NAME test_form2_fulldisk COMMAND test_form2 fulldisk)
set_tests_properties(test_form2_fulldisk PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_FONTDIR=/usr/share/fonts"
  SKIP_RETURN_CODE 77
  TIMEOUT 300)

# A child that rewrites a table in a loop until killed; the test kills it
# again and again and reads what is left.
add_executable(tablewriter_child tablewriter_child.cpp)
target_link_libraries(tablewriter_child PRIVATE tolvane_scores)
add_dependencies(test_scoretable tablewriter_child)
target_compile_definitions(test_scoretable PRIVATE
  TOLVANE_TABLEWRITER_CHILD="$<TARGET_FILE:tablewriter_child>")
# The program at a game's end, in small, for the test that signals it.
add_executable(highscore_host highscore_host.cpp)
target_link_libraries(highscore_host PRIVATE tolvane_app tolvane_testsupport)
add_dependencies(test_form2 highscore_host)
target_compile_definitions(test_form2 PRIVATE
  TOLVANE_PICTURES="${PROJECT_SOURCE_DIR}/resources/pictures"
  TOLVANE_HIGHSCORE_HOST="$<TARGET_FILE:highscore_host>")

# The file readers under libFuzzer, each a fixed number of runs from a small
# seed corpus. The main build uses g++, so each target is built by clang++
# straight from the reader's source (and Qt Core for the table reader).
find_program(TOLVANE_CLANGXX NAMES clang++ clang++-14)
# tolvane_add_fuzzer(name RUNS n CORPUS dir SOURCES ... [QT]): builds name-fuzzer and its test.
function(tolvane_add_fuzzer name)
  cmake_parse_arguments(ARG "QT" "CORPUS;RUNS" "SOURCES" ${ARGN})
  set(binary ${CMAKE_CURRENT_BINARY_DIR}/${name}-fuzzer)
  set(qt_flags)
  if(ARG_QT)
    set(qt_includes "$<TARGET_PROPERTY:Qt6::Core,INTERFACE_INCLUDE_DIRECTORIES>")
    set(qt_flags "-I$<JOIN:${qt_includes},$<SEMICOLON>-I>" $<TARGET_LINKER_FILE:Qt6::Core>)
  endif()
  add_custom_command(
    OUTPUT ${binary}
    COMMAND ${TOLVANE_CLANGXX} -std=c++20 -g -O1 -fPIC
      -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
      -I${PROJECT_SOURCE_DIR} ${ARG_SOURCES} ${qt_flags} -o ${binary}
    DEPENDS ${ARG_SOURCES}
    COMMAND_EXPAND_LISTS
    VERBATIM)
  add_custom_target(fuzz_${name} ALL DEPENDS ${binary})
  # New inputs go to the first folder, so the seeds in the tree stay as kept.
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${work})
  add_test(NAME fuzz_${name}
    COMMAND ${binary} -runs=${ARG_RUNS} -max_len=4096 -timeout=10 ${work} ${ARG_CORPUS})
  set_tests_properties(fuzz_${name} PROPERTIES TIMEOUT 600)
endfunction()

if(TOLVANE_CLANGXX)
  tolvane_add_fuzzer(scoretable QT RUNS 200000
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/table-corpus
    SOURCES ${PROJECT_SOURCE_DIR}/scores/scoretable.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/fuzz_scoretable.cpp)
  tolvane_add_fuzzer(riffwave RUNS 2000000
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/wave-corpus
    SOURCES ${PROJECT_SOURCE_DIR}/scores/riffwave.cpp
            ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/fuzz_riffwave.cpp)
endif()
