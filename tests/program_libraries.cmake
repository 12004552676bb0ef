# The program needs MPFR only where it uses the software extended type.
if(TIVARO_NATIVE_EXTENDED)
    set(negate "! ")
else()
    set(negate "")
endif()
add_test(NAME program_libraries
    COMMAND bash -c "${negate}readelf -d \"$0\" | grep -q 'NEEDED.*libmpfr'" $<TARGET_FILE:tivaro>)
