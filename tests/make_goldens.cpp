// Writes the goldens (see goldens.h) to standard output, from the exact
// rule with x87's own arithmetic. Run once on x86-64, where the result is
// the contract; elsewhere it refuses:
//   cmake --build build --target make_goldens && build/tests/make_goldens > tests/goldens.txt

#include "goldens.h"
#include "lesson/perceptron_rule.h"
#include "lesson/worked_step_rule.h"
#include "runtime/app_error.h"
#include "runtime/number_text.h"
#include "runtime/sigmoid.h"

#include <mpfr.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace {

std::mt19937_64 g_random(20261208);

uint64_t draw(uint64_t below)
{
    return g_random() % below;
}

// Floats of every kind, the ordinary ones most often.
float anyFloat()
{
    switch (draw(8)) {
    case 0: return std::bit_cast<float>(uint32_t(g_random()) & 0x7f7fffffu) * (draw(2) ? 1 : -1);
    case 1: return std::ldexp(float(draw(1 << 20)) / (1 << 20), int(draw(250)) - 125) * (draw(2) ? 1 : -1);
    default: return std::uniform_real_distribution<float>(-4, 4)(g_random);
    }
}

float rateOf()
{
    switch (draw(10)) {
    case 0: return std::ldexp(1.0f, int(draw(8)) + 120); // overflows soon
    case 1: return std::ldexp(float(draw(1000) + 1), int(draw(40)) + 60);
    case 2: return float(draw(20) + 1) / 10;
    case 3: return anyFloat();
    default: return std::uniform_real_distribution<float>(0.001f, 1.5f)(g_random);
    }
}

float weightOf()
{
    switch (draw(6)) {
    case 0: return std::ldexp(float(draw(1 << 24)) / (1 << 24), 128) * (draw(2) ? 1 : -1); // near the top
    case 1: return anyFloat();
    default: return std::uniform_real_distribution<float>(-1, 1)(g_random);
    }
}

const char *kindName(char kind)
{
    return kind == 's' ? "s" : kind == 'l' ? "l" : "g";
}

void lessons(int count)
{
    for (int n = 0; n < count; ++n) {
        goldens::Lesson lesson;
        lesson.gate = int(draw(4)) + 1;
        lesson.kind = "slg"[draw(3)];
        lesson.inputs = draw(2) ? 3 : 2;
        // A bias input other than 1 takes the exact loop.
        lesson.bias = draw(10) ? 1.0f : std::uniform_real_distribution<float>(-2, 2)(g_random);
        lesson.start = int32_t(draw(4)) + 1;
        lesson.rate = rateOf();
        lesson.threshold = draw(4) ? std::uniform_real_distribution<float>(-2, 2)(g_random) : anyFloat();
        for (int i = 0; i < lesson.inputs; ++i)
            lesson.weights[i] = weightOf();
        lesson.count = int64_t(draw(40)) + 1;

        const Patterns patterns = gatePatterns(lesson.gate);
        Neuron neuron(lesson.inputs);
        goldens::prepare(neuron, lesson);
        goldens::Outcome outcome;
        int32_t index = lesson.start;
        for (int64_t i = 1; i <= lesson.count; ++i) {
            index = nextPatternIndex(index);
            const Pattern &pattern = patterns[std::size_t(index - 1)];
            const WorkedStep before = lessonStep(neuron, pattern, index, lesson.rate);
            try {
                exactIteration(neuron, pattern, lesson.rate);
            } catch (const AppError &) {
                outcome.raised = i;
                outcome.step = goldens::raisingStep(workOut(before));
                break;
            }
        }
        std::printf("lesson %d %s %d %s %d %s %s", lesson.gate, kindName(lesson.kind), lesson.inputs,
                    goldens::hex(lesson.bias).c_str(), lesson.start, goldens::hex(lesson.rate).c_str(),
                    goldens::hex(lesson.threshold).c_str());
        for (const float w : lesson.weights)
            std::printf(" %s", goldens::hex(w).c_str());
        std::printf(" %lld ->", static_cast<long long>(lesson.count));
        for (int i = 0; i < 3; ++i)
            std::printf(" %s", goldens::hex(i < lesson.inputs ? neuron.GetWeight(i) : 0.0f).c_str());
        std::printf(" %d %lld %s\n", index, static_cast<long long>(outcome.raised), outcome.step.c_str());
    }
}

