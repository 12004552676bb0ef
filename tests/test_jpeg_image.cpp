// The diagram decoder: the real embedded picture, colour-space handling, and
// every kind of broken input coming back as a null image without a crash.

#include "runtime/jpeg_image.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <optional>

namespace {

QByteArray embeddedDiagram()
{
    QFile file(":/diagram.jpg");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int byteAt(const QByteArray &bytes, qsizetype at)
{
    return quint8(bytes.at(at));
}
int wordAt(const QByteArray &bytes, qsizetype at)
{
    return byteAt(bytes, at) << 8 | byteAt(bytes, at + 1);
}

// One marker segment of a JPEG header: where its payload starts and how long.
struct Segment {
    int marker;
    qsizetype payload;
    int length;
};

// The header's segments up to the first scan, in file order.
QList<Segment> headerSegments(const QByteArray &bytes)
{
    QList<Segment> segments;
    qsizetype at = 2; // after SOI
    while (at + 4 <= bytes.size() && byteAt(bytes, at) == 0xFF) {
        const int marker = byteAt(bytes, at + 1);
        const int length = wordAt(bytes, at + 2);
        segments.append({marker, at + 4, length - 2});
        if (marker == 0xDA)
            break;
        at += 2 + length;
    }
    return segments;
}

std::optional<Segment> findSegment(const QByteArray &bytes, int marker)
{
    for (const Segment &segment : headerSegments(bytes))
        if (segment.marker == marker)
            return segment;
    return std::nullopt;
}

// A flat-coloured test picture written by libjpeg itself, in any colour space.
QByteArray encodeFlat(J_COLOR_SPACE space, int components, const QList<int> &pixel, bool adobeMarker)
{
    constexpr int side = 16;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = side;
    info.image_height = side;
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, space);
    jpeg_set_quality(&info, 100, TRUE);
    info.write_Adobe_marker = adobeMarker;
    jpeg_start_compress(&info, TRUE);
    QByteArray row;
    for (int x = 0; x < side; ++x)
        for (int value : pixel)
            row.append(char(value));
    while (info.next_scanline < info.image_height) {
        auto *line = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray file(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return file;
}

bool closeTo(QRgb actual, QColor expected, int tolerance)
{
    return qAbs(qRed(actual) - expected.red()) <= tolerance && qAbs(qGreen(actual) - expected.green()) <= tolerance &&
        qAbs(qBlue(actual) - expected.blue()) <= tolerance;
}

QByteArray withSize(QByteArray jpeg, int width, int height)
{
    const auto frame = findSegment(jpeg, 0xC0);
    if (!frame)
        return {};
    jpeg[frame->payload + 1] = char(height >> 8);
    jpeg[frame->payload + 2] = char(height);
    jpeg[frame->payload + 3] = char(width >> 8);
    jpeg[frame->payload + 4] = char(width);
    return jpeg;
}

} // namespace

class JpegImageTest : public QObject {
    Q_OBJECT

private slots:
    void diagramIsABaselineJfifAt96Dpi()
    {
        const QByteArray jpeg = embeddedDiagram();
        QVERIFY(jpeg.size() > 15000 && jpeg.size() < 40000);
        QCOMPARE(wordAt(jpeg, 0), 0xFFD8);

        const auto jfif = findSegment(jpeg, 0xE0);
        QVERIFY(jfif);
        QCOMPARE(jpeg.mid(jfif->payload, 5), QByteArray("JFIF\0", 5));
        QCOMPARE(byteAt(jpeg, jfif->payload + 7), 1); // density in dots per inch
        QCOMPARE(wordAt(jpeg, jfif->payload + 8), 96);
        QCOMPARE(wordAt(jpeg, jfif->payload + 10), 96);

        // The first frame header must be SOF0: baseline, 8 bits, 3 components.
        const QList<Segment> segments = headerSegments(jpeg);
        const auto frame = std::find_if(segments.begin(), segments.end(), [](const Segment &s) {
            return s.marker >= 0xC0 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xC8 && s.marker != 0xCC;
        });
        QVERIFY(frame != segments.end());
        QCOMPARE(frame->marker, 0xC0);
        QCOMPARE(byteAt(jpeg, frame->payload), 8);
        QCOMPARE(wordAt(jpeg, frame->payload + 1), 210);
        QCOMPARE(wordAt(jpeg, frame->payload + 3), 395);
        QCOMPARE(byteAt(jpeg, frame->payload + 5), 3);
    }

    void diagramDecodesWithItsDrawing_data()
    {
        QTest::addColumn<QPoint>("where");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("white background") << QPoint(380, 200) << QColor(255, 255, 255);
        QTest::newRow("green input box") << QPoint(16, 91) << QColor(0xCC, 0xEE, 0xCF);
        QTest::newRow("grey summing node") << QPoint(185, 100) << QColor(0xDC, 0xDC, 0xDC);
        QTest::newRow("orange activation box") << QPoint(245, 114) << QColor(0xFF, 0xDD, 0xAE);
        QTest::newRow("node outline") << QPoint(170, 124 - 37) << QColor(0x70, 0x70, 0x70);
    }

    void diagramDecodesWithItsDrawing()
    {
        QFETCH(QPoint, where);
        QFETCH(QColor, expected);
        const QImage image = decodeJpeg(embeddedDiagram());
        QCOMPARE(image.size(), QSize(395, 210));
        QCOMPARE(image.format(), QImage::Format_RGB888);
        const QRgb actual = image.pixel(where);
        QVERIFY2(closeTo(actual, expected, 14), qPrintable(QStringLiteral("got %1").arg(QColor(actual).name())));
    }

    void otherColourSpacesBecomeRgb_data()
    {
        QTest::addColumn<QByteArray>("jpeg");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("grayscale") << encodeFlat(JCS_GRAYSCALE, 1, {100}, false) << QColor(100, 100, 100);
        QTest::newRow("rgb") << encodeFlat(JCS_RGB, 3, {200, 40, 10}, false) << QColor(200, 40, 10);
        // Adobe files store ink inverted: 255 means no ink.
        QTest::newRow("cmyk, Adobe") << encodeFlat(JCS_CMYK, 4, {255, 0, 0, 255}, true) << QColor(255, 0, 0);
        QTest::newRow("cmyk, plain") << encodeFlat(JCS_CMYK, 4, {0, 255, 255, 0}, false) << QColor(255, 0, 0);
        QTest::newRow("cmyk, half black") << encodeFlat(JCS_CMYK, 4, {0, 0, 0, 128}, false) << QColor(127, 127, 127);
    }

    void otherColourSpacesBecomeRgb()
    {
        QFETCH(QByteArray, jpeg);
        QFETCH(QColor, expected);
        const QImage image = decodeJpeg(jpeg);
        QCOMPARE(image.size(), QSize(16, 16));
        QCOMPARE(image.format(), QImage::Format_RGB888);
        for (QPoint p : {QPoint(0, 0), QPoint(8, 8), QPoint(15, 15)})
            QVERIFY2(closeTo(image.pixel(p), expected, 4), qPrintable(QColor(image.pixel(p)).name()));
    }

    void brokenInputGivesNullImage_data()
    {
        const QByteArray good = embeddedDiagram();
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one byte") << QByteArray(1, '\xFF');
        QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2);
        QTest::newRow("text") << QByteArray("this is not a picture");
        QTest::newRow("png signature") << QByteArray("\x89PNG\r\n\x1A\n", 8);
        QTest::newRow("missing start marker") << good.mid(2);
        QTest::newRow("header only") << good.left(600);
        QTest::newRow("cut in half") << good.left(good.size() / 2);
        QTest::newRow("cut before end marker") << good.left(good.size() - 2);
        QTest::newRow("zero height") << withSize(good, 395, 0);
        QTest::newRow("side too long") << withSize(good, maxJpegSide + 1, 10);
        QTest::newRow("too many pixels") << withSize(good, 16000, 16000);
        QTest::newRow("two-channel colour space") << encodeFlat(JCS_UNKNOWN, 2, {10, 20}, false);

        QRandomGenerator random(20240601);
        for (int i = 0; i < 5; ++i) {
            QByteArray noise(64 + 512 * i, Qt::Uninitialized);
            for (char &c : noise)
                c = char(random.bounded(256));
            if (i % 2 == 0) // with and without a plausible start
                noise.replace(0, 2, "\xFF\xD8");
            QTest::addRow("random bytes %d", i) << noise;
        }
    }

    void brokenInputGivesNullImage()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(decodeJpeg(bytes).isNull());
    }

