#include "runtime/number_text.h"

#include "runtime/app_error.h"
#include "runtime/extended.h"
#include "runtime/float32.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace numtext {

namespace {

// ---------------------------------------------------------------------------
// Decimal separator

QChar normalizedSeparator(QChar candidate)
{
    return (candidate == u'.' || candidate == u',') ? candidate : QChar(u'.');
}

QChar systemSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : normalizedSeparator(point.front());
}

// The module variable; read from the system locale on first use unless a
// caller has set it before.
bool g_separatorKnown = false;
QChar g_separator = u'.';

// ---------------------------------------------------------------------------
// Scanning

inline bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// Both number grammars open with optional blanks and an optional sign.
// Moves p past them; returns whether the sign was a minus.
inline bool readBlanksAndSign(const char16_t *&p, const char16_t *end)
{
    while (p != end && isBlank(*p))
        ++p;
    if (p != end && (*p == u'+' || *p == u'-'))
        return *p++ == u'-';
    return false;
}
inline bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}
inline bool isSeparator(char16_t c)
{
    return c == u'.' || c == u',';
}

// Significant digits handed to the conversion at most. Every midpoint between two
// adjacent x87 extended values (the only points where round-to-nearest
// changes its result) has at most about 11516 significant decimal digits
// (the smallest is an odd 65-bit integer times 2^-16446). Keeping this many
// digits and standing in for any non-zero digits dropped behind them with
// one extra "1" (a sticky digit) keeps the value on the same side of every
// midpoint, so the rounding stays correct however long the text is.
constexpr std::size_t kMaxDigits = 11600;

// Beyond this decimal exponent (applied to an integer of at most
// kMaxDigits + 1 digits) the result is infinite or zero anyway.
constexpr int64_t kExponentClamp = 200000;
// Exponent digits saturate here; with texts shorter than 2^40 characters the
// sum below cannot overflow int64 and still lies beyond kExponentClamp.
constexpr int64_t kExponentSaturation = int64_t(1) << 40;

Extended decimalToExtended(bool negative, std::string &digits, int64_t exponent10)
{
    exponent10 = std::clamp(exponent10, -kExponentClamp, kExponentClamp);
    if (negative)
        digits.insert(digits.begin(), '-');
    digits += 'e';
    digits += std::to_string(exponent10);
    return extended::fromDecimal(digits);
}

// ---------------------------------------------------------------------------
// Writing

using extended::DecimalDigits;

