// Fuzz-style test of the number texts (runtime/number_text.h): many random
// and hostile texts against the parsers (checked against a grammar and the
// C library's own conversion), texts at and around the exact midpoints
// between extended values (where a conversion that drops digits rounds
// wrongly), and many random floats against the fixed display format. Each
// run draws from a fixed, printed seed; TIVARO_FUZZ_SEED gives another.

#include "extended_support.h"
#include "raised_message.h"
#include "runtime/number_text.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

#include <mpfr.h> // exact midpoints of extended values (65 bits)

#include <bit>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <optional>
#include <random>

namespace {

constexpr int kTexts = 100000;
constexpr int kFloats = 100000;
constexpr int kMidpoints = 400;

// ---------------------------------------------------------------------------
// Reference implementations, independent of numtext.

locale_t cLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

const QRegularExpression &floatGrammar()
{
    static const QRegularExpression re(
        QStringLiteral("\\A[ \\t]*[+-]?(?:[0-9]+[.,]?[0-9]*|[.,][0-9]+)(?:[eE][+-]?[0-9]+)?[ \\t]*\\z"));
    return re;
}

const QRegularExpression &integerGrammar()
{
    static const QRegularExpression re(QStringLiteral("\\A[ \\t]*[+-]?[0-9]+[ \\t]*\\z"));
    return re;
}

std::optional<Extended> referenceFloat(const QString &text)
{
    if (!floatGrammar().match(text).hasMatch())
        return std::nullopt;
    QByteArray ascii = text.toLatin1();
    ascii.replace(' ', "").replace('\t', "").replace(',', '.');
    return referenceDecimal(ascii.constData());
}

std::optional<int64_t> referenceInteger(const QString &text)
{
    if (!integerGrammar().match(text).hasMatch())
        return std::nullopt;
    QByteArray ascii = text.toLatin1();
    ascii.replace(' ', "").replace('\t', "");
    errno = 0;
    const long long value = strtoll_l(ascii.constData(), nullptr, 10, cLocale());
    if (errno == ERANGE)
        return std::nullopt;
    return value;
}

bool same(const Extended &a, const Extended &b)
{
    return a == b && extended::signBit(a) == extended::signBit(b);
}

QString visible(const QString &text)
{
    QString out;
    const int limit = 120;
    for (qsizetype i = 0; i < text.size() && i < limit; ++i) {
        const QChar c = text[i];
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
    }
    if (text.size() > limit)
        out += QStringLiteral("... (%1 chars)").arg(text.size());
    return QStringLiteral("\"") + out + QStringLiteral("\"");
}

// ---------------------------------------------------------------------------
// Text generators.

class TextMaker {
public:
    explicit TextMaker(uint64_t seed) : random(seed) {}

    QString make()
    {
        const int kind = pick(100);
        if (kind < 28)
            return randomChars();
        if (kind < 72)
            return mutate(number());
        if (kind < 86)
            return number();
        if (kind < 90)
            return integer();
        if (kind < 93)
            return hugeExponent();
        if (kind < 95)
            return longDigits();
        return mutate(randomChars() + number());
    }

private:
    int pick(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); }
    bool chance(int percent) { return pick(100) < percent; }

    QChar hostile()
    {
        static const char16_t chars[] = {
            u'\u0660',
            u'\u0661',
            u'\u0669',
            u'\u06F5',
            u'\u0966',
            u'\u0967',
            u'\uFF10',
            u'\uFF11',
            u'\uFF0E',
            u'\uFF0C',
            u'\u00B2',
            u'\u2070',
            u'\u2081',
            u'\u200F',
            u'\u200E',
            u'\u061C',
            u'\u202E',
            u'\u00A0',
            u'\u202F',
            u'\u2009',
            u'\u3000',
            u'\u2212',
            u'\uFE63',
            u'\u066B',
            u'\u066C',
            u'\u00B7',
            u'\u2024',
            u'\uFEFF',
            char16_t(0xD83D),
            char16_t(0xDE00),
            u'\0',
            u'\n',
            u'\r',
            u'\v',
            u'\f',
            u'x',
            u'X',
            u'i',
            u'n',
            u'f',
            u'a',
            u'N',
            u'I',
            u'd',
            u'D',
            u'p',
            u'$',
            u'#',
            u'_',
            u'\'',
            u'\u00E9',
            u'\u0435', // Cyrillic e
        };
        return QChar(chars[pick(int(std::size(chars)))]);
    }

