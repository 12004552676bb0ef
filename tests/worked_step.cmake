# The worked-step view (worked_step/) and its feed from the workbench.
tivaro_add_test(test_worked_step SOURCES test_worked_step.cpp gui_fixture.h LIBS tivaro_workbench)
