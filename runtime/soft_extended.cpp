#include "runtime/soft_extended.h"

#include <mpfr.h>

#include <climits>
#include <cstring>

static_assert(sizeof(mp_limb_t) == sizeof(uint64_t) && GMP_NUMB_BITS == 64, "one limb holds the significand");

namespace {

constexpr mpfr_prec_t precision = 64;
// x87: normal numbers from 2^-16382 up to below 2^16384. MPFR counts its
// exponent for a significand in [1/2, 1), one above x87's; with subnormals
// down to 2^-16445, the least exponent of a value is -16444.
constexpr mpfr_exp_t leastExponent = -16444;
constexpr mpfr_exp_t greatestExponent = 16384;

// MPFR's exponent range is the thread's, and whoever else uses MPFR in this
// thread (a test's references) keeps its own: x87's holds only while one of
// our operations rounds.
class X87Range {
public:
    X87Range() : savedMin(mpfr_get_emin()), savedMax(mpfr_get_emax())
    {
        mpfr_set_emin(leastExponent);
        mpfr_set_emax(greatestExponent);
    }
    ~X87Range()
    {
        mpfr_set_emin(savedMin);
        mpfr_set_emax(savedMax);
    }
    X87Range(const X87Range &) = delete;
    X87Range &operator=(const X87Range &) = delete;

private:
    mpfr_exp_t savedMin, savedMax;
};

} // namespace

// Reads a stored value as an MPFR number and writes results back.
class SoftExtendedAccess {
public:
    // A read-only view of `value`.
    class View {
    public:
        explicit View(const SoftExtended &value)
        {
            mpfr_custom_init_set(number, value.kind, static_cast<mpfr_exp_t>(value.exponent), precision,
                                 const_cast<uint64_t *>(&value.significand));
        }
        mpfr_srcptr get() const { return number; }

    private:
        mpfr_t number;
    };

    // A result, rounded to x87's range and subnormals as it is taken.
    class Result {
    public:
        Result() { mpfr_custom_init_set(number, MPFR_ZERO_KIND, 0, precision, &limb); }
        // The number points at this object's own limb.
        Result(const Result &) = delete;
        Result &operator=(const Result &) = delete;
        mpfr_ptr get() { return number; }
        SoftExtended take(int ternary, mpfr_rnd_t rounding = MPFR_RNDN)
        {
            mpfr_subnormalize(number, ternary, rounding);
            SoftExtended value;
            value.kind = mpfr_custom_get_kind(number);
            value.exponent = mpfr_regular_p(number) ? mpfr_custom_get_exp(number) : 0;
            value.significand = mpfr_regular_p(number) ? limb : 0;
            return value;
        }

    private:
        uint64_t limb = 0;
        mpfr_t number;
    };

    template <class Operation>
    static SoftExtended binary(const SoftExtended &a, const SoftExtended &b, Operation operation)
    {
        const X87Range range;
        const View x(a), y(b);
        Result result;
        return result.take(operation(result.get(), x.get(), y.get(), MPFR_RNDN));
    }

    template <class Operation>
    static SoftExtended unary(const SoftExtended &a, Operation operation)
    {
        const X87Range range;
        const View x(a);
        Result result;
        return result.take(operation(result.get(), x.get(), MPFR_RNDN));
    }

    template <class Setter>
    static SoftExtended set(Setter setter)
    {
        const X87Range range;
        Result result;
        return result.take(setter(result.get()));
    }
};

using Access = SoftExtendedAccess;

SoftExtended::SoftExtended(float value)
    : SoftExtended(Access::set([value](mpfr_ptr r) { return mpfr_set_flt(r, value, MPFR_RNDN); }))
{
}
SoftExtended::SoftExtended(double value)
    : SoftExtended(Access::set([value](mpfr_ptr r) { return mpfr_set_d(r, value, MPFR_RNDN); }))
{
}
SoftExtended::SoftExtended(int value) : SoftExtended(static_cast<long>(value))
{
}
SoftExtended::SoftExtended(unsigned value) : SoftExtended(static_cast<unsigned long>(value))
{
}
SoftExtended::SoftExtended(long value)
    : SoftExtended(Access::set([value](mpfr_ptr r) { return mpfr_set_si(r, value, MPFR_RNDN); }))
{
}
SoftExtended::SoftExtended(unsigned long value)
    : SoftExtended(Access::set([value](mpfr_ptr r) { return mpfr_set_ui(r, value, MPFR_RNDN); }))
{
}

SoftExtended::operator float() const
{
    return mpfr_get_flt(Access::View(*this).get(), MPFR_RNDN);
}

SoftExtended::operator double() const
{
    return mpfr_get_d(Access::View(*this).get(), MPFR_RNDN);
}

