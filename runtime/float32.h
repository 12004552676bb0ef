#pragma once
// Rounding extended-precision results to the neuron's 32-bit storage.
// A result beyond the 32-bit range is an error, never a saturation.

#include "app_error.h"
#include "extended.h"

#include <cmath>
#include <optional>

namespace float32 {

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
