tivaro_add_test(test_decision SOURCES test_decision.cpp gui_fixture.h LIBS tivaro_workbench)
