# The goldens: numbers x86-64 computed once with x87's extended precision,
# which every build reproduces. make_goldens wrote goldens.txt; it runs only
# by hand (see its first lines).
tivaro_add_test(test_goldens SOURCES test_goldens.cpp goldens.h LIBS tivaro_lesson)
target_compile_definitions(test_goldens PRIVATE TIVARO_GOLDENS="${CMAKE_CURRENT_SOURCE_DIR}/goldens.txt")
target_compile_options(test_goldens PRIVATE -ffp-contract=off)
add_executable(make_goldens EXCLUDE_FROM_ALL make_goldens.cpp goldens.h)
target_link_libraries(make_goldens PRIVATE tivaro_lesson MPFR::MPFR)
