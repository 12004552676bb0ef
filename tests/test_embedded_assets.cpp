// The artwork must be readable from the resource system by any program that
// merely links the assets library; nothing calls Q_INIT_RESOURCE.

#include <QFile>
#include <QImage>
#include <QSet>
#include <QtTest>

class EmbeddedAssetsTest : public QObject {
    Q_OBJECT

private slots:
    void bothFilesAreEmbedded_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("diagram") << ":/diagram.jpg";
        QTest::newRow("icon") << ":/icons/tivaro-32.png";
    }

    void bothFilesAreEmbedded()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        QVERIFY(file.size() > 100);
    }

    // The window icon is a classic 32 x 32 picture of at most 16 colours.
    void iconIsSixteenColoursAt32()
    {
        const QImage icon(":/icons/tivaro-32.png");
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(icon.format(), QImage::Format_Indexed8);
        QVERIFY(icon.colorCount() <= 16);

        QSet<QRgb> used;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                used.insert(icon.pixel(x, y));
        QVERIFY(used.size() <= 16);
        QVERIFY2(used.size() >= 6, "the icon should not be nearly blank");
    }
};

QTEST_GUILESS_MAIN(EmbeddedAssetsTest)
#include "test_embedded_assets.moc"
