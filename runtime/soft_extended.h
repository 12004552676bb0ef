#pragma once
// x87's extended precision in software, for processors whose long double is
// another format: a 64-bit significand, x87's exponent range with its
// subnormals, every operation correctly rounded to nearest even. MPFR does
// the arithmetic; this type stores one limb and no heap memory, so it copies
// like a number.

#include <cstdint>
#include <string>

class SoftExtended {
public:
    // Every conversion below is exact: each of these types fits 64 bits of
    // significand and x87's exponent range.
    SoftExtended() = default; // +0
    SoftExtended(float value);
    SoftExtended(double value);
    SoftExtended(int value);
    SoftExtended(unsigned value);
    SoftExtended(long value);
    SoftExtended(unsigned long value);

    // Correctly rounded: to nearest even, infinite beyond the float range,
    // subnormal or zero below it.
    explicit operator float() const;
    explicit operator double() const;

    friend SoftExtended operator+(const SoftExtended &a, const SoftExtended &b);
    friend SoftExtended operator-(const SoftExtended &a, const SoftExtended &b);
    friend SoftExtended operator*(const SoftExtended &a, const SoftExtended &b);
    friend SoftExtended operator/(const SoftExtended &a, const SoftExtended &b);
    SoftExtended operator-() const;
    SoftExtended &operator+=(const SoftExtended &b) { return *this = *this + b; }
    SoftExtended &operator-=(const SoftExtended &b) { return *this = *this - b; }
    SoftExtended &operator*=(const SoftExtended &b) { return *this = *this * b; }
    SoftExtended &operator/=(const SoftExtended &b) { return *this = *this / b; }

    // As IEEE compares: a NaN is unordered, and -0 equals +0.
    friend bool operator==(const SoftExtended &a, const SoftExtended &b);
    friend bool operator<(const SoftExtended &a, const SoftExtended &b);
    friend bool operator<=(const SoftExtended &a, const SoftExtended &b);
    friend bool operator!=(const SoftExtended &a, const SoftExtended &b) { return !(a == b); }
    friend bool operator>(const SoftExtended &a, const SoftExtended &b) { return b < a; }
    friend bool operator>=(const SoftExtended &a, const SoftExtended &b) { return b <= a; }

    bool isFinite() const;
    bool isNan() const;
    bool signBit() const { return kind < 0; }
    SoftExtended abs() const;
    // e^x, correctly rounded; infinite beyond the range.
    SoftExtended exp() const;
    // significand * 2^exponent, rounded once.
    static SoftExtended scaled(uint64_t significand, int64_t exponent);
    // The neighbour towards `direction`, as nextafter.
    SoftExtended nextToward(const SoftExtended &direction) const;
    static SoftExtended infinity();
    static SoftExtended quietNaN();

    // "[-]digits[e[-]digits]" in decimal, correctly rounded.
    static SoftExtended fromDecimal(const std::string &text);
    // A finite, non-zero magnitude rounded to `significant` decimal digits,
    // half to even: the digits d1 d2 ... with value 0.d1 d2 ... * 10^exponent.
    std::string decimalDigits(int significant, int &exponent) const;

    // The same number as x87 stores it: sign, 15-bit biased exponent and
    // 64-bit significand with its explicit integer bit.
    struct Fields {
        bool negative;
        uint16_t exponent;
        uint64_t significand;
    };
    Fields fields() const;

private:
    friend class SoftExtendedAccess;
    // MPFR's custom interface: kind (its sign is the number's), exponent and
    // the one limb of significand.
    uint64_t significand = 0;
    int64_t exponent = 0;
    int kind = 2; // MPFR_ZERO_KIND, positive
};
