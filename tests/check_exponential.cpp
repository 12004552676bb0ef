// How often the sigmoid rule's float result depends on how its extended
// exponential rounds. x87's expl is not always correctly rounded (about one
// argument in ten is an ulp off); the software type's e^x always is. They
// give different floats only where the rule's extended result lies within a
// few of its ulps of a midpoint between two floats. For the thresholds 0,
// 0.5 and 1 and every float sum, this counts the sums that come that close
// and, among them, those where the software rule really gives another float.
// x86-64 only (it needs both); minutes: `make check-exponential`.

#include "float_sweep.h"
#include "runtime/sigmoid.h"
#include "runtime/soft_extended.h"

#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#if TIVARO_NATIVE_EXTENDED

namespace {

struct Counts {
    uint64_t sums = 0;  // sums whose sigmoid is neither 0 nor 1
    uint64_t close = 0; // rule within `closeUlps` of a float midpoint
    uint64_t differ = 0;

    Counts &operator+=(const Counts &other)
    {
        sums += other.sums;
        close += other.close;
        differ += other.differ;
        return *this;
    }
};

// An ulp of e^x moves 1 + e^x and the quotient by at most two ulps more.
constexpr uint64_t closeUlps = 4;
using float_sweep::chunk;
std::mutex printing;

uint64_t significandOf(long double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

Counts checkChunk(float threshold, uint64_t first)
{
    Counts counts;
    for (uint64_t bits = first; bits < first + chunk; ++bits) {
        const float sum = std::bit_cast<float>(static_cast<uint32_t>(bits));
        const double x = static_cast<double>(threshold) - sum;
        if (!(x >= -40.0 && x <= 110.0)) // beyond, the rule gives exactly 1 or 0
            continue;
        const long double e = std::exp(static_cast<long double>(threshold) - sum);
        const long double s = 1.0L / (1.0L + e);
        const float rule = static_cast<float>(s);
        if (rule == 0.0f || rule == 1.0f)
            continue;
        ++counts.sums;
        // A normal float keeps 24 of the 64 bits: 40 dropped bits, whose
        // halfway pattern is 2^39. Subnormal float results (below 2^-126)
        // drop more; they lie beyond x = 87 and are counted by the same test
        // on their own dropped bits.
        int exponent = 0;
        std::frexp(s, &exponent);
        const int dropped = exponent >= -125 ? 40 : std::min(63, 40 + (-125 - exponent));
        const uint64_t low = significandOf(s) & ((uint64_t{1} << dropped) - 1);
        const uint64_t halfway = uint64_t{1} << (dropped - 1);
        if (low + closeUlps < halfway || low > halfway + closeUlps)
            continue;
        ++counts.close;
        const SoftExtended one = 1;
        const SoftExtended soft = one / (one + (SoftExtended(threshold) - SoftExtended(sum)).exp());
        const float softRule = static_cast<float>(soft);
        if (std::bit_cast<uint32_t>(softRule) != std::bit_cast<uint32_t>(rule)) {
            ++counts.differ;
            const std::lock_guard lock(printing);
            std::printf("differ: threshold %.9g sum %a: x87 %a, correctly rounded e^x %a\n", threshold, sum, rule,
                        softRule);
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
    for (const float threshold : {0.0f, 0.5f, 1.0f}) {
        const Counts counts = checkThreshold(threshold);
        std::printf("threshold %g: %llu sums, %llu within %llu ulps of a float midpoint, %llu give another float "
                    "with a correctly rounded exponential\n",
                    threshold, static_cast<unsigned long long>(counts.sums),
                    static_cast<unsigned long long>(counts.close), static_cast<unsigned long long>(closeUlps),
                    static_cast<unsigned long long>(counts.differ));
        std::fflush(stdout);
    }
    return 0;
}

#else

int main()
{
    std::fprintf(stderr, "check_exponential compares with x87's own arithmetic; run it on x86-64\n");
    return 1;
}

#endif
