# The code's layout, as .clang-format says.
add_test(NAME format COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/format_check.sh ${PROJECT_SOURCE_DIR})
set_tests_properties(format PROPERTIES SKIP_RETURN_CODE 77)
