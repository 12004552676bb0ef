#pragma once
// Classic window icons carry at most 16 colours. This maps a full-colour
// rendering onto a fixed palette: entry 0 is transparent, the rest opaque.

#include <QImage>
#include <QList>

// Pixels under half opacity become transparent; every other pixel takes the
// nearest palette colour. Returns an Indexed8 image with palette.size() + 1
// colours.
QImage toIndexedColours(const QImage &image, const QList<QRgb> &opaquePalette);
