// For the thresholds 0, 0.5 and 1, every float sum whose sigmoid is neither
// 0 nor 1: the fast sigmoids against the extended rule, bit for bit. Those
// are the double exponential and the lessons' cursor with its cubic, plain
// and fused; the cursor walks the sums in order, as a lesson's sum moves.
// Too slow for the test run (minutes); `make check-sigmoid` builds and runs it.

#include "float_sweep.h"
#include "runtime/sigmoid_cursor.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct Counts {
    uint64_t checked = 0;
    uint64_t differ = 0;

    Counts &operator+=(const Counts &other)
    {
        checked += other.checked;
        differ += other.differ;
        return *this;
    }
};

// Beyond these arguments the rule's result is exactly 1 or 0.
constexpr double lowestArgument = -40.0;  // e^-40 < 2^-57: 1 + e^x rounds to 1 in float
constexpr double highestArgument = 110.0; // e^-110 < 2^-158: the float result is 0

using float_sweep::chunk;

std::mutex printing;

// The sums with bit patterns [first, first + chunk). The rule depends only
// on the extended argument, which neighbouring tiny sums often share.
Counts checkChunk(float threshold, uint64_t first)
{
    Counts counts;
    long double lastArgument = -1;
    float rule = 0;
    float32::SigmoidCursor plain(threshold), fused(threshold);
    for (uint64_t bits = first; bits < first + chunk; ++bits) {
        const float sum = std::bit_cast<float>(static_cast<uint32_t>(bits));
        const double x = static_cast<double>(threshold) - sum;
        if (!(x >= lowestArgument && x <= highestArgument))
            continue; // also skips infinite and NaN sums
        const long double argument = static_cast<long double>(threshold) - sum;
        if (argument != lastArgument) {
            lastArgument = argument;
            rule = float32::sigmoidExtended(threshold, sum);
        }
        if (rule == 0.0f || rule == 1.0f)
            continue;
        ++counts.checked;
        const float results[] = {float32::sigmoid(threshold, sum), plain.at<false>(sum), fused.at<true>(sum)};
        for (const float fast : results) {
            if (std::bit_cast<uint32_t>(fast) != std::bit_cast<uint32_t>(rule)) {
                ++counts.differ;
                const std::lock_guard lock(printing);
                std::printf("differ: threshold %.9g sum %.9g: fast %a, rule %a\n", threshold, sum, fast, rule);
            }
        }
    }
    return counts;
}

Counts checkThreshold(float threshold)
{
    return float_sweep::everyPattern<Counts>([threshold](uint64_t first) { return checkChunk(threshold, first); });
}

} // namespace

int main()
{
    uint64_t differ = 0;
    for (const float threshold : {0.0f, 0.5f, 1.0f}) {
        const uint64_t fallbacksBefore = float32::sigmoidFallbacks;
        const uint64_t movesBefore = float32::sigmoidCursorMoves;
        const Counts counts = checkThreshold(threshold);
        const uint64_t fellBack = float32::sigmoidFallbacks - fallbacksBefore;
        const uint64_t moves = float32::sigmoidCursorMoves - movesBefore;
        std::printf("threshold %g: %llu sums checked, %llu fell back to the extended rule, "
                    "%llu cursor calls missed the cubic, %llu results differ\n",
                    threshold, static_cast<unsigned long long>(counts.checked),
                    static_cast<unsigned long long>(fellBack), static_cast<unsigned long long>(moves),
                    static_cast<unsigned long long>(counts.differ));
        std::fflush(stdout);
        differ += counts.differ;
    }
    return differ == 0 ? 0 : 1;
}
