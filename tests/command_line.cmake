# The program itself, started as from a terminal without a desktop session.
add_test(NAME command_line
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/command_line_check.sh ${PROJECT_VERSION}
            ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tivaro>)
