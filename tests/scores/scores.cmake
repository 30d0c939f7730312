# The score tables: pure logic, the window, the interrupted write.
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

# The file readers under libFuzzer are built by the fuzz preset (fuzz/).