SoftExtended operator+(const SoftExtended &a, const SoftExtended &b)
{
    return Access::binary(a, b, mpfr_add);
}
SoftExtended operator-(const SoftExtended &a, const SoftExtended &b)
{
    return Access::binary(a, b, mpfr_sub);
}
SoftExtended operator*(const SoftExtended &a, const SoftExtended &b)
{
    return Access::binary(a, b, mpfr_mul);
}
SoftExtended operator/(const SoftExtended &a, const SoftExtended &b)
{
    return Access::binary(a, b, mpfr_div);
}

SoftExtended SoftExtended::operator-() const
{
    SoftExtended negated = *this;
    negated.kind = -kind; // NaN's kind is 0 and stays
    return negated;
}

bool operator==(const SoftExtended &a, const SoftExtended &b)
{
    return mpfr_equal_p(Access::View(a).get(), Access::View(b).get()) != 0;
}
bool operator<(const SoftExtended &a, const SoftExtended &b)
{
    return mpfr_less_p(Access::View(a).get(), Access::View(b).get()) != 0;
}
bool operator<=(const SoftExtended &a, const SoftExtended &b)
{
    return mpfr_lessequal_p(Access::View(a).get(), Access::View(b).get()) != 0;
}

bool SoftExtended::isFinite() const
{
    return kind != MPFR_NAN_KIND && kind != MPFR_INF_KIND && kind != -MPFR_INF_KIND;
}

bool SoftExtended::isNan() const
{
    return kind == MPFR_NAN_KIND;
}

SoftExtended SoftExtended::abs() const
{
    SoftExtended magnitude = *this;
    if (magnitude.kind < 0)
        magnitude.kind = -magnitude.kind;
    return magnitude;
}

SoftExtended SoftExtended::exp() const
{
    return Access::unary(*this, mpfr_exp);
}

SoftExtended SoftExtended::scaled(uint64_t significand, int64_t exponent)
{
    return Access::set([=](mpfr_ptr r) {
        // Exact at 64 bits, then one rounding for the scale: beyond long's
        // range the scale saturates, as far beyond x87's range as needed.
        mpfr_set_uj(r, significand, MPFR_RNDN);
        const long shift = exponent > LONG_MAX ? LONG_MAX : exponent < LONG_MIN ? LONG_MIN : long(exponent);
        return mpfr_mul_2si(r, r, shift, MPFR_RNDN);
    });
}

SoftExtended SoftExtended::nextToward(const SoftExtended &direction) const
{
    if (isNan() || direction.isNan())
        return quietNaN();
    if (*this == direction)
        return direction;
    // x plus a step far below any ulp, rounded towards `direction`: the
    // neighbour, on the subnormal grid too.
    const bool up = *this < direction;
    const mpfr_rnd_t toward = up ? MPFR_RNDU : MPFR_RNDD;
    Access::Result result;
    mpfr_set_si_2exp(result.get(), up ? 1 : -1, leastExponent - 100, toward);
    int ternary = mpfr_add(result.get(), Access::View(*this).get(), result.get(), toward);
    // Added in MPFR's own wide range; now into x87's.
    const X87Range range;
    ternary = mpfr_check_range(result.get(), ternary, toward);
    return result.take(ternary, toward);
}

SoftExtended SoftExtended::infinity()
{
    return Access::set([](mpfr_ptr r) {
        mpfr_set_inf(r, 1);
        return 0;
    });
}

SoftExtended SoftExtended::quietNaN()
{
    return Access::set([](mpfr_ptr r) {
        mpfr_set_nan(r);
        return 0;
    });
}

SoftExtended SoftExtended::fromDecimal(const std::string &text)
{
    return Access::set([&text](mpfr_ptr r) { return mpfr_strtofr(r, text.c_str(), nullptr, 10, MPFR_RNDN); });
}

std::string SoftExtended::decimalDigits(int significant, int &decimalExponent) const
{
    mpfr_exp_t power = 0;
    char *written =
        mpfr_get_str(nullptr, &power, 10, static_cast<std::size_t>(significant), Access::View(abs()).get(), MPFR_RNDN);
    std::string digits = written ? written : "";
    mpfr_free_str(written);
    decimalExponent = static_cast<int>(power);
    return digits;
}

SoftExtended::Fields SoftExtended::fields() const
{
    const bool negative = kind < 0;
    if (kind == MPFR_NAN_KIND)
        return {false, 0x7fff, uint64_t{3} << 62};
    if (kind == MPFR_INF_KIND || kind == -MPFR_INF_KIND)
        return {negative, 0x7fff, uint64_t{1} << 63};
    if (kind == MPFR_ZERO_KIND || kind == -MPFR_ZERO_KIND)
        return {negative, 0, 0};
    // A normal number's biased exponent is MPFR's plus 16382; below 1 it is
    // subnormal: biased exponent 0 and the significand shifted right.
    const int64_t biased = exponent + 16382;
    if (biased >= 1)
        return {negative, static_cast<uint16_t>(biased), significand};
    return {negative, 0, significand >> (1 - biased)};
}
