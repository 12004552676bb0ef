#pragma once
// Writes the diagram as a plain baseline JFIF file, with the settings we
// care about spelled out rather than left to an image plugin's defaults.

#include <QByteArray>
#include <QImage>

struct JpegSettings {
    int quality = 90;        // libjpeg's 1..100 scale
    int dotsPerInch = 96;    // stored in the JFIF header
    bool fullChroma = false; // 4:4:4 instead of 4:2:0, for crisp coloured lines
};

// Returns the encoded file, or an empty array if libjpeg reported an error.
QByteArray encodeBaselineJpeg(const QImage &image, const JpegSettings &settings);
