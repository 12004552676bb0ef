#pragma once
// The program's icon: one neuron on a light tile, two inputs coming in from
// the left, a step function inside the node and an output arrow to the right.
// The same shape list paints the PNGs and writes the SVG, so they agree.

#include <QImage>
#include <QList>
#include <QString>

inline constexpr int iconDesignSize = 32; // the shapes' own coordinate grid

// Full-colour rendering with transparent corners, size x size pixels.
QImage drawIcon(int size);

// The opaque colours the 16-colour icon may use: the design's own colours
// and the blends that antialiasing produces where they meet (15 at most,
// leaving one palette entry for transparency).
QList<QRgb> iconPalette();

// The same design as a standalone SVG document.
QString iconSvg();