void stripTrailingZeros(std::string &digits)
{
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

QString nonFiniteText(Extended value)
{
    if (extended::isNan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Writes 0.d1d2... × 10^point, with the user's separator and no trailing
// zeros beyond what the integer part needs: plainly while the point stands
// within `widestInteger` digits of the first and at most four zeros come
// between the separator and it ("120", "0,0001"), else as "1,2E-5".
// `digits` holds at least one digit, the first not zero, the last not zero.
QString placeDigits(bool negative, const std::string &digits, int point, int widestInteger)
{
    const QChar separator = decimalSeparator();
    const auto digitText = [&](std::size_t from, std::size_t count) {
        return QString::fromLatin1(digits.data() + from, qsizetype(count));
    };
    QString text = negative ? QStringLiteral("-") : QString();
    if (point > widestInteger || point < -4) {
        text += digitText(0, 1);
        if (digits.size() > 1)
            text += separator + digitText(1, digits.size() - 1);
        text += u'E' + QString::number(point - 1);
    } else if (point <= 0) {
        text += u'0' + QString(separator) + QString(-point, u'0') + digitText(0, digits.size());
    } else {
        const std::size_t integerDigits = std::size_t(point);
        if (digits.size() <= integerDigits)
            text += digitText(0, digits.size()) + QString(qsizetype(integerDigits - digits.size()), u'0');
        else
            text += digitText(0, integerDigits) + separator + digitText(integerDigits, digits.size() - integerDigits);
    }
    return text;
}

} // namespace

// ---------------------------------------------------------------------------

QChar decimalSeparator()
{
    if (!g_separatorKnown) {
        g_separator = systemSeparator();
        g_separatorKnown = true;
    }
    return g_separator;
}

// Anything but "." or "," is taken as "." (the same rule as for the system
// locale's separator), so that every written number reads back.
void setDecimalSeparator(QChar separator)
{
    g_separator = normalizedSeparator(separator);
    g_separatorKnown = true;
}

QChar systemDecimalSeparator()
{
    return systemSeparator();
}

std::optional<Extended> tryParseFloat(const QString &text)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *const end = p + text.size();
    const bool negative = readBlanksAndSign(p, end);

    // Mantissa: digits with at most one separator anywhere among them.
    std::string kept;           // significant digits, at most kMaxDigits
    bool sticky = false;        // a non-zero digit was dropped behind them
    int64_t digitCount = 0;     // all mantissa digits
    int64_t leadingZeros = 0;   // zeros before the first non-zero digit
    int64_t pointPosition = -1; // digits before the separator
    for (; p != end; ++p) {
        const char16_t c = *p;
        if (isDigit(c)) {
            if (kept.empty() && c == u'0') {
                ++leadingZeros;
            } else if (kept.size() < kMaxDigits) {
                kept += char(c);
            } else if (c != u'0') {
                sticky = true;
            }
            ++digitCount;
        } else if (isSeparator(c) && pointPosition < 0) {
            pointPosition = digitCount;
        } else {
            break;
        }
    }
    if (digitCount == 0)
        return std::nullopt;
    if (pointPosition < 0)
        pointPosition = digitCount;

    // Exponent.
    int64_t exponent = 0;
    if (p != end && (*p == u'e' || *p == u'E')) {
        ++p;
        bool negativeExponent = false;
        if (p != end && (*p == u'+' || *p == u'-'))
            negativeExponent = (*p++ == u'-');
        if (p == end || !isDigit(*p))
            return std::nullopt;
        for (; p != end && isDigit(*p); ++p) {
            exponent = exponent * 10 + (*p - u'0');
            if (exponent > kExponentSaturation)
                exponent = kExponentSaturation;
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    while (p != end && isBlank(*p))
        ++p;
    if (p != end)
        return std::nullopt;

    if (kept.empty()) // all digits zero
        return negative ? -Extended(0) : Extended(0);

    // value = 0.(significant digits) * 10^(pointPosition - leadingZeros + exponent)
    if (sticky)
        kept += '1';
    else
        stripTrailingZeros(kept);
    const int64_t exponent10 = pointPosition - leadingZeros + exponent - static_cast<int64_t>(kept.size());
    return decimalToExtended(negative, kept, exponent10);
}

Extended parseFloat(const QString &text)
{
    const std::optional<Extended> value = tryParseFloat(text);
    if (!value)
        throw errors::invalidFloat(text);
    return *value;
}

float parseFloat32(const QString &text)
{
    return float32::store(parseFloat(text));
}

std::optional<int64_t> tryParseInt64(const QString &text)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *const end = p + text.size();
    const bool negative = readBlanksAndSign(p, end);

    // The magnitude may reach 2^63 for a negative number.
    const uint64_t limit = negative ? uint64_t(1) << 63 : uint64_t(std::numeric_limits<int64_t>::max());
    uint64_t magnitude = 0;
    bool anyDigit = false;
    for (; p != end && isDigit(*p); ++p) {
        const uint64_t digit = uint64_t(*p - u'0');
        if (magnitude > (limit - digit) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
        anyDigit = true;
    }
    if (!anyDigit)
        return std::nullopt;

    while (p != end && isBlank(*p))
        ++p;
    if (p != end)
        return std::nullopt;

    if (negative)
        return magnitude == (uint64_t(1) << 63) ? std::numeric_limits<int64_t>::min()
                                                : -static_cast<int64_t>(magnitude);
    return static_cast<int64_t>(magnitude);
}

int32_t parseInt32(const QString &text)
{
    const std::optional<int64_t> value = tryParseInt64(text);
    if (!value || *value < std::numeric_limits<int32_t>::min() || *value > std::numeric_limits<int32_t>::max())
        throw errors::invalidInteger(text);
    return static_cast<int32_t>(*value);
}

int64_t parseInt64(const QString &text)
{
    const std::optional<int64_t> value = tryParseInt64(text);
    if (!value)
        throw errors::invalidInteger(text);
    return *value;
}

QString formatFixed(float value)
{
    const Extended wide = value;
    if (!extended::isFinite(wide))
        return nonFiniteText(wide);

    const QChar separator = decimalSeparator();
    const QString zero = QStringLiteral("0") + separator + QStringLiteral("0000");
    if (wide == 0)
        return zero;

    // The 18-digit expansion: 0.d1...d18 * 10^exponent.
    DecimalDigits decimal = extended::toDecimal(extended::abs(wide), 18);
    std::string &digits = decimal.digits;
    int exponent = decimal.exponent;

    // Keep two significant digits or the digits down to the fourth decimal,
    // whichever are fewer.
    const int keep = std::min(2, exponent + 4);
    if (keep < 0)
        return zero;
    const bool roundUp = static_cast<std::size_t>(keep) < digits.size() && digits[keep] >= '5';
    digits.resize(keep);
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else { // carried out of every kept digit: 99.5 -> 100
            digits.insert(digits.begin(), '1');
            ++exponent;
        }
    }
    stripTrailingZeros(digits);
    if (digits.empty())
        return zero;

    QString text;
    if (wide < 0)
        text += u'-';
    auto digitAt = [&](int position) { // 1-based position in 0.d1 d2 ...
        return (position >= 1 && static_cast<std::size_t>(position) <= digits.size())
            ? QChar(char16_t(digits[position - 1]))
            : QChar(u'0');
    };
    if (exponent <= 2) {
        if (exponent <= 0) {
            text += u'0';
        } else {
            for (int position = 1; position <= exponent; ++position)
                text += digitAt(position);
        }
        text += separator;
        for (int decimalPlace = 1; decimalPlace <= 4; ++decimalPlace)
            text += digitAt(exponent + decimalPlace);
    } else {
        text += digitAt(1);
        if (digits.size() >= 2 && digits[1] != '0') {
            text += separator;
            text += digitAt(2);
        }
        text += u'E';
        text += QStringLiteral("%1").arg(exponent - 1, 4, 10, QChar(u'0'));
    }
    return text;
}

QString formatPlain(Extended value)
{
    if (!extended::isFinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return QStringLiteral("0");

    DecimalDigits decimal = extended::toDecimal(extended::abs(value), 15);
    stripTrailingZeros(decimal.digits);
    return placeDigits(value < 0, decimal.digits, decimal.exponent, 15);
}

QString formatShortest(float value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (value == 0)
        return QStringLiteral("0");

    // Without a precision, to_chars writes the shortest digits that read
    // back as the same float: "d.ddde+XX".
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
    std::string digits;
    const char *p = buffer;
    for (; p != written.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    int exponent = 0;
    if (p != written.ptr)
        std::from_chars(p + 1 + (p[1] == '+'), written.ptr, exponent); // from_chars takes no "+"
    stripTrailingZeros(digits);
    // d.ddd × 10^exponent is 0.dddd × 10^(exponent + 1).
    return placeDigits(value < 0, digits, exponent + 1, 10);
}

QString localized(const char *commaText)
{
    QString text = QString::fromUtf8(commaText);
    text.replace(u',', decimalSeparator());
    return text;
}

} // namespace numtext
