#pragma once
// Runs a check over every 32-bit pattern, a chunk of patterns at a time, on
// every processor, and adds up what the chunks counted. `Counts` needs +=.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace float_sweep {

constexpr uint64_t patternCount = uint64_t{1} << 32;
constexpr uint64_t chunk = uint64_t{1} << 20;

// `checkChunk(first)` checks the patterns [first, first + chunk).
template <class Counts, class CheckChunk>
Counts everyPattern(CheckChunk checkChunk)
{
    std::atomic<uint64_t> next{0};
    std::mutex adding;
    Counts total;
    auto work = [&] {
        Counts mine;
        for (uint64_t first; (first = next.fetch_add(chunk)) < patternCount;)
            mine += checkChunk(first);
        const std::lock_guard lock(adding);
        total += mine;
    };
    std::vector<std::jthread> workers(std::max(1u, std::thread::hardware_concurrency()));
    for (std::jthread &worker : workers)
        worker = std::jthread(work);
    workers.clear(); // joins
    return total;
}

} // namespace float_sweep
