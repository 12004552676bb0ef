#pragma once
// Exact decimal arithmetic on the numbers as the view writes them, to tell
// whether a shown equation holds in decimals or only after float rounding.

#include <QString>
#include <cstdint>
#include <vector>

class ExactDecimal {
public:
    ExactDecimal() = default;
    // The shortest decimal of the float (numtext::formatShortest).
    static ExactDecimal of(float value);

    friend ExactDecimal operator+(const ExactDecimal &a, const ExactDecimal &b);
    friend ExactDecimal operator-(const ExactDecimal &a, const ExactDecimal &b);
    friend ExactDecimal operator*(const ExactDecimal &a, const ExactDecimal &b);
    friend bool operator==(const ExactDecimal &a, const ExactDecimal &b);

private:
    using Limbs = std::vector<uint32_t>; // base 10^9, lowest first, no high zeros

    ExactDecimal scaledTo(int exponent) const;

    bool negative = false;
    Limbs magnitude;  // empty for zero
    int exponent = 0; // value = magnitude × 10^exponent
};
