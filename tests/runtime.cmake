# Tests of the runtime library (runtime/): number texts, errors, generator.
tivaro_add_test(runtime_parse_test  SOURCES runtime_parse_test.cpp  LIBS tivaro_runtime)
tivaro_add_test(runtime_format_test SOURCES runtime_format_test.cpp LIBS tivaro_runtime)
tivaro_add_test(runtime_random_test SOURCES runtime_random_test.cpp LIBS tivaro_runtime)
tivaro_add_test(runtime_fuzz_test   SOURCES runtime_fuzz_test.cpp   LIBS tivaro_runtime quadmath)
