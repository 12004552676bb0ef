# The code's shape: its layout, as .clang-format says, and its layers.
add_test(NAME format COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/format_check.sh ${PROJECT_SOURCE_DIR})
set_tests_properties(format PROPERTIES SKIP_RETURN_CODE 77)

# No include runs back up the layers.
add_test(NAME layers COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/layers_check.sh ${PROJECT_SOURCE_DIR})
