# Random use of the whole window, and a clean exit.
tivaro_add_test(test_random_actions SOURCES test_random_actions.cpp gui_fixture.h LIBS tivaro_workbench)
tivaro_add_test(test_clean_exit SOURCES test_clean_exit.cpp LIBS tivaro_workbench)
