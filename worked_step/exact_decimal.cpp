#include "worked_step/exact_decimal.h"

#include "runtime/number_text.h"

#include <string>

ExactDecimal ExactDecimal::of(float value)
{
    // Read back from the very text the view shows: "-1,25E-7" is -125/10^9.
    const QString text = numtext::formatShortest(value);
    std::string digits;
    int fractionDigits = 0;
    bool afterSeparator = false;
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    for (; i < text.size() && text[i] != u'E'; ++i) {
        if (text[i] < u'0' || text[i] > u'9') {
            afterSeparator = true;
            continue;
        }
        digits += char(text[i].unicode());
        fractionDigits += afterSeparator;
    }
    ExactDecimal result;
    if (digits.empty()) // no number: "NAN", "INF"
        return result;
    const int scale = (i < text.size() ? text.mid(i + 1).toInt() : 0) - fractionDigits;
    std::string fraction = text.startsWith(u'-') ? "-" + digits : digits;
    if (scale >= 0)
        fraction.append(std::size_t(scale), '0');
    else
        fraction += "/1" + std::string(std::size_t(-scale), '0');
    mpq_set_str(result.value, fraction.c_str(), 10);
    mpq_canonicalize(result.value);
    return result;
}
