#include "lesson/lesson_run.h"

namespace {

bool isBit(float value)
{
    return value == 0.0f || value == 1.0f;
}

#if TIVARO_X86
[[gnu::target("avx")]] void zeroUpperHalves()
{
    __builtin_ia32_vzeroupper();
}
#endif

} // namespace

bool LessonRun::processorHasFusedMultiplyAdd()
{
#if TIVARO_X86
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("fma") != 0;
    }();
    return has;
#elif defined(__FP_FAST_FMA)
    return true; // part of the instruction set (arm64)
#else
    return false;
#endif
}

void LessonRun::clearUpperVectorState()
{
#if TIVARO_X86
    static const bool hasAvx = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    if (hasAvx)
        zeroUpperHalves();
#endif
}

LessonRun::Variant LessonRun::variantOf() const
{
    for (const Pattern &pattern : patterns)
        if (!isBit(pattern.In1) || !isBit(pattern.In2))
            return Variant::Exact;
    const int inputs = neuron.InputCount;
    // Inputs beyond the two pattern inputs keep their value for the whole run.
    if (inputs == 3 && !isBit(neuron.GetInput(2)))
        return Variant::Exact;
    if (inputs != 2 && inputs != 3)
        return Variant::Exact;
    const bool three = inputs == 3;
    switch (outputKindOf(neuron)) {
    case OutputKind::Step: return three ? Variant::Step3 : Variant::Step2;
    case OutputKind::Linear: return three ? Variant::Linear3 : Variant::Linear2;
    case OutputKind::Sigmoid: return three ? Variant::Sigmoid3 : Variant::Sigmoid2;
    }
    return Variant::Exact;
}

float LessonRun::exactIterationFrom(const Pattern &pattern, int inputs, float (&weights)[3])
{
    for (int i = 0; i < inputs; ++i)
        neuron.SetWeight(i, weights[i]);
    const float error = exactIteration(neuron, pattern, rate);
    for (int i = 0; i < inputs; ++i)
        weights[i] = neuron.GetWeight(i);
    return error;
}

int64_t LessonRun::runCollecting(int64_t count, float *&next)
{
    return run(count, [&next](float error) noexcept { *next++ = error; });
}

int64_t LessonRun::runQuietly(int64_t count)
{
    return run(count, [](float) noexcept {});
}
