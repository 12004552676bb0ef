// The points the error graph's store keeps, and their CSV text.

#include "chart/error_series.h"
#include "chart/points_csv.h"
#include "runtime/number_text.h"

#include <QtTest>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

namespace {

// A step lesson's errors: -1, 0 and 1 while it learns, then 0.
std::vector<float> stepLesson(std::size_t n, uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::vector<float> ys(n, 0.0f);
    for (std::size_t i = 0; i < std::min<std::size_t>(n, 300); ++i)
        ys[i] = float(int(random() % 3) - 1);
    return ys;
}

} // namespace

class ErrorSeriesStoreTest : public QObject {
    Q_OBJECT

private slots:
    // Within the exact range every iteration is kept, once; beyond, a
    // bucket's first, lowest, highest and last in list order.
    void keptPointsListEachPointOnce()
    {
        const std::vector<float> errors = stepLesson(37, 3);
        ErrorSeries lesson;
        lesson.addRun(1, errors.data(), errors.size());
        const QList<QPointF> kept = lesson.keptPoints();
        QCOMPARE(kept.size(), 37);
        for (int i = 0; i < 37; ++i)
            QCOMPARE(kept[i], QPointF(i + 1, errors[std::size_t(i)]));

        ErrorSeries wide;
        for (auto [x, y] : {std::pair{8192.0, 0.5},
                            {8193.0, -1.0},
                            {8194.0, 1.0},
                            {8195.0, 0.25}, // lowest first
                            {8196.0, 0.0},
                            {8197.0, 1.0},
                            {8198.0, -1.0},
                            {8199.0, 0.0}, // highest first
                            {4096.0, 0.0},
                            {4097.0, 0.0},
                            {0.5, -0.5}})
            wide.add(x, y);
        QCOMPARE(wide.keptPoints(),
                 (QList<QPointF>{{0.5, -0.5},
                                 {4096, 0},
                                 {4097, 0},
                                 {8192, 0.5},
                                 {8193, -1},
                                 {8194, 1},
                                 {8195, 0.25},
                                 {8196, 0},
                                 {8197, 1},
                                 {8198, -1},
                                 {8199, 0}}));
    }

    void csvFollowsTheDecimalSeparator()
    {
        const QChar separatorBefore = numtext::decimalSeparator();
        const QList<QPointF> points{{-3, 0.5}, {1, -1}, {2, -0.0}, {4611686018427389952.0, 0.1f}, {5, 0.1}};
        numtext::setDecimalSeparator(u',');
        QCOMPARE(pointsCsv(points, QStringLiteral("Iterácie"), QStringLiteral("Chyba; \"e\"")),
                 QStringLiteral("Iterácie;\"Chyba; \"\"e\"\"\"\r\n-3;0,5\r\n1;-1\r\n2;0\r\n"
                                "4611686018427389952;0,1\r\n5;0,1\r\n")
                     .toUtf8());
        numtext::setDecimalSeparator(u'.');
        QCOMPARE(pointsCsv({{0.5, 0.25}, {7, 1e-7f}}, QStringLiteral("Iteration"), QStringLiteral("Error, e")),
                 QByteArray("Iteration,\"Error, e\"\r\n0.5,0.25\r\n7,1E-7\r\n"));
        numtext::setDecimalSeparator(separatorBefore);
    }
};

QTEST_GUILESS_MAIN(ErrorSeriesStoreTest)
#include "test_chart_store.moc"
