# The face the windows are drawn in, and room for every caption.
tivaro_add_test(test_window_fonts SOURCES test_window_fonts.cpp gui_fixture.h LIBS tivaro_workbench tivaro_info)
# The same captions where the desktop scales every window up.
foreach(scale 1.25 1.5 2)
    add_test(NAME test_window_fonts_scaled_${scale} COMMAND test_window_fonts)
    set_tests_properties(test_window_fonts_scaled_${scale} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${scale}")
endforeach()
