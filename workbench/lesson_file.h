#pragma once
// A lesson as a file keeps it: everything the window shows and everything
// the next lesson depends on, exactly, so that opening it brings back the
// same window, chart and views, and the next lesson gives, bit for bit, what
// it would have given. UTF-8 JSON with a format name and a version; floats
// as the shortest decimals that read back as the same float, with a dot,
// so a person can read them; the chart's points as one compressed block.
//
// Reading checks everything before anything is used: a text that is not a
// lesson, is damaged or cut short, comes from a newer version or holds a
// value that no window could show is refused whole, with the reason.

#include "decision/decision_rule.h"
#include "lesson/lesson_session.h"
#include "lesson/worked_step.h"
#include "ui_common/language.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

struct LessonFile {
    static constexpr int version = 1;
    // No lesson file is larger: refused by its size before it is read.
    static constexpr qint64 mostBytes = qint64(24) << 20;
    // The longest text an edit takes.
    static constexpr int longestEditText = 32767;

    // The window.
    Language language = Language::German;
    std::optional<Language> languageChosen; // the radio button checked; none at start
    bool biasBox = false;
    bool sumBox = false; // the neuron shows its sum
    bool sigmoidBox = false;
    bool graphBox = false;
    struct Texts {
        QString input1, input2, weight1, weight2, weight0, output, threshold, learningRate, repeat, counter;
        QString targets; // the target list, as it reads
        bool operator==(const Texts &) const = default;
    } texts;
    bool nextInputEnabled = false;
    bool lessonEnabled = false;

    // The lesson below it.
    SessionState session;

    // The views beside it.
    bool decisionOpen = false;
    bool workedStepOpen = false;
    int32_t presentedPattern = 0; // the pattern whose inputs were presented last; 0 for others
    std::optional<WorkedStep> lastStep;
    std::vector<DecisionNeuron> trail;

    // The error chart.
    QByteArray chartPoints; // as the store writes them
    double axisMaximum = 100;

    bool operator==(const LessonFile &) const = default;
};

// Why a file was not opened; `where` names the value for OutOfRange.
struct LessonFileProblem {
    enum class Kind { NotALesson, Damaged, Newer, OutOfRange, TooLarge };
    Kind kind;
    QString where;
};

QByteArray lessonToJson(const LessonFile &lesson);
std::variant<LessonFile, LessonFileProblem> lessonFromJson(const QByteArray &json);
