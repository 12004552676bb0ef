#pragma once
// Comparing and naming extended values in tests, whichever type Extended is
// on this processor, and the reference conversion of a decimal text: the C
// library's strtold where long double is x87's, MPFR's elsewhere.

#include "runtime/extended.h"

#include <QString>

#include <cctype>

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

// Same value, same sign of zero; NaNs are all alike.
inline bool sameExtended(const Extended &a, const Extended &b)
{
    if (extended::isNan(a) || extended::isNan(b))
        return extended::isNan(a) && extended::isNan(b);
    return a == b && extended::signBit(a) == extended::signBit(b);
}

// "1.2345678901234567890e-3 (0x3ff5:a1cac083126e978d)"
inline QString describe(const Extended &value)
{
    QString text = QString::fromStdString(extended::fieldsText(value));
    if (extended::isFinite(value) && value != 0) {
        const extended::DecimalDigits decimal = extended::toDecimal(extended::abs(value), 21);
        text = QString::fromLatin1(extended::signBit(value) ? "-" : "") + QChar(u'0') + QChar(u'.') +
            QString::fromStdString(decimal.digits) + QStringLiteral("e") + QString::number(decimal.exponent) +
            QStringLiteral(" (") + text + u')';
    }
    return text;
}

// An ASCII number text with a point ("-12.5e3") as the C library reads it
// in the C locale.
inline Extended referenceDecimal(const char *asciiWithPoint)
{
#if TIVARO_NATIVE_EXTENDED
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtold_l(asciiWithPoint, nullptr, c);
#else
    // Digits and an exponent alone, so that no locale's point plays a part.
    std::string text = asciiWithPoint, digits;
    long exponent = 0, pointAt = -1, count = 0;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        digits += text[i++] == '-' ? "-" : "";
    for (; i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            pointAt = count;
        } else {
            digits += text[i];
            ++count;
        }
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E'))
        exponent = std::strtol(text.c_str() + i + 1, nullptr, 10);
    if (pointAt >= 0)
        exponent -= count - pointAt;
    return extended::fromDecimal(digits + "e" + std::to_string(exponent));
#endif
}
