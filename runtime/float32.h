#pragma once
// Rounding extended-precision results to the neuron's 32-bit storage.
// A result beyond the 32-bit range is an error, never a saturation.

#include "app_error.h"
#include "extended.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>

namespace float32 {

// Whether `value` is a float's value, bit for bit, as a float widened to a
// double gives it.
inline bool holds(double value)
{
    // Beyond the float range the conversion itself would be undefined.
    return (std::isinf(value) || std::fabs(value) <= FLT_MAX) &&
        std::bit_cast<uint64_t>(double(float(value))) == std::bit_cast<uint64_t>(value);
}

// Rounds to a 32-bit float; empty when the rounded value does not fit (or
// the input already is infinite or not a number). For what must never raise,
// such as a paint.
inline std::optional<float> tryStore(Extended value)
{
    const float stored = static_cast<float>(value);
    if (!std::isfinite(stored)) [[unlikely]]
        return std::nullopt;
    return stored;
}

// A stored result, or errors::floatOverflow() raised where there is none.
inline float orOverflow(std::optional<float> stored)
{
    if (!stored) [[unlikely]]
        throw errors::floatOverflow();
    return *stored;
}

// As tryStore, raising errors::floatOverflow() where it gives nothing.
inline float store(Extended value)
{
    return orOverflow(tryStore(value));
}

// Natural exponential in extended precision; overflow of the extended
// range raises errors::floatOverflow().
inline Extended exp(Extended x)
{
    const Extended result = extended::exp(x);
    if (!extended::isFinite(result)) [[unlikely]]
        throw errors::floatOverflow();
    return result;
}

} // namespace float32
