# Tests of the runtime library (runtime/): number texts, errors, generator.
tivaro_add_test(test_runtime_parse  SOURCES test_runtime_parse.cpp  LIBS tivaro_runtime)
tivaro_add_test(test_runtime_format SOURCES test_runtime_format.cpp LIBS tivaro_runtime)
tivaro_add_test(test_runtime_random SOURCES test_runtime_random.cpp LIBS tivaro_runtime)
tivaro_add_test(test_runtime_fuzz   SOURCES test_runtime_fuzz.cpp   LIBS tivaro_runtime MPFR::MPFR)
# The software extended type against x87's own arithmetic.
tivaro_add_test(test_extended SOURCES test_extended.cpp LIBS tivaro_runtime tivaro_soft_extended)
