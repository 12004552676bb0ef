// Reading number texts (runtime/number_text.h) and the error messages
// (runtime/app_error.h).

#include "extended_support.h"
#include "raised_message.h"
#include "runtime/number_text.h"

#include <QTest>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>

namespace {

Extended reference(const char *asciiWithPoint)
{
    return referenceDecimal(asciiWithPoint);
}

QString floatMessage(const QString &text)
{
    return QStringLiteral("'") + text + QStringLiteral("' is not a valid floating point value");
}

QString integerMessage(const QString &text)
{
    return QStringLiteral("''") + text + QStringLiteral("'' is not a valid integer value");
}

const QString overflowMessage = QStringLiteral("Floating point overflow");

} // namespace

class RuntimeParseTest : public QObject {
    Q_OBJECT

private slots:
    void errorMessages();

    void validFloats_data();
    void validFloats();
    void invalidFloats_data();
    void invalidFloats();
    void float32Range();
    void hugeExponents();
    void longTexts();
    void roundingAtMidpoints();
    void cLocaleIndependence();

    void validIntegers_data();
    void validIntegers();
    void invalidIntegers_data();
    void invalidIntegers();
    void integerLimits();
};

void RuntimeParseTest::errorMessages()
{
    QCOMPARE(errors::invalidInteger(QStringLiteral("abc")).message(),
             QStringLiteral("''abc'' is not a valid integer value"));
    QCOMPARE(errors::invalidInteger(QString()).message(), QStringLiteral("'''' is not a valid integer value"));
    QCOMPARE(errors::invalidFloat(QStringLiteral("x,y")).message(),
             QStringLiteral("'x,y' is not a valid floating point value"));
    QCOMPARE(errors::invalidFloat(QString()).message(), QStringLiteral("'' is not a valid floating point value"));
    QCOMPARE(errors::floatOverflow().message(), QStringLiteral("Floating point overflow"));
    // what() carries the same text.
    QCOMPARE(QString::fromStdString(errors::floatOverflow().what()), QStringLiteral("Floating point overflow"));
    QCOMPARE(QString::fromUtf8(errors::invalidFloat(QStringLiteral("ä")).what()),
             QStringLiteral("'ä' is not a valid floating point value"));
}

void RuntimeParseTest::validFloats_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("ascii"); // the same number for the reference

    const struct {
        const char *text, *ascii;
    } rows[] = {
        {"0.5", "0.5"},
        {"0,5", "0.5"},
        {"0", "0"},
        {"-0", "-0"},
        {"+0", "0"},
        {"0,", "0"},
        {"0.", "0"},
        {",5", "0.5"},
        {".5", "0.5"},
        {"5.", "5"},
        {"5,", "5"},
        {"-,5", "-0.5"},
        {"+.5", "0.5"},
        {"1", "1"},
        {"-1", "-1"},
        {"+1", "1"},
        {"  -1.5e3  ", "-1.5e3"},
        {"\t2\t", "2"},
        {" \t 2,25 \t ", "2.25"},
        {"1E+2", "1e2"},
        {"1e-2", "1e-2"},
        {"1E2", "1e2"},
        {"1,5E0002", "150"},
        {"1.5E0002", "150"},
        {"5.e1", "50"},
        {".5e1", "5"},
        {"007", "7"},
        {"000.000", "0"},
        {"-0.0e-0", "-0"},
        {"0,1", "0.1"},
        {"0.1", "0.1"},
        {"0,500", "0.5"},
        {"0,5000", "0.5"},
        {"1,0", "1"},
        {"12345678901234567890", "12345678901234567890"},
        {"0.123456789012345678901234567890", "0.123456789012345678901234567890"},
        {"3.4028235E38", "3.4028235e38"},
        {"1E39", "1e39"},
        {"1E-45", "1e-45"},
        {"1e-4951", "1e-4951"},
        {"1e4932", "1e4932"},
        {"1e4933", "1e4933"},
        {"1.18973149535723176502e+4932", "1.18973149535723176502e+4932"},
        {"3.64519953188247460253e-4951", "3.64519953188247460253e-4951"},
        {"0.00000000000000000000000000001e29", "1"},
        {"1000000000000000000000000000000e-30", "1"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.text) << QString::fromLatin1(row.text) << QString::fromLatin1(row.ascii);
}