    QChar numberish()
    {
        static const char chars[] = "0123456789012345678900000999995+-.,.,eE \t";
        return QChar(char16_t(chars[pick(int(sizeof chars - 1))]));
    }

    QString randomChars()
    {
        const int length = pick(24);
        QString text;
        for (int i = 0; i < length; ++i)
            text += chance(12) ? hostile() : numberish();
        return text;
    }

    QString blanks()
    {
        QString text;
        const int n = chance(70) ? 0 : pick(4);
        for (int i = 0; i < n; ++i)
            text += chance(75) ? u' ' : u'\t';
        return text;
    }

    QString digits(int maxLength, bool allowEmpty)
    {
        int n = pick(maxLength + 1);
        if (!allowEmpty && n == 0)
            n = 1;
        QString text;
        text.reserve(n);
        const bool zeros = chance(15);
        for (int i = 0; i < n; ++i) {
            const uint64_t r = random();
            text += QChar(char16_t(u'0' + (zeros && r % 5 != 0 ? 0 : (r >> 8) % 10)));
        }
        return text;
    }

    QString sign()
    {
        const int s = pick(6);
        return s == 0 ? QStringLiteral("-") : s == 1 ? QStringLiteral("+") : QString();
    }

    QString number()
    {
        QString text = blanks() + sign();
        const int shape = pick(4);
        const QChar separator = chance(50) ? u'.' : u',';
        if (shape == 0) {
            text += digits(12, false);
        } else if (shape == 1) {
            text += digits(10, false) + separator + digits(10, true);
        } else if (shape == 2) {
            text += separator + digits(10, false);
        } else {
            text += digits(25, true) + separator + digits(25, true);
        }
        if (chance(35)) {
            text += chance(50) ? u'e' : u'E';
            text += sign();
            text += chance(85) ? digits(3, false) : digits(12, false);
        }
        return text + blanks();
    }

    QString integer()
    {
        QString text = blanks() + sign();
        if (chance(30))
            text += QString(pick(30), u'0');
        text += digits(20, false);
        return text + blanks();
    }

    QString hugeExponent()
    {
        return blanks() + sign() + digits(5, false) + (chance(50) ? QStringLiteral("e") : QStringLiteral("E")) +
            sign() + digits(40, false) + blanks();
    }

    QString longDigits()
    {
        const int length = chance(10) ? 11000 + pick(6000) : 300 + pick(2000);
        QString mantissa = digits(length, false);
        if (chance(50))
            mantissa.insert(pick(int(mantissa.size()) + 1), chance(50) ? u'.' : u',');
        if (chance(40))
            mantissa.prepend(QString(pick(6000), u'0'));
        if (chance(50))
            mantissa += QStringLiteral("e") + sign() + digits(6, false);
        return chance(20) ? mutate(mantissa) : mantissa;
    }

    QString mutate(QString text)
    {
        const int edits = 1 + pick(2);
        for (int e = 0; e < edits; ++e) {
            const int at = pick(int(text.size()) + 1);
            switch (pick(4)) {
            case 0: text.insert(at, chance(30) ? hostile() : numberish()); break;
            case 1:
                if (at < text.size())
                    text.remove(at, 1);
                break;
            case 2:
                if (at < text.size())
                    text[at] = chance(30) ? hostile() : numberish();
                break;
            default: break; // unchanged: a valid number now and then
            }
        }
        return text;
    }

    std::mt19937_64 random;
};

// ---------------------------------------------------------------------------
// Float generators.

float randomFloat(std::mt19937_64 &random)
{
    const int kind = int(random() % 4);
    if (kind == 0) // any bit pattern: subnormals, infinities, NaNs included
        return std::bit_cast<float>(uint32_t(random()));
    if (kind == 1) { // a decimal value near the rounding borders
        static const double borders[] = {0.5,    0.95,    0.995, 0.9995,  0.99995, 0.125,  1.25,  9.5,
                                         9.95,   99.5,    995,   0.00005, 0.00015, 0.0005, 0.005, 0.05,
                                         0.0095, 0.00095, 99.95, 105,     10,      100};
        const double base = borders[random() % std::size(borders)];
        const double scale = std::pow(10.0, int(random() % 7) - 3);
        float value = float(base * (random() % 2 ? scale : 1.0));
        const int steps = int(random() % 5) - 2;
        for (int i = 0; i < std::abs(steps); ++i)
            value = std::nextafter(value, steps > 0 ? FLT_MAX : 0.0f);
        return random() % 2 ? -value : value;
    }
    if (kind == 2) { // the program's usual range
        const double value = std::uniform_real_distribution<double>(-200.0, 200.0)(random);
        return float(value);
    }
    // log-uniform over the whole range
    const double exponent = std::uniform_real_distribution<double>(-46.0, 38.5)(random);
    const float value = float(std::pow(10.0, exponent));
    return random() % 2 ? -value : value;
}

} // namespace

