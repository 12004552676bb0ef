// Writing numbers (runtime/number_text.h): the fixed and the plain display
// formats, the decimal separator and localized constants.

#include "extended_support.h"
#include "runtime/number_text.h"

#include <QTest>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

// `format` gives `text` with the point, and the same text with a comma.
template <class Format>
void compareWithEitherSeparator(Format format, const QString &text)
{
    numtext::setDecimalSeparator(u'.');
    QCOMPARE(format(), text);
    numtext::setDecimalSeparator(u',');
    QCOMPARE(format(), QString(text).replace(u'.', u','));
}

} // namespace

class RuntimeFormatTest : public QObject {
    Q_OBJECT

private slots:
    void initialSeparatorFromSystem();
    void separatorSetting();

    void fixedTable_data();
    void fixedTable();
    void fixedMore_data();
    void fixedMore();
    void fixedNonFinite();
    void fixedEveryFloatShape();

    void plain_data();
    void plain();

    void shortest();
    void shortestReadsBackWithNoDigitToSpare();

    void localizedConstants();
};

void RuntimeFormatTest::initialSeparatorFromSystem()
{
    // Runs first: nothing has set the separator yet.
    const QChar system = numtext::systemDecimalSeparator();
    QVERIFY(system == u'.' || system == u',');
    QCOMPARE(numtext::decimalSeparator(), system);
}

void RuntimeFormatTest::separatorSetting()
{
    numtext::setDecimalSeparator(u',');
    QCOMPARE(numtext::decimalSeparator(), QChar(u','));
    numtext::setDecimalSeparator(u'.');
    QCOMPARE(numtext::decimalSeparator(), QChar(u'.'));
    // Nothing else is a separator.
    numtext::setDecimalSeparator(QChar(0x066B));
    QCOMPARE(numtext::decimalSeparator(), QChar(u'.'));
    numtext::setDecimalSeparator(u' ');
    QCOMPARE(numtext::decimalSeparator(), QChar(u'.'));
}

void RuntimeFormatTest::fixedTable_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    // The documented table of the fixed format.
    QTest::newRow("1") << 1.0f << QStringLiteral("1.0000");
    QTest::newRow("0") << 0.0f << QStringLiteral("0.0000");
    QTest::newRow("0.25") << 0.25f << QStringLiteral("0.2500");
    QTest::newRow("-0.123456") << -0.123456f << QStringLiteral("-0.1200");
    QTest::newRow("0.125") << 0.125f << QStringLiteral("0.1300");
    QTest::newRow("0.00123") << 0.00123f << QStringLiteral("0.0012");
    QTest::newRow("-0.00004") << -0.00004f << QStringLiteral("0.0000");
    QTest::newRow("12.345") << 12.345f << QStringLiteral("12.0000");
    QTest::newRow("99.5") << 99.5f << QStringLiteral("1E0002");
    QTest::newRow("123.4") << 123.4f << QStringLiteral("1.2E0002");
}

// Both tables of rows are checked with either separator.
void RuntimeFormatTest::fixedTable()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    compareWithEitherSeparator([value] { return numtext::formatFixed(value); }, text);
}