void RuntimeParseTest::validFloats()
{
    QFETCH(QString, text);
    QFETCH(QString, ascii);
    const Extended expected = reference(ascii.toLatin1().constData());

    // Both separators are read whatever the user's own one is.
    for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
        numtext::setDecimalSeparator(separator);
        const std::optional<Extended> value = numtext::tryParseFloat(text);
        QVERIFY2(value.has_value(), qPrintable(text));
        QVERIFY2(sameExtended(*value, expected),
                 qPrintable(describe(*value) + QStringLiteral(" != ") + describe(expected)));
        QVERIFY(sameExtended(numtext::parseFloat(text), expected));
    }
}

void RuntimeParseTest::invalidFloats_data()
{
    QTest::addColumn<QString>("text");
    const QString rows[] = {
        QStringLiteral(","),
        QStringLiteral("."),
        QString(),
        QStringLiteral("  "),
        QStringLiteral("\t"),
        QStringLiteral("inf"),
        QStringLiteral("INF"),
        QStringLiteral("-inf"),
        QStringLiteral("infinity"),
        QStringLiteral("nan"),
        QStringLiteral("NAN"),
        QStringLiteral("0x10"),
        QStringLiteral("0x1p3"),
        QStringLiteral("$10"),
        QStringLiteral("1,5,5"),
        QStringLiteral("1.000,5"),
        QStringLiteral("1,000.5"),
        QStringLiteral("1.5.5"),
        QStringLiteral("1..5"),
        QStringLiteral("1,,5"),
        QStringLiteral("1e"),
        QStringLiteral("1E"),
        QStringLiteral("1e+"),
        QStringLiteral("1e-"),
        QStringLiteral("e5"),
        QStringLiteral("E5"),
        QStringLiteral(".e5"),
        QStringLiteral(",e5"),
        QStringLiteral("+-1"),
        QStringLiteral("-+1"),
        QStringLiteral("--1"),
        QStringLiteral("++1"),
        QStringLiteral("-"),
        QStringLiteral("+"),
        QStringLiteral("- 1"),
        QStringLiteral("1-"),
        QStringLiteral("1+"),
        QStringLiteral("1 000"),
        QStringLiteral("1'000"),
        QStringLiteral("1_000"),
        QStringLiteral("1e5.5"),
        QStringLiteral("1e5,5"),
        QStringLiteral("1e 5"),
        QStringLiteral("1 e5"),
        QStringLiteral("1ee5"),
        QStringLiteral("1e+-5"),
        QStringLiteral("1d5"),
        QStringLiteral("1f"),
        QStringLiteral("1.5f"),
        QStringLiteral("abc"),
        QStringLiteral("1a"),
        QStringLiteral("a1"),
        QStringLiteral("0.5 0.5"),
        QStringLiteral("1\n"),
        QStringLiteral("\n1"),
        QStringLiteral("1\r"),
        QString(QChar(u'1')) + QChar(u'\0'),
        QString(QChar(u'\0')) + QChar(u'1'),
        // Unicode digits: Arabic-Indic, Devanagari, full-width, superscript.
        QStringLiteral("\u0661"),
        QStringLiteral("\u0661\u0662"),
        QStringLiteral("1\u0662"),
        QStringLiteral("\u0967"),
        QStringLiteral("\uFF11"),
        QStringLiteral("\uFF11.5"),
        QStringLiteral("1\u00B2"),
        // Right-to-left and left-to-right marks, other spaces and signs.
        QStringLiteral("\u200F1"),
        QStringLiteral("1\u200F"),
        QStringLiteral("\u200E1"),
        QStringLiteral("\u061C1"),
        QStringLiteral("\u00A01"),
        QStringLiteral("1\u00A0"),
        QStringLiteral("1\u202F000"),
        QStringLiteral("\u22121"),
        QStringLiteral("1\u066B5"),
        QStringLiteral("1\u066C000"),
        QStringLiteral("\U0001F6001"),
    };
    for (const QString &text : rows)
        QTest::newRow(qPrintable(text.toUtf8().toPercentEncoding(" ,.+-'_$"))) << text;
}

void RuntimeParseTest::invalidFloats()
{
    QFETCH(QString, text);
    for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
        numtext::setDecimalSeparator(separator);
        QVERIFY(!numtext::tryParseFloat(text).has_value());
        QCOMPARE(raisedMessage([&] { numtext::parseFloat(text); }), floatMessage(text));
        QCOMPARE(raisedMessage([&] { numtext::parseFloat32(text); }), floatMessage(text));
    }
}

