# The face the windows are drawn in, and room for every caption.
tivaro_add_test(test_window_fonts SOURCES test_window_fonts.cpp gui_fixture.h LIBS tivaro_workbench tivaro_info)