void RuntimeFormatTest::fixedMore_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    const float denormMin = std::numeric_limits<float>::denorm_min();
    const struct {
        const char *name;
        float value;
        const char *text;
    } rows[] = {
        // Values a student sees every day.
        {"150", 150.0f, "1.5E0002"},
        {"0.7349", 0.7349f, "0.7300"},
        {"0.00004", 0.00004f, "0.0000"},
        // Carries through every kept digit.
        {"9.96", 9.96f, "10.0000"},
        {"-9.96", -9.96f, "-10.0000"},
        {"9.95", 9.95f, "9.9000"}, // 9.9499998...: just below the tie
        {"9.85", 9.85f, "9.9000"}, // 9.8500003...
        {"0.99996", 0.99996f, "1.0000"},
        {"0.99995", 0.99995f, "1.0000"}, // 0.99994999...: two digits 99|9
        {"0.0995", 0.0995f, "0.1000"},   // 0.0995000...
        {"99.4", 99.4f, "99.0000"},
        {"99.49", 99.49f, "99.0000"},
        {"-99.5", -99.5f, "-1E0002"},
        {"999.5", 999.5f, "1E0003"},
        {"995", 995.0f, "1E0003"},
        {"994", 994.0f, "9.9E0002"},
        {"105", 105.0f, "1.1E0002"}, // ties away from zero
        {"-105", -105.0f, "-1.1E0002"},
        {"1005", 1005.0f, "1E0003"},
        {"1e38", 1e38f, "1E0038"},
        {"FLT_MAX", FLT_MAX, "3.4E0038"},
        {"-FLT_MAX", -FLT_MAX, "-3.4E0038"},
        {"1e10", 1e10f, "1E0010"},
        {"12345678", 12345678.0f, "1.2E0007"},
        {"10", 10.0f, "10.0000"},
        {"100", 100.0f, "1E0002"},
        {"1.25", 1.25f, "1.3000"},
        {"-1.25", -1.25f, "-1.3000"},
        {"2.5", 2.5f, "2.5000"},
        {"0.05", 0.05f, "0.0500"},
        {"0.0095", 0.0095f, "0.0095"},
        {"0.00095", 0.00095f, "0.0010"}, // 9.5000002e-4: carry at one kept digit
        {"0.00015", 0.00015f, "0.0002"}, // 1.5000001e-4
        {"0.00035", 0.00035f, "0.0003"}, // 3.4999999e-4
        {"0.00065", 0.00065f, "0.0007"}, // 6.5000000177e-4
        {"0.0025", 0.0025f, "0.0025"},
        {"0.99994", 0.99994f, "1.0000"}, // two significant digits: 99|9
        {"0.00025", 0.00025f, "0.0003"}, // 2.5000001e-4
        {"0.00006", 0.00006f, "0.0001"}, // rounds up from no kept digit
        {"-0.00006", -0.00006f, "-0.0001"},
        {"0.00005", 0.00005f, "0.0000"}, // 4.9999999e-5
        {"0.0001", 0.0001f, "0.0001"},
        {"0.000051", 0.000051f, "0.0001"},
        {"0.000049", 0.000049f, "0.0000"},
        {"0.00001", 0.00001f, "0.0000"},
        {"-0", -0.0f, "0.0000"},
        {"-0.00001", -0.00001f, "0.0000"},
        {"denorm", denormMin, "0.0000"},
        {"-denorm", -denormMin, "0.0000"},
        {"FLT_MIN", FLT_MIN, "0.0000"},
        {"0.5", 0.5f, "0.5000"},
        {"-1", -1.0f, "-1.0000"},
        {"0.1", 0.1f, "0.1000"},
        {"1.05", 1.05f, "1.0000"}, // 1.0499999...
        {"3.14159", 3.14159f, "3.1000"},
        {"0.013", 0.013f, "0.0130"},
        {"0.0135", 0.0135f, "0.0140"},   // 0.01350000035...
        {"0.00135", 0.00135f, "0.0014"}, // 0.00135000003...
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << row.value << QString::fromLatin1(row.text);
}

void RuntimeFormatTest::fixedMore()
{
    fixedTable();
}

void RuntimeFormatTest::fixedNonFinite()
{
    // Never reached by the program; only must not crash.
    numtext::setDecimalSeparator(u'.');
    QCOMPARE(numtext::formatFixed(std::numeric_limits<float>::infinity()), QStringLiteral("INF"));
    QCOMPARE(numtext::formatFixed(-std::numeric_limits<float>::infinity()), QStringLiteral("-INF"));
    QCOMPARE(numtext::formatFixed(std::numeric_limits<float>::quiet_NaN()), QStringLiteral("NAN"));
    QCOMPARE(numtext::formatPlain(extended::infinity()), QStringLiteral("INF"));
    QCOMPARE(numtext::formatPlain(-extended::infinity()), QStringLiteral("-INF"));
    QCOMPARE(numtext::formatPlain(extended::quietNaN()), QStringLiteral("NAN"));
}

void RuntimeFormatTest::fixedEveryFloatShape()
{
    // Every power of two and its neighbours over the whole float range.
    numtext::setDecimalSeparator(u',');
    for (int exponent = -149; exponent <= 127; ++exponent) {
        const float base = std::ldexp(1.0f, exponent);
        for (const float value :
             {base, std::nextafter(base, 0.0f), std::nextafter(base, FLT_MAX), -base, base * 1.5f}) {
            const QString text = numtext::formatFixed(value);
            QVERIFY2(text.size() >= 6 && text.size() <= 10, qPrintable(text));
            QVERIFY2(!text.contains(u'.'), qPrintable(text));
            QVERIFY2(text != QStringLiteral("-0,0000"), qPrintable(text));
            QVERIFY2(numtext::tryParseFloat(text).has_value(), qPrintable(text));
        }
    }
}

namespace {
// The values of the rows of plain(): a decimal text, read exactly, or one
// of a few named ones.
Extended plainValue(const QByteArray &name)
{
    if (name == "1/3")
        return Extended(1) / 3;
    if (name == "2/3")
        return Extended(2) / 3;
    if (name == "float 0.1")
        return Extended(0.1f);
    if (name == "denorm")
        return extended::scaled(1, -16445);
    return referenceDecimal(name.constData());
}
} // namespace