void RuntimeParseTest::float32Range()
{
    QCOMPARE(numtext::parseFloat32(QStringLiteral("0,5")), 0.5f);
    QCOMPARE(numtext::parseFloat32(QStringLiteral("0.1")), 0.1f);
    QCOMPARE(numtext::parseFloat32(QStringLiteral("3.4028235E38")), FLT_MAX);
    QCOMPARE(numtext::parseFloat32(QStringLiteral("-3,4028235E38")), -FLT_MAX);
    QCOMPARE(numtext::parseFloat32(QStringLiteral("3.40282356E38")), FLT_MAX);
    QCOMPARE(numtext::parseFloat32(QStringLiteral("1E-45")), std::numeric_limits<float>::denorm_min());
    QCOMPARE(numtext::parseFloat32(QStringLiteral("1.1754942E-38")), 1.1754942E-38f);
    QCOMPARE(numtext::parseFloat32(QStringLiteral("1E-50")), 0.0f);
    QVERIFY(std::signbit(numtext::parseFloat32(QStringLiteral("-1E-50"))));
    QVERIFY(std::signbit(numtext::parseFloat32(QStringLiteral("-0"))));

    // The extended type holds it; the 32-bit store refuses it.
    QCOMPARE(numtext::parseFloat(QStringLiteral("1E39")), reference("1e39"));
    for (const char *text : {"1E39", "-1E39", "1e39", "3.4028236E38", "-3.4028236E38", "1e4933", "1e999999999999",
                             "-1e999999999999", "340282366920938463463374607431768211456"}) {
        const QString qtext = QString::fromLatin1(text);
        QVERIFY2(numtext::tryParseFloat(qtext).has_value(), text);
        QCOMPARE(raisedMessage([&] { numtext::parseFloat32(qtext); }), overflowMessage);
    }
}

void RuntimeParseTest::hugeExponents()
{
    const Extended inf = extended::infinity();
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("1e999999999999")), inf);
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("-1e999999999999")), -inf);
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("1e+99999999999999999999999999999999")), inf);
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("1e-999999999999")), Extended(0));
    QVERIFY(extended::signBit(*numtext::tryParseFloat(QStringLiteral("-1e-999999999999"))));
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("0e999999999999")), Extended(0));
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("0.000e99999999999999999999999")), Extended(0));
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("1e2147483648")), inf);
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("1e-2147483649")), Extended(0));
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("1e") + QString(100000, u'9')), inf);
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("1e-") + QString(100000, u'9')), Extended(0));
    // A long mantissa compensating a long exponent.
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("1") + QString(200000, u'0') + QStringLiteral("e-200000")),
             Extended(1));
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("0.") + QString(300000, u'0') + QStringLiteral("25e300001")),
             Extended(2.5));
}

void RuntimeParseTest::longTexts()
{
    // A thousand digits, and far more, parse exactly as the C library reads
    // them (how fast: bench/).
    QByteArray digits;
    for (int i = 0; i < 1000; ++i)
        digits += char('0' + (i * 7 + 3) % 10);
    for (const QByteArray &ascii : {digits, QByteArray("0.") + digits, digits + QByteArray(".5e-900"),
                                    QByteArray("-0.") + QByteArray(5000, '0') + digits + "e4000", digits.repeated(50),
                                    QByteArray("0.") + digits.repeated(50), digits.repeated(50) + "e-60000",
                                    digits.repeated(1000) + "e-1000000"}) {
        QString text = QString::fromLatin1(ascii);
        const Extended expected = reference(ascii.constData());
        QVERIFY(sameExtended(*numtext::tryParseFloat(text), expected));
        text.replace(u'.', u',');
        QVERIFY(sameExtended(*numtext::tryParseFloat(text), expected));
    }
    // A million digits before an invalid character are rejected, no more.
    QVERIFY(!numtext::tryParseFloat(QString(1000000, u'7') + QStringLiteral("x")).has_value());
}

