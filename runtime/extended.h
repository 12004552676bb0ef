#pragma once
// The extended precision in which the neuron forms its sums, products and
// sigmoid, the random generator its draws, and the number texts their
// values: a 64-bit significand, x87's exponent range with subnormals,
// rounding to nearest even. On x86 that is the processor's own long double.
// Elsewhere long double is another format (on arm64 a 128-bit one, which
// would round differently), so a software type stands in, with the same
// results bit for bit. The build chooses (TIVARO_NATIVE_EXTENDED).

#include <cstdint>
#include <string>

#if TIVARO_NATIVE_EXTENDED
#include <cmath>
#include <limits>
static_assert(std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384,
              "the native extended type is x87's");
using Extended = long double;
#else
#include "runtime/soft_extended.h"
using Extended = SoftExtended;
#endif

namespace extended {

#if TIVARO_NATIVE_EXTENDED
inline bool isFinite(Extended x)
{
    return std::isfinite(x);
}
inline bool isNan(Extended x)
{
    return std::isnan(x);
}
inline bool signBit(Extended x)
{
    return std::signbit(x);
}
inline Extended abs(Extended x)
{
    return std::fabs(x);
}
// e^x as the C library's expl gives it: x87's own instructions, within an
// ulp but not always correctly rounded.
inline Extended exp(Extended x)
{
    return std::exp(x);
}
inline Extended scaled(uint64_t significand, int exponent)
{
    return std::ldexp(static_cast<long double>(significand), exponent);
}
inline Extended nextToward(Extended x, Extended direction)
{
    return std::nextafter(x, direction);
}
inline Extended infinity()
{
    return std::numeric_limits<long double>::infinity();
}
inline Extended quietNaN()
{
    return std::numeric_limits<long double>::quiet_NaN();
}
#else
inline bool isFinite(const Extended &x)
{
    return x.isFinite();
}
inline bool isNan(const Extended &x)
{
    return x.isNan();
}
inline bool signBit(const Extended &x)
{
    return x.signBit();
}
inline Extended abs(const Extended &x)
{
    return x.abs();
}
// e^x correctly rounded: x87's expl is not always, so in rare cases this
// differs from it by an ulp.
inline Extended exp(const Extended &x)
{
    return x.exp();
}
inline Extended scaled(uint64_t significand, int exponent)
{
    return SoftExtended::scaled(significand, exponent);
}
inline Extended nextToward(const Extended &x, const Extended &direction)
{
    return x.nextToward(direction);
}
inline Extended infinity()
{
    return SoftExtended::infinity();
}
inline Extended quietNaN()
{
    return SoftExtended::quietNaN();
}
#endif

// The value of "[-]digits[e[-]digits]", correctly rounded, whatever the C
// library's locale.
Extended fromDecimal(const std::string &text);

// value = 0.d1 d2 ... dn * 10^exponent, d1 != 0.
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};
// A finite, positive value rounded to `significant` decimal digits, exactly,
// half to even.
DecimalDigits toDecimal(Extended magnitude, int significant);

// The value as x87 stores it: sign, 15-bit biased exponent, 64-bit
// significand with its integer bit. Goldens name values by these fields.
struct Fields {
    bool negative;
    uint16_t exponent;
    uint64_t significand;
};
Fields fieldsOf(Extended value);
// Fields as "-0x3fff:8000000000000000" (a minus only when negative).
std::string fieldsText(Extended value);

} // namespace extended
