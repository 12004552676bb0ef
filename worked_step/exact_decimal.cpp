#include "worked_step/exact_decimal.h"

#include "runtime/number_text.h"

#include <algorithm>

namespace {

using Limbs = std::vector<uint32_t>;
constexpr uint64_t base = 1'000'000'000;

void trim(Limbs &limbs)
{
    while (!limbs.empty() && limbs.back() == 0)
        limbs.pop_back();
}

void multiplySmall(Limbs &limbs, uint32_t factor)
{
    uint64_t carry = 0;
    for (uint32_t &limb : limbs) {
        const uint64_t product = uint64_t(limb) * factor + carry;
        limb = uint32_t(product % base);
        carry = product / base;
    }
    if (carry)
        limbs.push_back(uint32_t(carry));
    trim(limbs);
}

int compare(const Limbs &a, const Limbs &b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    return 0;
}

Limbs add(const Limbs &a, const Limbs &b)
{
    Limbs sum(std::max(a.size(), b.size()) + 1, 0);
    uint64_t carry = 0;
    for (std::size_t i = 0; i < sum.size(); ++i) {
        const uint64_t s = carry + (i < a.size() ? a[i] : 0) + (i < b.size() ? b[i] : 0);
        sum[i] = uint32_t(s % base);
        carry = s / base;
    }
    trim(sum);
    return sum;
}

// a − b for a ≥ b.
Limbs subtract(const Limbs &a, const Limbs &b)
{
    Limbs difference(a.size(), 0);
    int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        int64_t d = int64_t(a[i]) - borrow - (i < b.size() ? int64_t(b[i]) : 0);
        borrow = d < 0;
        difference[i] = uint32_t(d + (borrow ? int64_t(base) : 0));
    }
    trim(difference);
    return difference;
}

Limbs multiply(const Limbs &a, const Limbs &b)
{
    if (a.empty() || b.empty())
        return {};
    std::vector<uint64_t> wide(a.size() + b.size() + 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        uint64_t carry = 0;
        for (std::size_t j = 0; j < b.size(); ++j) {
            const uint64_t t = wide[i + j] + uint64_t(a[i]) * b[j] + carry;
            wide[i + j] = t % base;
            carry = t / base;
        }
        for (std::size_t k = i + b.size(); carry; ++k) {
            const uint64_t t = wide[k] + carry;
            wide[k] = t % base;
            carry = t / base;
        }
    }
    Limbs product(wide.begin(), wide.end());
    trim(product);
    return product;
}

} // namespace

ExactDecimal ExactDecimal::of(float value)
{
    // Read back from the very text the view shows.
    const QString text = numtext::formatShortest(value);
    ExactDecimal result;
    qsizetype i = 0;
    if (i < text.size() && text[i] == u'-') {
        result.negative = true;
        ++i;
    }
    int fractionDigits = 0;
    bool afterSeparator = false;
    for (; i < text.size() && text[i] != u'E'; ++i) {
        if (!text[i].isDigit()) {
            afterSeparator = true;
            continue;
        }
        multiplySmall(result.magnitude, 10);
        result.magnitude = add(result.magnitude, Limbs{uint32_t(text[i].digitValue())});
        fractionDigits += afterSeparator;
    }
    const int written = i < text.size() ? text.mid(i + 1).toInt() : 0;
    result.exponent = written - fractionDigits;
    if (result.magnitude.empty())
        result.negative = false;
    return result;
}

ExactDecimal ExactDecimal::scaledTo(int lower) const
{
    ExactDecimal scaled = *this;
    for (; scaled.exponent > lower; --scaled.exponent)
        multiplySmall(scaled.magnitude, 10);
    return scaled;
}

ExactDecimal operator+(const ExactDecimal &a, const ExactDecimal &b)
{
    const int common = std::min(a.exponent, b.exponent);
    const ExactDecimal x = a.scaledTo(common), y = b.scaledTo(common);
    ExactDecimal sum;
    sum.exponent = common;
    if (x.negative == y.negative) {
        sum.magnitude = add(x.magnitude, y.magnitude);
        sum.negative = x.negative;
    } else if (compare(x.magnitude, y.magnitude) >= 0) {
        sum.magnitude = subtract(x.magnitude, y.magnitude);
        sum.negative = x.negative;
    } else {
        sum.magnitude = subtract(y.magnitude, x.magnitude);
        sum.negative = y.negative;
    }
    if (sum.magnitude.empty())
        sum.negative = false;
    return sum;
}

ExactDecimal operator-(const ExactDecimal &a, const ExactDecimal &b)
{
    ExactDecimal negated = b;
    negated.negative = !b.magnitude.empty() && !b.negative;
    return a + negated;
}

ExactDecimal operator*(const ExactDecimal &a, const ExactDecimal &b)
{
    ExactDecimal product;
    product.magnitude = multiply(a.magnitude, b.magnitude);
    product.exponent = a.exponent + b.exponent;
    product.negative = !product.magnitude.empty() && a.negative != b.negative;
    return product;
}

bool operator==(const ExactDecimal &a, const ExactDecimal &b)
{
    const int common = std::min(a.exponent, b.exponent);
    const ExactDecimal x = a.scaledTo(common), y = b.scaledTo(common);
    return x.negative == y.negative && x.magnitude == y.magnitude;
}
