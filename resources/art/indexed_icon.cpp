#include "indexed_icon.h"

#include <limits>

namespace {

// Weighted RGB distance; the eye is most sensitive to green.
int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

int nearestIndex(QRgb colour, const QList<QRgb> &palette)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < palette.size(); ++i) {
        const int d = distance(colour, palette[i]);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

QImage toIndexedColours(const QImage &image, const QList<QRgb> &opaquePalette)
{
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage indexed(source.size(), QImage::Format_Indexed8);
    QList<QRgb> table{qRgba(0, 0, 0, 0)};
    table << opaquePalette;
    indexed.setColorTable(table);
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < source.width(); ++x)
            out[x] = qAlpha(in[x]) < 128 ? 0 : uchar(1 + nearestIndex(in[x], opaquePalette));
    }
    return indexed;
}
