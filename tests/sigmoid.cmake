# The exhaustive check of the fast sigmoid: minutes long, so built and run
# only by `make check-sigmoid`, never by the test run.
add_executable(check_sigmoid EXCLUDE_FROM_ALL check_sigmoid.cpp)
target_link_libraries(check_sigmoid PRIVATE tivaro_runtime)
target_compile_options(check_sigmoid PRIVATE -ffp-contract=off)
# How often the rule's float depends on the rounding of its exponential
# (x87's expl against a correctly rounded one): minutes, `make
# check-exponential`.
add_executable(check_exponential EXCLUDE_FROM_ALL check_exponential.cpp)
target_link_libraries(check_exponential PRIVATE tivaro_runtime tivaro_soft_extended)
