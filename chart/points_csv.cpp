#include "chart/points_csv.h"

#include "runtime/float32.h"
#include "runtime/number_text.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

QString field(const QString &text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(u'"') && !text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString quoted = text;
    return u'"' + quoted.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString iterationText(double x, QChar decimalSeparator)
{
    // Every lesson point's X is a whole number well inside 64 bits.
    if (x == std::floor(x) && x >= -0x1p63 && x < 0x1p63)
        return QString::number(int64_t(x));
    // Points added otherwise: the shortest fixed decimal that reads back.
    char text[400]; // DBL_MAX has 309 digits, and the smallest value 330 places
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, x, std::chars_format::fixed);
    return QString::fromLatin1(text, written.ptr - text).replace(u'.', decimalSeparator);
}

QString errorText(double y, QChar decimalSeparator)
{
    // A lesson's errors are floats; only points added otherwise need more.
    if (float32::holds(y))
        return numtext::formatShortest(float(y));
    return QLocale::c().toString(y, 'g', QLocale::FloatingPointShortest).replace(u'.', decimalSeparator);
}

} // namespace

QByteArray pointsCsv(const QList<QPointF> &points, const QString &iterationTitle, const QString &errorTitle)
{
    const QChar decimalSeparator = numtext::decimalSeparator();
    const QChar separator = decimalSeparator == u',' ? u';' : u',';
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = field(iterationTitle, separator) + separator + field(errorTitle, separator) + lineEnd;
    text.reserve(text.size() + points.size() * 24);
    for (const QPointF &p : points)
        text += iterationText(p.x(), decimalSeparator) + separator + errorText(p.y(), decimalSeparator) + lineEnd;
    return text.toUtf8();
}
