# The score tables: pure logic, the window, the interrupted write.
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

# The file readers under libFuzzer are built by the fuzz preset (fuzz/).