// QVERIFY2 builds its message every time; this one only on a failure.
#define CHECK(condition, message)                                                                                      \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            QTest::qFail(qPrintable(QStringLiteral(#condition ": ") + (message)), __FILE__, __LINE__);                 \
            return;                                                                                                    \
        }                                                                                                              \
    } while (false)

class RuntimeFuzzTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void texts();
    void midpoints();
    void floats();

private:
    uint64_t seed = 0;
};

void RuntimeFuzzTest::initTestCase()
{
    bool ok = false;
    seed = qEnvironmentVariable("TIVARO_FUZZ_SEED").toULongLong(&ok);
    if (!ok)
        seed = 20261208;
    qInfo("fuzz seed: %llu (set TIVARO_FUZZ_SEED=%llu to repeat this run)", static_cast<unsigned long long>(seed),
          static_cast<unsigned long long>(seed));
}

void RuntimeFuzzTest::texts()
{
    TextMaker maker(seed);
    QElapsedTimer timer;
    timer.start();
    int valid = 0, validIntegers = 0, overflows = 0;
    for (int i = 0; i < kTexts; ++i) {
        numtext::setDecimalSeparator(i % 2 ? u',' : u'.');
        const QString text = maker.make();
        const auto where = [&] { return QStringLiteral("text %1 %2 (seed %3)").arg(i).arg(visible(text)).arg(seed); };

        // Floating point.
        const std::optional<Extended> expected = referenceFloat(text);
        const std::optional<Extended> got = numtext::tryParseFloat(text);
        CHECK(got.has_value() == expected.has_value(), where());
        const QString invalidFloat =
            QStringLiteral("'") + text + QStringLiteral("' is not a valid floating point value");
        Extended parsed = 0;
        QString error = raisedMessage([&] { parsed = numtext::parseFloat(text); });
        float stored = 0;
        const QString error32 = raisedMessage([&] { stored = numtext::parseFloat32(text); });
        if (expected) {
            ++valid;
            CHECK(same(*got, *expected), where());
            CHECK(error.isEmpty(), where() + QStringLiteral(": ") + error);
            CHECK(same(parsed, *expected), where());
            const float narrowed = static_cast<float>(*expected);
            if (std::isfinite(narrowed)) {
                CHECK(error32.isEmpty(), where() + QStringLiteral(": ") + error32);
                CHECK(stored == narrowed && std::signbit(stored) == std::signbit(narrowed), where());
            } else {
                ++overflows;
                CHECK(error32 == QStringLiteral("Floating point overflow"), where() + QStringLiteral(": ") + error32);
            }
        } else {
            CHECK(error == invalidFloat, where() + QStringLiteral(": ") + error);
            CHECK(error32 == invalidFloat, where() + QStringLiteral(": ") + error32);
        }

        // Integers.
        const std::optional<int64_t> expectedInteger = referenceInteger(text);
        CHECK(numtext::tryParseInt64(text) == expectedInteger, where());
        const QString invalidInteger = QStringLiteral("''") + text + QStringLiteral("'' is not a valid integer value");
        int64_t integer64 = 0;
        int32_t integer32 = 0;
        error = raisedMessage([&] { integer64 = numtext::parseInt64(text); });
        if (expectedInteger) {
            ++validIntegers;
            CHECK(error.isEmpty() && integer64 == *expectedInteger, where());
        } else {
            CHECK(error == invalidInteger, where() + QStringLiteral(": ") + error);
        }
        error = raisedMessage([&] { integer32 = numtext::parseInt32(text); });
        if (expectedInteger && *expectedInteger >= INT32_MIN && *expectedInteger <= INT32_MAX)
            CHECK(error.isEmpty() && integer32 == *expectedInteger, where());
        else
            CHECK(error == invalidInteger, where() + QStringLiteral(": ") + error);
    }
    qInfo("%d texts: %d numbers (%d beyond float), %d integers, %lld ms", kTexts, valid, overflows, validIntegers,
          static_cast<long long>(timer.elapsed()));
    // The mix must really reach every branch.
    QVERIFY(valid > kTexts / 5);
    QVERIFY(valid < kTexts * 4 / 5);
    QVERIFY(overflows > 100);
    QVERIFY(validIntegers > kTexts / 50);
}

