#pragma once
// Converting between the numbers of the workbench and the texts of its edits.
//
// Reading accepts "." and "," alike as the decimal separator, so a user
// never loses a typed value to the locale; writing always uses the user's
// own separator (decimalSeparator()).

#include "runtime/extended.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace numtext {

// The user's decimal separator. Read from the system locale at start-up
// and whenever the system announces a change; tests set it directly.
// Only "." and "," are separators: anything else (also from the system
// locale) is taken as ".", so that every written number reads back.
QChar decimalSeparator();
void setDecimalSeparator(QChar separator);
// The system locale's separator by the same rule, for re-reading it when the
// system announces a change: setDecimalSeparator(systemDecimalSeparator()).
QChar systemDecimalSeparator();

// Floating-point text: optional blanks, optional sign, digits with at most
// one decimal separator (which may also stand before or after all digits),
// an optional exponent "E"/"e" with optional sign and digits, optional blanks.
// Anything else (empty, "inf", "nan", hex, grouping, two separators) is no number.
// Blanks are spaces and tabs; digits are ASCII "0"-"9" only. The value is
// correctly rounded to the extended type however long the text; a value
// beyond its range is a number too (infinite), tiny ones become 0.
std::optional<Extended> tryParseFloat(const QString &text);
// As tryParseFloat, raising errors::invalidFloat(text) for a bad text.
Extended parseFloat(const QString &text);
// parseFloat, then stored as a 32-bit float: beyond its range raises
// errors::floatOverflow().
float parseFloat32(const QString &text);

// Integer text: optional blanks, optional sign, decimal digits, optional blanks.
std::optional<int64_t> tryParseInt64(const QString &text);
// Signed 32-bit; raises errors::invalidInteger(text) otherwise.
int32_t parseInt32(const QString &text);
// Signed 64-bit; raises errors::invalidInteger(text) otherwise.
int64_t parseInt64(const QString &text);

// Fixed display format: rounded to two significant digits or four decimals,
// whichever keeps fewer digits (ties away from zero, on the 18-digit decimal
// expansion), written with four decimals, or as "1.2E0002" from three integer
// digits on. Rounding to zero gives no minus sign.
QString formatFixed(float value);

// Plain display format: shortest form with up to 15 significant digits,
// no trailing zeros ("1", "0", "0.25", "1E20").
QString formatPlain(Extended value);

// The shortest decimal that reads back as the same 32-bit float, with the
// user's separator: "0,35", "-0,4", "0,20000002"; from 10^10 on and below
// 10^-5 with an exponent ("3,4028235E38", "1E-7"). Zero (either sign) is "0".
QString formatShortest(float value);

// A constant number text written with a comma in the source ("0,500"),
// rewritten with the user's decimal separator.
QString localized(const char *commaText);

} // namespace numtext
