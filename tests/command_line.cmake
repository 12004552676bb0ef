# The program itself, started as from a terminal without a desktop session.
add_test(NAME command_line
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/command_line_check.sh ${PROJECT_VERSION}
            ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tivaro>)

# The files the command line names, read without starting the program.
tivaro_add_test(test_command_line SOURCES test_command_line.cpp ${PROJECT_SOURCE_DIR}/app/command_line.cpp)
target_compile_definitions(test_command_line PRIVATE TIVARO_VERSION="${PROJECT_VERSION}")