    // Thousands of damaged copies of the real file: each either fails
    // cleanly or yields a picture within the limits; none may crash or hang.
    void mutatedCopiesNeverCrash()
    {
        const QByteArray good = embeddedDiagram();
        QVERIFY(!good.isEmpty());
        QRandomGenerator random(7);
        QElapsedTimer clock;
        clock.start();
        int failures = 0;
        constexpr int copies = 3000;
        for (int i = 0; i < copies; ++i) {
            QByteArray bad = good;
            switch (i % 4) {
            case 0: // a few flipped bytes anywhere
                for (int n = 1 + random.bounded(4); n > 0; --n)
                    bad[random.bounded(bad.size())] = char(random.bounded(256));
                break;
            case 1: // one byte in the header tables and frame description
                bad[random.bounded(2, 700)] = char(random.bounded(256));
                break;
            case 2: // truncated
                bad.truncate(random.bounded(bad.size()));
                break;
            case 3: // a stray marker in the entropy-coded data
                bad.insert(random.bounded(700, bad.size()), QByteArray("\xFF", 1) + char(random.bounded(256)));
                break;
            }
            const QImage image = decodeJpeg(bad);
            if (image.isNull()) {
                ++failures;
                continue;
            }
            QCOMPARE(image.format(), QImage::Format_RGB888);
            QVERIFY(image.width() <= maxJpegSide && image.height() <= maxJpegSide);
        }
        QVERIFY2(failures > copies / 4, "damage should mostly be detected");
        qInfo("%d of %d damaged copies refused in %lld ms", failures, copies, clock.elapsed());
    }
};

QTEST_GUILESS_MAIN(JpegImageTest)
#include "test_jpeg_image.moc"
