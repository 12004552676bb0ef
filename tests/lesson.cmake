# Gates, lessons, the lesson's float rule, the progress of long lessons and
# what keeps the user out while one runs.
foreach(name test_gates test_lesson test_lesson_rule test_lesson_repeat test_lesson_progress test_lesson_guard)
    tivaro_add_test(${name} SOURCES ${name}.cpp LIBS tivaro_workbench)
endforeach()
# Built as the workbench builds the lesson loop it checks.
target_compile_options(test_lesson_rule PRIVATE -ffp-contract=off)
target_compile_options(test_lesson_repeat PRIVATE -ffp-contract=off)