void RuntimeParseTest::roundingAtMidpoints()
{
    // 1 + 2^-64 lies exactly half way between 1 and the next extended value
    // 1 + 2^-63: the exact text rounds to even (1), anything above it up.
    const QString midpoint = QStringLiteral("1.0000000000000000000542101086242752217003726400434970855712890625");
    const Extended up = Extended(1) + extended::scaled(1, -63);
    QCOMPARE(*numtext::tryParseFloat(midpoint), Extended(1));
    QCOMPARE(*numtext::tryParseFloat(midpoint + QString(30000, u'0')), Extended(1));
    QCOMPARE(*numtext::tryParseFloat(midpoint + QString(30000, u'0') + u'1'), up);
    QCOMPARE(*numtext::tryParseFloat(midpoint + QString(30000, u'0') + QStringLiteral("1e0")), up);
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("-") + midpoint + QString(30000, u'0') + u'1'), -up);
    // Just below the midpoint: down to 1.
    QString below = midpoint;
    below.chop(1);
    below += QStringLiteral("4") + QString(30000, u'9');
    QCOMPARE(*numtext::tryParseFloat(below), Extended(1));

    // The same around the smallest subnormal 2^-16445, whose half has
    // about 11500 significant digits: the longest midpoint there is.
    const Extended denormMin = extended::scaled(1, -16445);
    const extended::DecimalDigits denormDigits = extended::toDecimal(denormMin, 11601);
    const QByteArray exact = QByteArray(denormDigits.digits.c_str(), 1) + '.' + (denormDigits.digits.c_str() + 1) +
        'e' + QByteArray::number(denormDigits.exponent - 1);
    QCOMPARE(*numtext::tryParseFloat(QString::fromLatin1(exact)), denormMin);
    // Halve the exact expansion "d.ddd...e-4951" digit by digit.
    const QByteArray text(exact);
    const qsizetype e = text.indexOf('e');
    QByteArray digits = text.left(e);
    digits.remove(1, 1); // the radix character
    const int exponent = text.mid(e + 1).toInt();
    QByteArray halfDigits;
    int carry = 0;
    for (const char c : digits) {
        const int v = carry * 10 + (c - '0');
        halfDigits += char('0' + v / 2);
        carry = v % 2;
    }
    if (carry)
        halfDigits += '5';
    while (halfDigits.endsWith('0'))
        halfDigits.chop(1);
    QVERIFY(halfDigits.size() > 11400); // really that long
    // value = 0.halfDigits * 10^(exponent + 1)
    const QString half =
        QStringLiteral("0.") + QString::fromLatin1(halfDigits) + QStringLiteral("e") + QString::number(exponent + 1);
    const Extended tiny = *numtext::tryParseFloat(half);
    QVERIFY2(tiny == 0 && !extended::signBit(tiny), qPrintable(describe(tiny)));
    QByteArray aboveDigits = halfDigits + QByteArray(20000, '0') + '1';
    const QString above =
        QStringLiteral("0.") + QString::fromLatin1(aboveDigits) + QStringLiteral("e") + QString::number(exponent + 1);
    QCOMPARE(*numtext::tryParseFloat(above), denormMin);
    QCOMPARE(*numtext::tryParseFloat(QStringLiteral("-") + above), -denormMin);
    // and the C library agrees on both
    QCOMPARE(reference(half.toLatin1().constData()), Extended(0));
    QCOMPARE(reference(above.toLatin1().constData()), denormMin);
}

void RuntimeParseTest::cLocaleIndependence()
{
    // Qt sets the C library's locale from the environment; a locale with a
    // decimal comma must change nothing.
    const char *const candidates[] = {"de_DE.UTF-8", "de_DE.utf8",  "de_DE",      "fr_FR.UTF-8",
                                      "fr_FR.utf8",  "ru_RU.UTF-8", "nl_NL.UTF-8"};
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char *used = nullptr;
    for (const char *candidate : candidates) {
        if (std::setlocale(LC_NUMERIC, candidate) && *std::localeconv()->decimal_point == ',') {
            used = candidate;
            break;
        }
    }
    if (!used) {
        std::setlocale(LC_NUMERIC, saved.c_str());
        QSKIP("no C locale with a decimal comma installed");
    }
    const bool ok1 = numtext::tryParseFloat(QStringLiteral("0.5")) == Extended(0.5);
    const bool ok2 = numtext::tryParseFloat(QStringLiteral("0,25")) == Extended(0.25);
    const bool ok3 = numtext::tryParseFloat(QStringLiteral("1.5e2")) == Extended(150);
    std::setlocale(LC_NUMERIC, saved.c_str());
    QVERIFY(ok1);
    QVERIFY(ok2);
    QVERIFY(ok3);
}

void RuntimeParseTest::validIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::newRow("0") << QStringLiteral("0") << qint64(0);
    QTest::newRow("-0") << QStringLiteral("-0") << qint64(0);
    QTest::newRow("+7") << QStringLiteral("+7") << qint64(7);
    QTest::newRow("-7") << QStringLiteral("-7") << qint64(-7);
    QTest::newRow("blanks") << QStringLiteral("  42  ") << qint64(42);
    QTest::newRow("tabs") << QStringLiteral("\t-42\t") << qint64(-42);
    QTest::newRow("zeros") << QStringLiteral("0000000000000000000000000000000042") << qint64(42);
    QTest::newRow("many zeros") << (QString(100000, u'0') + u'5') << qint64(5);
    QTest::newRow("-zeros") << (QStringLiteral("-") + QString(1000, u'0') + QStringLiteral("2147483648"))
                            << qint64(-2147483648LL);
    QTest::newRow("100") << QStringLiteral("100") << qint64(100);
}