void RuntimeFormatTest::plain_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("text");
    const struct {
        const char *value;
        const char *text;
    } rows[] = {
        {"0", "0"},
        {"-0", "0"},
        {"1", "1"},
        {"-1", "-1"},
        {"0.25", "0.25"},
        {"-0.5", "-0.5"},
        {"0.1", "0.1"},
        {"1/3", "0.333333333333333"},
        {"2/3", "0.666666666666667"},
        {"12345.678", "12345.678"},
        {"100", "100"},
        {"1e14", "100000000000000"},
        {"1e15", "1E15"},
        {"999999999999999", "999999999999999"},
        {"9999999999999999", "1E16"},
        {"1e16", "1E16"},
        {"1e20", "1E20"},
        {"-1e20", "-1E20"},
        {"1.5e-7", "1.5E-7"},
        {"1e-5", "0.00001"},
        {"9.9999e-6", "9.9999E-6"},
        {"0.000123", "0.000123"},
        {"123456789012345678", "1.23456789012346E17"},
        {"1.5", "1.5"},
        {"0.7349", "0.7349"},
        {"float 0.1", "0.100000001490116"},
        {"1e4932", "1E4932"},
        {"denorm", "3.64519953188247E-4951"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.value) << QByteArray(row.value) << QString::fromLatin1(row.text);
}

void RuntimeFormatTest::plain()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, text);
    const Extended number = plainValue(value);
    compareWithEitherSeparator([number] { return numtext::formatPlain(number); }, text);
}

void RuntimeFormatTest::shortest()
{
    const struct {
        float value;
        const char *text;
    } rows[] = {
        {0.0f, "0"},
        {-0.0f, "0"},
        {1.0f, "1"},
        {-0.4f, "-0.4"},
        {0.35f, "0.35"},
        {0.1f, "0.1"},
        {0.2f + 1e-8f, "0.20000002"},
        {100.0f, "100"},
        {1e9f, "1000000000"},
        {1e10f, "1E10"},
        {1.5e-5f, "0.000015"},
        {1e-6f, "1E-6"},
        {-1.25e-7f, "-1.25E-7"},
        {FLT_MAX, "3.4028235E38"},
        {FLT_TRUE_MIN, "1E-45"},
        {123456.79f, "123456.79"},
    };
    for (const auto &row : rows)
        compareWithEitherSeparator([&row] { return numtext::formatShortest(row.value); },
                                   QString::fromLatin1(row.text));
    QCOMPARE(numtext::formatShortest(std::numeric_limits<float>::infinity()), QStringLiteral("INF"));
}

void RuntimeFormatTest::shortestReadsBackWithNoDigitToSpare()
{
    // Every power of two and its neighbours, and random bit patterns.
    std::vector<float> values;
    for (int exponent = -149; exponent <= 127; ++exponent) {
        const float base = std::ldexp(1.0f, exponent);
        values.insert(values.end(), {base, std::nextafter(base, 0.0f), std::nextafter(base, FLT_MAX), -base * 1.5f});
    }
    std::mt19937 random(20);
    while (values.size() < 60000) {
        const uint32_t bits = random();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            values.push_back(value);
    }
    numtext::setDecimalSeparator(u',');
    for (const float value : values) {
        const QString text = numtext::formatShortest(value);
        const float back = numtext::parseFloat32(text);
        QVERIFY2(std::memcmp(&back, &value, sizeof value) == 0 || value == 0, qPrintable(text));
        // One significant digit fewer never reads back.
        QString digits = text.section(u'E', 0, 0);
        digits.remove(u'-').remove(u',');
        while (digits.startsWith(u'0'))
            digits.remove(0, 1);
        while (digits.endsWith(u'0'))
            digits.chop(1);
        if (digits.size() > 1) {
            char fewer[64];
            const auto end =
                std::to_chars(fewer, fewer + sizeof fewer, value, std::chars_format::scientific, int(digits.size()) - 2)
                    .ptr;
            float read = 0;
            std::from_chars(fewer, end, read);
            QVERIFY2(read != value, qPrintable(text));
        }
    }
}

void RuntimeFormatTest::localizedConstants()
{
    numtext::setDecimalSeparator(u'.');
    QCOMPARE(numtext::localized("0,500"), QStringLiteral("0.500"));
    QCOMPARE(numtext::localized("0,5000"), QStringLiteral("0.5000"));
    QCOMPARE(numtext::localized("1,0"), QStringLiteral("1.0"));
    QCOMPARE(numtext::localized("12"), QStringLiteral("12"));
    numtext::setDecimalSeparator(u',');
    QCOMPARE(numtext::localized("0,500"), QStringLiteral("0,500"));
    QCOMPARE(numtext::localized("0,1"), QStringLiteral("0,1"));
    QCOMPARE(numtext::localized(""), QString());
}

QTEST_GUILESS_MAIN(RuntimeFormatTest)
#include "test_runtime_format.moc"
