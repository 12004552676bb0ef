# The lesson's float rule and its repeats, below every window: built as the
# lesson library builds its loop, and linked with the libraries they check.
tivaro_add_test(test_lesson_rule SOURCES test_lesson_rule.cpp LIBS tivaro_lesson)
tivaro_add_test(test_lesson_repeat SOURCES test_lesson_repeat.cpp LIBS tivaro_lesson tivaro_chart)
target_compile_options(test_lesson_rule PRIVATE -ffp-contract=off)
target_compile_options(test_lesson_repeat PRIVATE -ffp-contract=off)

# Gates, lessons through the window, the progress of long lessons and what
# keeps the user out while one runs.
foreach(name test_gates test_lesson test_lesson_progress test_lesson_guard)
    tivaro_add_test(${name} SOURCES ${name}.cpp LIBS tivaro_workbench)
endforeach()

# Whole lessons on the session, with no window: it links QtCore at most.
tivaro_add_test(test_lesson_session SOURCES test_lesson_session.cpp LIBS tivaro_lesson)
add_test(NAME lesson_session_without_gui
    COMMAND bash -c "! readelf -d \"$0\" | grep -E 'NEEDED.*libQt6(Gui|Widgets|Charts)'" $<TARGET_FILE:test_lesson_session>)
