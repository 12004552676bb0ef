foreach(name test_main_window test_bias_input test_display test_languages test_error_report
             test_accessibility test_chart_export)
    tivaro_add_test(${name} SOURCES ${name}.cpp gui_fixture.h LIBS tivaro_workbench)
endforeach()
