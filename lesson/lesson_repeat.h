#pragma once
// A lesson whose weights come back, at the same pattern, to values they held
// before repeats itself from there on, bit for bit: threshold, rate and
// output stay fixed while it runs, so the weights and the pattern cursor are
// all the state there is. Most lessons get there early (the weights stand
// still, or move and return within one pass over the patterns), and from
// then on only the counter and the chart change. LessonRepeat notices the
// return between the runs of a lesson and finishes every whole period still
// to go at once.
//
// The returns are found Brent's way: the state after a run is compared with
// a snapshot that is renewed at doubling distances, so a repeat shows within
// about twice the iterations it took to start, at the cost of one comparison
// per run, none inside the loop.

#include "lesson/lesson_run.h"

#include <array>
#include <cstdint>
#include <vector>

class LessonRepeat {
public:
    // The farthest a snapshot is kept: a period must show within this many
    // iterations (4 MB of errors at most).
    static constexpr int64_t longestReach = int64_t{1} << 20;

    // Watches the neuron and the cursor of `lesson`.
    explicit LessonRepeat(LessonRun &lesson) : lesson(lesson) {}

    struct Shortcut {
        int64_t period = 0; // iterations of one period; 0: no shortcut
        int64_t count = 0;  // iterations finished: whole periods, the first of them run
    };

    // After each run of `ran` iterations, with `left` still to run. Once the
    // lesson repeats, runs one period (its errors in periodErrors()) and
    // counts as many more as fit into `left` without running them: the
    // neuron and the cursor stand where all of them would have left them.
    Shortcut afterRun(int64_t ran, int64_t left);

    // The errors of one period, from the first iteration after the return.
    const std::vector<float> &periodErrors() const { return errors; }

private:
    struct State {
        std::array<float, 3> weights{};
        std::array<float, 2> inputs{};
        int32_t patternIndex = 0;
        // Bit for bit, so zeros of both signs stay apart.
        bool sameAs(const State &other, int inputCount) const;
    };
    State now() const;
    void restore(const State &state);
    int64_t findPeriod(const State &start, int64_t within, int64_t left);

    LessonRun &lesson;
    State snapshot;
    bool haveSnapshot = false;
    bool finished = false; // shortcut taken, or none can come
    int64_t sinceSnapshot = 0;
    int64_t reach = 0; // the snapshot is renewed once this many iterations passed
    std::vector<float> errors;
};
