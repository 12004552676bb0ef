#include "chart/axis_labels.h"

#include "runtime/number_text.h"

#include <algorithm>
#include <cmath>

namespace axis_labels {

QLocale numberLocale()
{
    // Each groups digits with the other mark: "1.000.000" beside "0,5", "1,000,000" beside "0.5".
    return numtext::decimalSeparator() == u',' ? QLocale(QLocale::German, QLocale::Germany)
                                               : QLocale(QLocale::English, QLocale::UnitedStates);
}

QString text(double value, int decimals)
{
    return numberLocale().toString(value, 'f', decimals);
}

double interval(double span, double increment, int room)
{
    const double needed = span / std::max(room, 1);
    double base = increment;
    if (!(base > 0) || !std::isfinite(base)) {
        if (!(needed > 0) || !std::isfinite(needed))
            return 1;
        base = std::pow(10.0, std::floor(std::log10(needed)));
    }
    if (!(needed > base) || !std::isfinite(needed))
        return base;

    const double decade = base * std::pow(10.0, std::floor(std::log10(needed / base)));
    for (double factor : {1.0, 2.0, 5.0, 10.0, 20.0}) {
        const double candidate = decade * factor;
        if (candidate >= needed * (1 - 1e-12) && std::isfinite(candidate))
            return candidate;
    }
    return needed; // only at the very top of the double range
}

int decimals(double interval)
{
    constexpr int mostDigits = 15;
    if (!(interval > 0) || !std::isfinite(interval))
        return 0;
    double scaled = interval;
    for (int digits = 0; digits < mostDigits; ++digits, scaled *= 10) {
        if (std::abs(scaled - std::round(scaled)) <= 1e-9 * std::max(1.0, scaled))
            return digits;
    }
    return mostDigits;
}

} // namespace axis_labels
