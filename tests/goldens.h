#pragma once
// The goldens (tests/goldens.txt): numbers that x86-64 computed once with
// x87's extended precision, which every build must reproduce bit for bit.
// One case a line, fields apart by blanks; floats as the hex of their bits,
// extended values as x87's fields (extended::fieldsText). Lines:
//   lesson GATE KIND INPUTS BIAS START RATE THRESHOLD W1 W2 W0 COUNT
//          -> W1 W2 W0 INDEX RAISED STEP
//       KIND s(tep), l(inear) or g (sigmoid); START the pattern index before
//       the first iteration; RAISED the iteration that overflowed (0: none)
//       and STEP where (sum, output, error, weight1..3, or -).
//   parse TEXT -> EXTENDED|invalid FLOAT|overflow
//   fixed FLOAT -> TEXT         (with ".")
//   plain EXTENDED -> TEXT      (with ".")
//   sigmoid THRESHOLD SUM -> FLOAT|overflow
//   sum V1 W1 V2 W2 V3 W3 -> FLOAT|overflow

#include "lesson/gate_table.h"
#include "lesson/pattern.h"
#include "lesson/worked_step.h"
#include "neuron/neuron.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>

namespace goldens {

inline std::string hex(float value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08x", std::bit_cast<uint32_t>(value));
    return text;
}

inline float fromHex(const std::string &text)
{
    return std::bit_cast<float>(static_cast<uint32_t>(std::stoul(text, nullptr, 16)));
}

struct Lesson {
    int gate = 1;
    char kind = 's';
    int inputs = 2;
    float bias = 1.0f;
    int32_t start = 4;
    float rate = 0.5f;
    float threshold = 0.5f;
    float weights[3] = {0, 0, 0};
    int64_t count = 1;
};

struct Outcome {
    float weights[3] = {0, 0, 0};
    int32_t index = 0;
    int64_t raised = 0;
    std::string step = "-";
};

// A neuron set up for the lesson, as the window leaves it.
inline void prepare(Neuron &neuron, const Lesson &lesson)
{
    neuron.AnalogOutput = lesson.kind != 's';
    neuron.ActivationMode = lesson.kind == 'g' ? 1 : 0;
    neuron.Threshold = lesson.threshold;
    for (int i = 0; i < lesson.inputs; ++i)
        neuron.SetWeight(i, lesson.weights[i]);
    if (lesson.inputs == 3)
        neuron.SetInput(2, lesson.bias);
}

// Where a worked-out step left the float range.
inline std::string raisingStep(const WorkedStep &worked)
{
    if (!worked.sum)
        return "sum";
    if (!worked.output)
        return "output";
    if (!worked.error)
        return "error";
    for (int k = 0; k < worked.inputs(); ++k)
        if (!worked.newWeights[std::size_t(k)])
            return "weight" + std::to_string(k + 1);
    return "-";
}

} // namespace goldens
