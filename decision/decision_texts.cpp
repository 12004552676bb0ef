#include "decision/decision_texts.h"

#include "runtime/number_text.h"
#include "ui_common/texts.h"

#include <cmath>

namespace {

constexpr QChar minusSign(0x2212);

// A term after the first: " + 0,25·x2" or " − 0,25·x2".
QString nextTerm(float value, const QString &name)
{
    const QChar sign = value < 0 ? minusSign : QChar(u'+');
    return QStringLiteral(" %1 %2%3").arg(sign, magnitudeText(value), name);
}

QString signedNumber(float value)
{
    return (value < 0 ? QString(minusSign) : QString()) + magnitudeText(value);
}

} // namespace

QString magnitudeText(float value)
{
    return numtext::formatShortest(std::fabs(value));
}

QString describeDecision(const DecisionNeuron &neuron, const std::optional<Patterns> &patterns, Language language)
{
    QString line;
    if (neuron.weight1 == 0.0f && neuron.weight2 == 0.0f) {
        const auto whole = decides(neuron, 0.0f, 0.0f);
        line =
            whole ? text(Text::DecisionNoLine, language).arg(*whole ? 1 : 0) : text(Text::DecisionOverflow, language);
    } else {
        line = signedNumber(neuron.weight1) + QStringLiteral("·x1") + nextTerm(neuron.weight2, QStringLiteral("·x2"));
        if (neuron.bias)
            line += nextTerm(neuron.biasWeight, QString());
        line += QStringLiteral(" = ") + signedNumber(neuron.threshold);
    }
    if (!patterns)
        return line;
    const auto correct = correctCount(neuron, *patterns);
    const QString count = correct ? text(Text::DecisionCorrect, language).arg(*correct).arg(patterns->size())
                                  : text(Text::DecisionOverflow, language);
    if (!correct && line.endsWith(count))
        return line;
    return line + QStringLiteral(" — ") + count;
}
