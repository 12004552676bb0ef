// The goldens (goldens.h): every lesson, text, format, sigmoid and sum that
// x86-64 computed with x87's extended precision, computed again here by the
// program's own paths (the fast lesson loops, the fast sigmoids) and
// compared bit for bit.

#include "goldens.h"
#include "lesson/lesson_run.h"
#include "lesson/worked_step_rule.h"
#include "runtime/app_error.h"
#include "runtime/number_text.h"
#include "runtime/sigmoid_cursor.h"

#include <QFile>
#include <QTest>

#include <map>
#include <sstream>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

// The fields before and after "->".
struct Line {
    Fields given, expected;
};

std::map<std::string, std::vector<Line>> readGoldens()
{
    std::map<std::string, std::vector<Line>> byTag;
    QFile file(QStringLiteral(TIVARO_GOLDENS));
    if (!file.open(QIODevice::ReadOnly))
        return byTag;
    while (!file.atEnd()) {
        const QByteArray text = file.readLine().trimmed();
        if (text.isEmpty() || text.startsWith('#'))
            continue;
        std::istringstream words(text.toStdString());
        std::string tag, word;
        words >> tag;
        Line line;
        bool after = false;
        while (words >> word) {
            if (word == "->")
                after = true;
            else
                (after ? line.expected : line.given).push_back(word);
        }
        byTag[tag].push_back(std::move(line));
    }
    return byTag;
}

const std::map<std::string, std::vector<Line>> &goldenLines()
{
    static const auto lines = readGoldens();
    return lines;
}

QByteArray describe(const Line &line)
{
    QByteArray text;
    for (const std::string &word : line.given)
        text += QByteArray::fromStdString(word).left(80) + ' ';
    text += "->";
    for (const std::string &word : line.expected)
        text += ' ' + QByteArray::fromStdString(word);
    return text;
}

goldens::Outcome runLesson(const goldens::Lesson &lesson)
{
    const Patterns patterns = gatePatterns(lesson.gate);
    Neuron neuron(lesson.inputs);
    goldens::prepare(neuron, lesson);
    goldens::Outcome outcome;
    const int32_t first = nextPatternIndex(lesson.start);
    const WorkedStep firstStep = lessonStep(neuron, patterns[std::size_t(first - 1)], first, lesson.rate);
    std::vector<float> errors(std::size_t(lesson.count));
    float *next = errors.data();
    LessonRun run(neuron, patterns, lesson.rate, lesson.start);
    try {
        run.runCollecting(lesson.count, next);
    } catch (const AppError &) {
        outcome.raised = (next - errors.data()) + 1;
        outcome.step = goldens::raisingStep(workOut(raisingIteration(firstStep, patterns, outcome.raised)));
    }
    for (int i = 0; i < lesson.inputs; ++i)
        outcome.weights[i] = neuron.GetWeight(i);
    outcome.index = run.patternIndex();
    return outcome;
}

} // namespace

class GoldensTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!goldenLines().empty(), TIVARO_GOLDENS " is missing or empty");
        numtext::setDecimalSeparator(u'.');
    }

    void lessons()
    {
        const auto &lines = goldenLines().at("lesson");
        QVERIFY(lines.size() >= 10000);
        int raised = 0;
        for (const Line &line : lines) {
            const Fields &g = line.given;
            goldens::Lesson lesson;
            lesson.gate = std::stoi(g[0]);
            lesson.kind = g[1][0];
            lesson.inputs = std::stoi(g[2]);
            lesson.bias = goldens::fromHex(g[3]);
            lesson.start = std::stoi(g[4]);
            lesson.rate = goldens::fromHex(g[5]);
            lesson.threshold = goldens::fromHex(g[6]);
            for (int i = 0; i < 3; ++i)
                lesson.weights[i] = goldens::fromHex(g[std::size_t(7 + i)]);
            lesson.count = std::stoll(g[10]);
            const goldens::Outcome got = runLesson(lesson);
            const Fields computed = {goldens::hex(got.weights[0]), goldens::hex(got.weights[1]),
                                     goldens::hex(got.weights[2]), std::to_string(got.index),
                                     std::to_string(got.raised),   got.step};
            QVERIFY2(computed == line.expected, describe(line));
            raised += got.raised != 0;
        }
        // The set must reach the overflow too.
        QVERIFY(raised > 100);
    }

    void texts()
    {
        for (const Line &line : goldenLines().at("parse")) {
            const std::optional<Extended> value = numtext::tryParseFloat(QString::fromStdString(line.given[0]));
            std::string stored = "invalid";
            if (value) {
                const std::optional<float> narrowed = float32::tryStore(*value);
                stored = narrowed ? goldens::hex(*narrowed) : "overflow";
            }
            const Fields computed = {value ? extended::fieldsText(*value) : "invalid", stored};
            QVERIFY2(computed == line.expected, describe(line));
        }
        for (const Line &line : goldenLines().at("fixed")) {
            const std::string text = numtext::formatFixed(goldens::fromHex(line.given[0])).toStdString();
            QVERIFY2(text == line.expected[0], describe(line) + " != " + QByteArray::fromStdString(text));
        }
        for (const Line &line : goldenLines().at("plain")) {
            const Extended value = fromFieldsText(line.given[0]);
            QVERIFY2(extended::fieldsText(value) == line.given[0], describe(line));
            const std::string text = numtext::formatPlain(value).toStdString();
            QVERIFY2(text == line.expected[0], describe(line) + " != " + QByteArray::fromStdString(text));
        }
    }

    // The rule, the fast sigmoid and a cursor that comes from afar.
    void sigmoids()
    {
        for (const Line &line : goldenLines().at("sigmoid")) {
            const float threshold = goldens::fromHex(line.given[0]), sum = goldens::fromHex(line.given[1]);
            const auto outputOf = [&](auto sigmoid) {
                try {
                    return goldens::hex(sigmoid());
                } catch (const AppError &) {
                    return std::string("overflow");
                }
            };
            float32::SigmoidCursor cursor(threshold);
            cursor.at(threshold - 3.0f);
            const std::string expected = line.expected[0];
            QVERIFY2(outputOf([&] { return float32::sigmoidExtended(threshold, sum); }) == expected, describe(line));
            QVERIFY2(outputOf([&] { return float32::sigmoid(threshold, sum); }) == expected, describe(line));
            QVERIFY2(outputOf([&] { return cursor.at(sum); }) == expected, describe(line));
        }
    }

    void sums()
    {
        for (const Line &line : goldenLines().at("sum")) {
            Neuron neuron(3);
            for (int i = 0; i < 3; ++i) {
                neuron.SetInput(i, goldens::fromHex(line.given[std::size_t(2 * i)]));
                neuron.SetWeight(i, goldens::fromHex(line.given[std::size_t(2 * i + 1)]));
            }
            std::string sum;
            try {
                sum = goldens::hex(neuron.WeightedSum());
            } catch (const AppError &) {
                sum = "overflow";
            }
            QVERIFY2(sum == line.expected[0], describe(line));
        }
    }

private:
    // "-0x3fff:8000000000000000" back to the value.
    static Extended fromFieldsText(const std::string &text)
    {
        const bool negative = text[0] == '-';
        const std::size_t colon = text.find(':');
        const unsigned exponent = unsigned(std::stoul(text.substr(negative ? 3 : 2), nullptr, 16));
        const uint64_t significand = std::stoull(text.substr(colon + 1), nullptr, 16);
        const Extended magnitude = extended::scaled(significand, int(exponent == 0 ? 1 : exponent) - 16383 - 63);
        return negative ? -magnitude : magnitude;
    }
};

QTEST_GUILESS_MAIN(GoldensTest)
#include "test_goldens.moc"