std::string randomDigits(std::size_t count)
{
    std::string digits;
    for (std::size_t i = 0; i < count; ++i)
        digits += char('0' + draw(10));
    return digits;
}

void parseCase(const std::string &text)
{
    const QString qtext = QString::fromStdString(text);
    const std::optional<Extended> value = numtext::tryParseFloat(qtext);
    std::string stored = "invalid";
    if (value) {
        const std::optional<float> narrowed = float32::tryStore(*value);
        stored = narrowed ? goldens::hex(*narrowed) : "overflow";
    }
    std::printf("parse %s -> %s %s\n", text.c_str(), value ? extended::fieldsText(*value).c_str() : "invalid",
                stored.c_str());
}

// The exact decimal expansion of (2 m + 1) 2^(e - 1), half way between
// m 2^e and its neighbour, in "d.ddd" and an exponent.
std::string midpointText(uint64_t m, long e)
{
    mpfr_t midpoint;
    mpfr_init2(midpoint, 66);
    mpfr_set_uj(midpoint, m, MPFR_RNDN);
    mpfr_mul_2ui(midpoint, midpoint, 1, MPFR_RNDN);
    mpfr_add_ui(midpoint, midpoint, 1, MPFR_RNDN);
    mpfr_mul_2si(midpoint, midpoint, e - 1, MPFR_RNDN);
    const int precision = 40 + (e < 0 ? int(0.7 * double(-e)) : int(0.31 * double(e)));
    char *printed = nullptr;
    mpfr_asprintf(&printed, "%.*Re", precision, midpoint);
    std::string text = printed;
    mpfr_free_str(printed);
    mpfr_clear(midpoint);
    const std::size_t at = text.find('e');
    std::string mantissa = text.substr(0, at);
    while (mantissa.back() == '0')
        mantissa.pop_back();
    return mantissa + text.substr(at);
}

void parses(int count)
{
    for (int n = 0; n < count; ++n) {
        std::string text = draw(4) ? "" : "-";
        switch (draw(6)) {
        case 0: // long digit strings
            text += randomDigits(draw(60) + 20) + (draw(2) ? "." : ",") + randomDigits(draw(60));
            break;
        case 1: { // at, above and below the midpoint between two extended values
            const long e = draw(3) ? long(draw(200)) - 100 - 63 : long(draw(32700)) - 16445;
            uint64_t m = g_random() | (e > -16445 ? uint64_t{1} << 63 : 0);
            if (draw(2))
                m &= ~uint64_t{1};
            std::string mid = midpointText(m, e);
            if (mid.size() > 1200) // keep the file small; the tests reach the longest ones
                continue;
            const std::size_t at = mid.find('e');
            const int variant = int(draw(3));
            if (variant == 1)
                mid.insert(at, std::string(draw(20), '0') + "1");
            else if (variant == 2 && mid[at - 1] > '0' && mid[at - 1] != '.')
                mid[at - 1] = char(mid[at - 1] - 1), mid.insert(at, "999999");
            text += mid;
            break;
        }
        case 2: { // half way between two floats
            const float below = std::bit_cast<float>(uint32_t(g_random()) & 0x7f7fffffu);
            text += midpointText(uint64_t((std::bit_cast<uint32_t>(below) & 0x7fffff) |
                                          (std::bit_cast<uint32_t>(below) >= 0x800000 ? 0x800000 : 0)),
                                 long(std::max(1u, std::bit_cast<uint32_t>(below) >> 23)) - 150);
            break;
        }
        case 3: // exponents at the ends of both ranges
            text += randomDigits(draw(20) + 1) + "e" + std::to_string(int(draw(10000)) - 5000);
            break;
        case 4: // what users type
            text += std::to_string(draw(100)) + (draw(2) ? "," : ".") + randomDigits(draw(5));
            break;
        default: // not numbers
            text += std::string("1e") + (draw(2) ? "+" : "x") + randomDigits(draw(3));
            break;
        }
        parseCase(text);
    }
}

