# Desktop entry, AppStream metadata and the installed tree, checked with the
# distribution's own validators.
add_test(NAME packaging
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging_check.sh
            ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}
            ${TIVARO_APP_ID} ${PROJECT_VERSION} "${CMAKE_BUILD_TYPE}")
set_tests_properties(packaging PROPERTIES SKIP_RETURN_CODE 77)
