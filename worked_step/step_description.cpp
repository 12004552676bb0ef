#include "worked_step/step_description.h"

#include "runtime/number_text.h"
#include "ui_common/texts.h"
#include "worked_step/exact_decimal.h"

#include <QStringList>
#include <cmath>

namespace {

constexpr QChar minusSign(0x2212);

// A factor after the first of a product: negative ones in parentheses.
QString factor(float value)
{
    const QString text = stepNumber(value);
    return value < 0 ? QChar(u'(') + text + QChar(u')') : text;
}

// " + a" or " − a" after a first term.
QString joined(float value, const QString &rest)
{
    return (value < 0 ? QStringLiteral(" − ") : QStringLiteral(" + ")) + stepNumber(std::fabs(value)) + rest;
}

class Lines {
public:
    explicit Lines(Language language) : language(language) {}

    QString text(Text key) const { return ::text(key, language); }
    void add(const QString &line) { lines.append(line); }
    // An equation line; marked where it does not hold in exact decimals.
    void addEquation(const QString &line, bool exact)
    {
        lines.append(exact ? line : line + QStringLiteral(" *"));
        anyInexact = anyInexact || !exact;
    }
    QString joinedText() const
    {
        QStringList all = lines;
        if (anyInexact)
            all.append(text(Text::StepRoundingNote));
        return all.join(u'\n');
    }

private:
    Language language;
    QStringList lines;
    bool anyInexact = false;
};

QString resultText(const std::optional<float> &value, const Lines &lines)
{
    return value ? stepNumber(*value) : lines.text(Text::StepOverflow);
}

} // namespace

QString stepNumber(float value)
{
    QString text = numtext::formatShortest(value);
    if (text.startsWith(u'-'))
        text[0] = minusSign;
    return text;
}

QString describeStep(const std::optional<WorkedStep> &given, Language language)
{
    Lines lines(language);
    if (!given)
        return lines.text(Text::StepNothing);
    const WorkedStep &step = *given;
    const int inputs = step.inputs();

    if (step.pattern > 0)
        lines.add(lines.text(Text::StepPattern)
                      .arg(QString::number(step.pattern), stepNumber(step.values[0]), stepNumber(step.values[1]),
                           stepNumber(step.target)));
    else
        lines.add(lines.text(Text::StepInputs).arg(stepNumber(step.values[0]), stepNumber(step.values[1])));

    // w1·x1 + w2·x2 (+ w0·1) = s, in the neuron's order.
    QString sum;
    ExactDecimal exactSum;
    for (int i = 0; i < inputs; ++i) {
        const float w = step.weights[std::size_t(i)], x = step.values[std::size_t(i)];
        const QString times = QChar(u'·') + factor(x);
        sum += i == 0 ? stepNumber(w) + times : joined(w, times);
        exactSum = exactSum + ExactDecimal::of(w) * ExactDecimal::of(x);
    }
    sum += QStringLiteral(" = ") + resultText(step.sum, lines);
    lines.addEquation(lines.text(Text::StepSum).arg(sum), !step.sum || exactSum == ExactDecimal::of(*step.sum));
    if (!step.sum)
        return lines.joinedText();

    const float s = *step.sum;
    switch (step.kind) {
    case OutputKind::Step:
        lines.add(lines.text(Text::StepOutput)
                      .arg(lines.text(s > step.threshold ? Text::StepOne : Text::StepZero)
                               .arg(stepNumber(s), stepNumber(step.threshold))));
        break;
    case OutputKind::Linear:
        lines.add(lines.text(Text::StepOutput).arg(lines.text(Text::StepLinear).arg(stepNumber(s))));
        break;
    case OutputKind::Sigmoid:
        // Not an equation of decimals: e is irrational.
        lines.add(lines.text(Text::StepOutput)
                      .arg(QStringLiteral("1 / (1 + e^(%1 − %2)) = %3")
                               .arg(stepNumber(step.threshold), factor(s), resultText(step.output, lines))));
        break;
    }
    if (!step.learns || !step.output)
        return lines.joinedText();

    // target − output = d
    const float y = *step.output;
    lines.addEquation(
        lines.text(Text::StepError)
            .arg(QStringLiteral("%1 − %2 = %3").arg(stepNumber(step.target), factor(y), resultText(step.error, lines))),
        !step.error || ExactDecimal::of(step.target) - ExactDecimal::of(y) == ExactDecimal::of(*step.error));
    if (!step.error)
        return lines.joinedText();
    const float d = *step.error;
    if (d == 0.0f) {
        lines.add(lines.text(Text::StepWeightsStay));
        return lines.joinedText();
    }

    // w + rate · d · x = w′, bias weight last as in the neuron.
    static const char *const names[] = {"w1", "w2", "w0"};
    for (int i = 0; i < inputs; ++i) {
        const std::size_t k = std::size_t(i);
        const std::optional<float> &next = step.newWeights[k];
        const QString line = QStringLiteral("%1: %2 + %3 · %4 · %5 = %6")
                                 .arg(QString::fromLatin1(names[k]), stepNumber(step.weights[k]), factor(step.rate),
                                      factor(d), factor(step.values[k]), resultText(next, lines));
        const ExactDecimal exact = ExactDecimal::of(step.weights[k]) +
            ExactDecimal::of(step.rate) * ExactDecimal::of(d) * ExactDecimal::of(step.values[k]);
        lines.addEquation(line, !next || exact == ExactDecimal::of(*next));
        if (!next)
            break;
    }
    return lines.joinedText();
}
