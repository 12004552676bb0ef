#include "runtime/extended.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if TIVARO_NATIVE_EXTENDED && defined(__GLIBC__)
#include <clocale>
#include <locale.h>
#endif

namespace extended {

#if TIVARO_NATIVE_EXTENDED

Extended fromDecimal(const std::string &text)
{
    // No decimal point in the text, so the C library's numeric locale
    // (which Qt sets from the environment) plays no part; with glibc the C
    // locale is named explicitly all the same.
#if defined(__GLIBC__)
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    if (cLocale)
        return strtold_l(text.c_str(), nullptr, cLocale);
#endif
    return std::strtold(text.c_str(), nullptr);
}

DecimalDigits toDecimal(Extended magnitude, int significant)
{
    // Digits, a radix character of up to a few bytes, and the exponent.
    std::string buffer(static_cast<std::size_t>(significant) + 32, '\0');
    std::snprintf(buffer.data(), buffer.size(), "%.*Le", significant - 1, magnitude);
    // The radix character of "%e" follows the C library's numeric locale
    // (possibly a multi-byte one), so only digits and the exponent are read.
    DecimalDigits result;
    const char *p = buffer.c_str();
    for (; *p && *p != 'e' && *p != 'E'; ++p) {
        if (*p >= '0' && *p <= '9')
            result.digits += *p;
    }
    int exponent = 0;
    bool negativeExponent = false;
    if (*p) {
        ++p;
        if (*p == '+' || *p == '-')
            negativeExponent = (*p++ == '-');
        for (; *p >= '0' && *p <= '9'; ++p)
            exponent = exponent * 10 + (*p - '0');
    }
    result.exponent = (negativeExponent ? -exponent : exponent) + 1;
    return result;
}

Fields fieldsOf(Extended value)
{
    // x87's 80 bits: the significand first, then sign and exponent.
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof bytes);
    uint64_t significand;
    uint16_t signAndExponent;
    std::memcpy(&significand, bytes, 8);
    std::memcpy(&signAndExponent, bytes + 8, 2);
    return {(signAndExponent & 0x8000) != 0, static_cast<uint16_t>(signAndExponent & 0x7fff), significand};
}

#else

Extended fromDecimal(const std::string &text)
{
    return SoftExtended::fromDecimal(text);
}

DecimalDigits toDecimal(Extended magnitude, int significant)
{
    DecimalDigits result;
    result.digits = magnitude.decimalDigits(significant, result.exponent);
    return result;
}

Fields fieldsOf(Extended value)
{
    const SoftExtended::Fields fields = value.fields();
    return {fields.negative, fields.exponent, fields.significand};
}

#endif

std::string fieldsText(Extended value)
{
    const Fields fields = fieldsOf(value);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%s0x%04x:%016" PRIx64, fields.negative ? "-" : "",
                  static_cast<unsigned>(fields.exponent), fields.significand);
    return buffer;
}

} // namespace extended