void RuntimeParseTest::validIntegers()
{
    QFETCH(QString, text);
    QFETCH(qint64, value);
    QCOMPARE(numtext::tryParseInt64(text), std::optional<int64_t>(value));
    QCOMPARE(numtext::parseInt64(text), value);
    QCOMPARE(numtext::parseInt32(text), int32_t(value));
}

void RuntimeParseTest::invalidIntegers_data()
{
    QTest::addColumn<QString>("text");
    const QString rows[] = {
        QString(),
        QStringLiteral(" "),
        QStringLiteral("\t"),
        QStringLiteral("-"),
        QStringLiteral("+"),
        QStringLiteral("1.0"),
        QStringLiteral("1,0"),
        QStringLiteral("1."),
        QStringLiteral(",5"),
        QStringLiteral("1e3"),
        QStringLiteral("1E3"),
        QStringLiteral("0x10"),
        QStringLiteral("$10"),
        QStringLiteral("abc"),
        QStringLiteral("1a"),
        QStringLiteral("1 2"),
        QStringLiteral("+-1"),
        QStringLiteral("--1"),
        QStringLiteral("- 1"),
        QStringLiteral("1-"),
        QStringLiteral("1 000"),
        QStringLiteral("1'000"),
        QStringLiteral("\u0661"),
        QStringLiteral("\u0661\u0662"),
        QStringLiteral("\uFF11"),
        QStringLiteral("\u200F1"),
        QStringLiteral("1\u200F"),
        QStringLiteral("\u00A01"),
        QStringLiteral("\u22121"),
        QStringLiteral("1\n"),
        QString(QChar(u'1')) + QChar(u'\0'),
        QStringLiteral("99999999999999999999999"),
        QStringLiteral("9223372036854775808"),
        QStringLiteral("-9223372036854775809"),
        QStringLiteral("18446744073709551616"),
        QStringLiteral("-18446744073709551616"),
        QString(1000, u'9'),
    };
    for (const QString &text : rows)
        QTest::newRow(qPrintable(text.toUtf8().toPercentEncoding(" ,.+-'$"))) << text;
}

void RuntimeParseTest::invalidIntegers()
{
    QFETCH(QString, text);
    QVERIFY(!numtext::tryParseInt64(text).has_value());
    QCOMPARE(raisedMessage([&] { numtext::parseInt64(text); }), integerMessage(text));
    QCOMPARE(raisedMessage([&] { numtext::parseInt32(text); }), integerMessage(text));
}

void RuntimeParseTest::integerLimits()
{
    QCOMPARE(numtext::parseInt32(QStringLiteral("2147483647")), std::numeric_limits<int32_t>::max());
    QCOMPARE(numtext::parseInt32(QStringLiteral("-2147483648")), std::numeric_limits<int32_t>::min());
    QCOMPARE(numtext::parseInt32(QStringLiteral("+002147483647 ")), std::numeric_limits<int32_t>::max());
    for (const char *text : {"2147483648", "-2147483649", "4294967296", "4294967295", "9223372036854775807",
                             "-9223372036854775808", "1e9"}) {
        const QString qtext = QString::fromLatin1(text);
        QCOMPARE(raisedMessage([&] { numtext::parseInt32(qtext); }), integerMessage(qtext));
    }
    QCOMPARE(numtext::parseInt64(QStringLiteral("2147483648")), 2147483648LL);
    QCOMPARE(numtext::parseInt64(QStringLiteral("-2147483649")), -2147483649LL);
    QCOMPARE(numtext::parseInt64(QStringLiteral("9223372036854775807")), std::numeric_limits<int64_t>::max());
    QCOMPARE(numtext::parseInt64(QStringLiteral("-9223372036854775808")), std::numeric_limits<int64_t>::min());
    QCOMPARE(numtext::parseInt64(QStringLiteral(" -0009223372036854775808\t")), std::numeric_limits<int64_t>::min());
    QCOMPARE(numtext::parseInt64(QStringLiteral("9223372036854775806")), 9223372036854775806LL);
    QCOMPARE(numtext::parseInt64(QStringLiteral("-9223372036854775807")), -9223372036854775807LL);
}

QTEST_GUILESS_MAIN(RuntimeParseTest)
#include "test_runtime_parse.moc"