void fixedCase(float value)
{
    std::printf("fixed %s -> %s\n", goldens::hex(value).c_str(), numtext::formatFixed(value).toStdString().c_str());
}

void plainCase(Extended value)
{
    std::printf("plain %s -> %s\n", extended::fieldsText(value).c_str(),
                numtext::formatPlain(value).toStdString().c_str());
}

void formats(int count)
{
    // Exact halves at the digits kept: m / 2^k for small k.
    for (int k = 0; k <= 14; ++k)
        for (int m = 1; m < 2000; m += int(draw(40)) + 1) {
            const float value = std::ldexp(float(m), -k);
            fixedCase(value);
            fixedCase(std::nextafter(value, 0.0f));
            fixedCase(-std::nextafter(value, 1e30f));
            plainCase(Extended(value) / 3);
        }
    for (int n = 0; n < count; ++n) {
        fixedCase(anyFloat());
        const uint64_t m = g_random() | uint64_t{1} << 63;
        plainCase(extended::scaled(m, draw(4) ? int(draw(140)) - 70 - 63 : int(draw(32000)) - 16000));
        // Draws, as the neuron's values.
        plainCase(n % 2 ? Extended(anyFloat()) : Extended(unsigned(g_random())) / Extended(4294967296.0));
    }
}

void sigmoids(int count)
{
    for (int n = 0; n < count; ++n) {
        const float threshold = draw(4) ? std::uniform_real_distribution<float>(-4, 4)(g_random) : anyFloat();
        float sum;
        if (draw(5)) {
            // The argument where the sigmoid is half way between two floats.
            const float below = std::bit_cast<float>(
                uint32_t(std::bit_cast<uint32_t>(1e-38f) + draw(std::bit_cast<uint32_t>(1.0f) - 0x00800000u)));
            const long double midpoint = (static_cast<long double>(below) + std::nextafter(below, 2.0f)) / 2;
            sum = static_cast<float>(threshold - std::log(1 / midpoint - 1));
            for (int i = int(draw(7)); i > 0; --i)
                sum = std::nextafter(sum, draw(2) ? INFINITY : -INFINITY);
        } else {
            sum = draw(2) ? anyFloat() : threshold - float(draw(2) ? 11356.52L : 88.72L);
        }
        std::string output;
        try {
            output = goldens::hex(float32::sigmoidExtended(threshold, sum));
        } catch (const AppError &) {
            output = "overflow";
        }
        std::printf("sigmoid %s %s -> %s\n", goldens::hex(threshold).c_str(), goldens::hex(sum).c_str(),
                    output.c_str());
    }
}

void sums(int count)
{
    for (int n = 0; n < count; ++n) {
        Neuron neuron(3);
        for (int i = 0; i < 3; ++i) {
            neuron.SetInput(i, draw(3) ? std::uniform_real_distribution<float>(-2, 2)(g_random) : anyFloat());
            neuron.SetWeight(i, draw(3) ? weightOf() : anyFloat());
        }
        std::string sum;
        try {
            sum = goldens::hex(neuron.WeightedSum());
        } catch (const AppError &) {
            sum = "overflow";
        }
        std::printf("sum");
        for (int i = 0; i < 3; ++i)
            std::printf(" %s %s", goldens::hex(neuron.GetInput(i)).c_str(), goldens::hex(neuron.GetWeight(i)).c_str());
        std::printf(" -> %s\n", sum.c_str());
    }
}

} // namespace

int main()
{
#if !TIVARO_NATIVE_EXTENDED
    std::fprintf(stderr, "make_goldens: the goldens come from x87's own arithmetic; run it on x86-64\n");
    return 1;
#else
    numtext::setDecimalSeparator(u'.');
    std::printf("# Goldens: numbers x86-64 computed with x87's extended precision (tests/goldens.h).\n");
    std::printf("# Written by tests/make_goldens.cpp; do not edit.\n");
    lessons(10000);
    parses(4000);
    formats(2500);
    sigmoids(6000);
    sums(3000);
    return 0;
#endif
}
