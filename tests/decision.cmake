tivaro_add_test(test_decision SOURCES test_decision.cpp gui_fixture.h LIBS tivaro_workbench)

# The views docked beside the window, once on each screen schools have.
tivaro_add_test(test_view_docks RUNS_ELSEWHERE SOURCES test_view_docks.cpp gui_fixture.h LIBS tivaro_workbench)
foreach(screen 1366x768 1280x800 1024x768)
    add_test(NAME test_view_docks_${screen} COMMAND test_view_docks
        -platform offscreen:configfile=${CMAKE_CURRENT_SOURCE_DIR}/screens/${screen}.json)
endforeach()
