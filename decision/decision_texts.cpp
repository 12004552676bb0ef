#include "decision/decision_texts.h"

#include "runtime/number_text.h"
#include "ui_common/texts.h"

#include <cmath>

namespace {

constexpr QChar minusSign(0x2212);

bool roundsToZero(float value)
{
    return magnitudeText(value) == magnitudeText(0.0f);
}

// A term after the first: " + 0,25·x2" or " − 0,25·x2".
QString nextTerm(float value, const QString &name)
{
    const QChar sign = value < 0 && !roundsToZero(value) ? minusSign : QChar(u'+');
    return QStringLiteral(" %1 %2%3").arg(sign, magnitudeText(value), name);
}

QString signedNumber(float value)
{
    return (value < 0 && !roundsToZero(value) ? QString(minusSign) : QString()) + magnitudeText(value);
}

} // namespace

QString magnitudeText(float value)
{
    const long double magnitude = std::fabs(static_cast<long double>(value));
    if (!(magnitude < 1e6L))
        return numtext::formatFixed(static_cast<float>(magnitude));
    // Hundredths, ties away from zero like the edits; exact, since a float
    // times 100 fits an extended mantissa.
    const long long hundredths = std::llroundl(magnitude * 100.0L);
    return QStringLiteral("%1%2%3")
        .arg(hundredths / 100)
        .arg(numtext::decimalSeparator())
        .arg(hundredths % 100, 2, 10, QChar(u'0'));
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
