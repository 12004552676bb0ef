#pragma once
// Exact decimal arithmetic on the numbers as the view writes them, to tell
// whether a shown equation holds in decimals or only after float rounding.
// Every decimal is a fraction, and fractions add, subtract and multiply
// exactly: the value is a GMP rational, owned here.

#include <gmp.h>

class ExactDecimal {
public:
    ExactDecimal() { mpq_init(value); } // zero
    ExactDecimal(const ExactDecimal &other) : ExactDecimal() { mpq_set(value, other.value); }
    ExactDecimal &operator=(const ExactDecimal &other)
    {
        mpq_set(value, other.value);
        return *this;
    }
    ~ExactDecimal() { mpq_clear(value); }

    // The shortest decimal of the float (numtext::formatShortest).
    static ExactDecimal of(float value);

    friend ExactDecimal operator+(const ExactDecimal &a, const ExactDecimal &b) { return combined(mpq_add, a, b); }
    friend ExactDecimal operator-(const ExactDecimal &a, const ExactDecimal &b) { return combined(mpq_sub, a, b); }
    friend ExactDecimal operator*(const ExactDecimal &a, const ExactDecimal &b) { return combined(mpq_mul, a, b); }
    // GMP keeps every rational in lowest terms, so equal values look alike.
    friend bool operator==(const ExactDecimal &a, const ExactDecimal &b) { return mpq_equal(a.value, b.value) != 0; }

private:
    static ExactDecimal combined(void (*operation)(mpq_ptr, mpq_srcptr, mpq_srcptr), const ExactDecimal &a,
                                 const ExactDecimal &b)
    {
        ExactDecimal result;
        operation(result.value, a.value, b.value);
        return result;
    }

    mpq_t value;
};
