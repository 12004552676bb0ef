#pragma once
// The program's one pseudo-random generator: 32-bit linear congruential,
// seed := seed * 134775813 + 1 (mod 2^32), a draw is the new seed / 2^32.

#include "runtime/extended.h"

#include <cstdint>
#include <functional>

namespace rng {

void setSeed(uint32_t seed);
uint32_t seed();
// Reseeds from the clock (clock::ticks()).
void reseedFromClock();
// A uniform draw in [0, 1), exact in extended precision.
Extended draw();

} // namespace rng

namespace clock_source {
// Low 32 bits of a high-resolution monotonic counter.
uint32_t ticks();
// Tests fix the clock with a function of their own; an empty one restores
// the system clock.
void setTicksSource(std::function<uint32_t()> source);
} // namespace clock_source