// The power of two of the lowest significand bit of x87's fields.
int64_t lowestBitExponent(unsigned exponent)
{
    return int64_t(exponent == 0 ? 1 : exponent) - 16383 - 63;
}

// An extended value from x87's fields: sign, 15-bit biased exponent, 64-bit
// significand with the explicit integer bit.
Extended makeExtended(bool negative, unsigned exponent, uint64_t significand)
{
    const Extended magnitude = extended::scaled(significand, int(lowestBitExponent(exponent)));
    return negative ? -magnitude : magnitude;
}

// Texts at, just above and just below the exact midpoint between a random
// extended value and its neighbour away from zero: the places where a
// conversion that does not look at every digit rounds wrongly.
void RuntimeFuzzTest::midpoints()
{
    std::mt19937_64 random(seed ^ 0xD1B54A32D192ED03ull);
    QElapsedTimer timer;
    timer.start();
    int subnormals = 0, evenDown = 0;
    for (int i = 0; i < kMidpoints; ++i) {
        const bool negative = random() % 2;
        unsigned exponent;
        uint64_t significand = random();
        const int kind = int(random() % 10);
        if (kind < 1) {
            exponent = 0; // subnormal: no integer bit
            significand &= ~(uint64_t(1) << 63);
            if (random() % 2)
                significand >>= random() % 63;
            ++subnormals;
        } else {
            exponent = kind < 4 ? 1 + unsigned(random() % 32766) : 16383 - 150 + unsigned(random() % 300);
            significand |= uint64_t(1) << 63;
        }
        if (random() % 4 == 0)
            significand &= ~uint64_t(1); // an even one, for ties to it
        const Extended x = makeExtended(negative, exponent, significand);
        const Extended y = extended::nextToward(x, negative ? -extended::infinity() : extended::infinity());
        if (!extended::isFinite(y) || x == 0)
            continue;
        // Half way from x to its neighbour: (2 significand + 1) * 2^(k), exact
        // in 65 bits (also where the neighbour is the next power of two).
        const long k = long(lowestBitExponent(exponent) - 1);
        mpfr_t midpoint;
        mpfr_init2(midpoint, 66);
        mpfr_set_uj(midpoint, significand, MPFR_RNDN);
        mpfr_mul_2ui(midpoint, midpoint, 1, MPFR_RNDN);
        mpfr_add_ui(midpoint, midpoint, 1, MPFR_RNDN);
        mpfr_mul_2si(midpoint, midpoint, k, MPFR_RNDN);
        if (negative)
            mpfr_neg(midpoint, midpoint, MPFR_RNDN);

        // Enough digits for the exact expansion.
        const int precision = 40 + (k < 0 ? int(0.7 * double(-k)) : int(0.31 * double(k)));
        char *printed = nullptr;
        mpfr_asprintf(&printed, "%+.*Re", precision, midpoint);
        std::string buffer = printed ? printed : "";
        mpfr_free_str(printed);
        mpfr_clear(midpoint);
        const std::size_t e = buffer.find('e');
        CHECK(e != std::string::npos && e > 3,
              QStringLiteral("midpoint %1 (seed %2): no expansion: %3")
                  .arg(i)
                  .arg(seed)
                  .arg(QString::fromLatin1(buffer.substr(0, 100).c_str())));
        std::string mantissa = buffer.substr(0, e);
        const std::string exponentText = buffer.substr(e);
        CHECK(mantissa.back() == '0', QStringLiteral("midpoint %1 (seed %2): expansion not exact").arg(i).arg(seed));
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() < '0' || mantissa.back() > '9') // "d." (the radix may be ",")
            mantissa += '0';

        const bool xEven = (significand & 1) == 0;
        const Extended toEven = xEven ? x : y;
        std::string below = mantissa;
        if (below.back() == '0') // only for "d.0": there is no digit to lower
            below = std::string();
        else {
            --below.back();
            below += std::string(30, '9');
        }
        const std::string above = mantissa + std::string(int(random() % 40), '0') + "1";

        struct Case {
            std::string text;
            Extended expected;
        };
        const Case cases[] = {{mantissa + exponentText, toEven},
                              {above + exponentText, y},
                              {below.empty() ? std::string() : below + exponentText, x}};
        for (const Case &c : cases) {
            if (c.text.empty())
                continue;
            QString text = QString::fromLatin1(c.text.c_str());
            if (random() % 2)
                text.replace(u'.', u',');
            const auto where = [&] {
                return QStringLiteral("midpoint %1 (seed %2): %3").arg(i).arg(seed).arg(visible(text));
            };
            const std::optional<Extended> got = numtext::tryParseFloat(text);
            CHECK(got.has_value(), where());
            CHECK(same(*got, c.expected), where());
            const std::optional<Extended> reference = referenceFloat(text);
            CHECK(reference.has_value() && same(*got, *reference), where());
        }
        if (xEven)
            ++evenDown;
    }
    qInfo("%d midpoints (%d subnormal, %d tie to the lower one), %lld ms", kMidpoints, subnormals, evenDown,
          static_cast<long long>(timer.elapsed()));
}

