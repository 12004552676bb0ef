foreach(name test_main_window test_bias_input test_display test_languages test_error_report
             test_accessibility test_chart_export)
    tivaro_add_test(${name} SOURCES ${name}.cpp gui_fixture.h LIBS tivaro_workbench)
endforeach()

# Lessons saved and opened, and mutated files opened as a user would.
foreach(name test_lesson_files test_lesson_fuzz)
    tivaro_add_test(${name} SOURCES ${name}.cpp gui_fixture.h LIBS tivaro_workbench)
endforeach()
