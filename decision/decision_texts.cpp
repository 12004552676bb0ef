#include "decision/decision_texts.h"

#include "runtime/number_text.h"

#include <cmath>

const std::array<DecisionTexts, languageCount> decisionTexts = {{
    {u"Entscheidungsgrenze", u"Entscheidungsgrenze zeigen", u"richtig: %1 von %2",
     u"keine Linie: beide Gewichte sind 0, die ganze Ebene ergibt %1", u"Überlauf der Summe: keine Entscheidung"},
    {u"Decision boundary", u"Show decision boundary", u"correct: %1 of %2",
     u"no line: both weights are 0, the whole plane decides %1", u"the sum overflows: no decision"},
    {u"Rozhodovacia hranica", u"Ukáž rozhodovaciu hranicu", u"správne: %1 zo %2",
     u"žiadna priamka: obe váhy sú 0, celá rovina dáva %1", u"súčet pretečie: žiadne rozhodnutie"},
}};

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
    const DecisionTexts &words = decisionTexts[language < languageCount ? language : English];
    QString text;
    if (neuron.weight1 == 0.0f && neuron.weight2 == 0.0f) {
        const auto whole = decides(neuron, 0.0f, 0.0f);
        text = whole ? QString::fromUtf16(words.noLine).arg(*whole ? 1 : 0) : QString::fromUtf16(words.overflow);
    } else {
        text = signedNumber(neuron.weight1) + QStringLiteral("·x1") + nextTerm(neuron.weight2, QStringLiteral("·x2"));
        if (neuron.bias)
            text += nextTerm(neuron.biasWeight, QString());
        text += QStringLiteral(" = ") + signedNumber(neuron.threshold);
    }
    if (!patterns)
        return text;
    const auto correct = correctCount(neuron, *patterns);
    const QString count = correct ? QString::fromUtf16(words.correct).arg(*correct).arg(patterns->size())
                                  : QString::fromUtf16(words.overflow);
    if (!correct && text.endsWith(count))
        return text;
    return text + QStringLiteral(" — ") + count;
}