void RuntimeFuzzTest::floats()
{
    std::mt19937_64 random(seed ^ 0x9E3779B97F4A7C15ull);
    static const QRegularExpression fixedShape(
        QStringLiteral("\\A(?:-?[0-9]{1,2}[.,][0-9]{4}|-?[1-9](?:[.,][1-9])?E[0-9]{4})\\z"));
    QElapsedTimer timer;
    timer.start();
    int nonFinite = 0, scientific = 0, zeros = 0;
    for (int i = 0; i < kFloats; ++i) {
        const QChar separator = i % 2 ? u',' : u'.';
        numtext::setDecimalSeparator(separator);
        const float value = randomFloat(random);
        const QString text = numtext::formatFixed(value);
        const auto where = [&] {
            return QStringLiteral("float %1 = %2 (bits %3, seed %4) -> %5")
                .arg(i)
                .arg(double(value), 0, 'g', 9)
                .arg(std::bit_cast<uint32_t>(value), 8, 16, QChar(u'0'))
                .arg(seed)
                .arg(visible(text));
        };
        if (!std::isfinite(value)) {
            ++nonFinite;
            CHECK(text == QStringLiteral("NAN") || text == QStringLiteral("INF") || text == QStringLiteral("-INF"),
                  where());
            continue;
        }
        CHECK(fixedShape.match(text).hasMatch(), where());
        CHECK(!text.contains(separator == u'.' ? u',' : u'.'), where());
        // No "-0,0000", and no leading zero in front of another integer digit.
        CHECK(!text.startsWith(QStringLiteral("-0") + separator + QStringLiteral("0000")), where());
        CHECK(!text.startsWith(QStringLiteral("00")) && !text.startsWith(QStringLiteral("-00")), where());
        if (text.contains(u'E'))
            ++scientific;

        // It reads back, to a value within the rounding: half a unit of the
        // second significant digit or of the fourth decimal, whichever is
        // larger (plus a hair for the rounding to 18 digits before).
        const std::optional<Extended> parsedBack = numtext::tryParseFloat(text);
        CHECK(parsedBack.has_value(), where());
        // Double holds both well within the tolerances below.
        const double back = static_cast<double>(*parsedBack);
        const double wide = value;
        if (back == 0) {
            ++zeros;
            CHECK(!extended::signBit(*parsedBack), where());
            CHECK(std::fabs(wide) <= 0.00005 * (1 + 1e-15), where());
            continue;
        }
        CHECK(std::signbit(back) == std::signbit(wide), where());
        const double magnitude = std::fabs(wide);
        const double unit = std::max(1e-4, std::pow(10.0, std::floor(std::log10(magnitude) + 1e-12) - 1));
        CHECK(std::fabs(back - wide) <= unit / 2 * (1 + 1e-12), where());
        // and the text is the value rounded on that grid (no digit wasted)
        const double steps = back / unit;
        CHECK(std::fabs(steps - std::round(steps)) < 1e-6, where());
    }
    qInfo("%d floats: %d not finite, %d scientific, %d zero, %lld ms", kFloats, nonFinite, scientific, zeros,
          static_cast<long long>(timer.elapsed()));
    QVERIFY(nonFinite > 0);
    QVERIFY(scientific > kFloats / 10);
}

QTEST_GUILESS_MAIN(RuntimeFuzzTest)
#include "test_runtime_fuzz.moc"
