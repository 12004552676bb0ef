#include "runtime/random.h"

#include <chrono>
#include <utility>

namespace {

// The seed is 0 until something reseeds it; the start-up and every
// randomisation of the neuron reseed it from the clock.
uint32_t g_seed = 0;

std::function<uint32_t()> &ticksSource()
{
    static std::function<uint32_t()> source;
    return source;
}

uint32_t systemTicks()
{
    // The monotonic clock in nanoseconds stands in for the high-resolution
    // performance counter; only its low 32 bits are used.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    return static_cast<uint32_t>(static_cast<uint64_t>(ns));
}

} // namespace

namespace rng {

void setSeed(uint32_t seed)
{
    g_seed = seed;
}

uint32_t seed()
{
    return g_seed;
}

void reseedFromClock()
{
    g_seed = clock_source::ticks();
}

Extended draw()
{
    // Unsigned arithmetic wraps modulo 2^32 by definition.
    g_seed = g_seed * 134775813u + 1u;
    // 2^32 is a power of two and the seed has 32 bits: the quotient is exact.
    return Extended(g_seed) / Extended(4294967296.0);
}

} // namespace rng

namespace clock_source {

uint32_t ticks()
{
    const auto &source = ticksSource();
    return source ? source() : systemTicks();
}

void setTicksSource(std::function<uint32_t()> source)
{
    ticksSource() = std::move(source);
}

} // namespace clock_source
