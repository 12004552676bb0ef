#pragma once
// Turns JPEG bytes into a QImage with libjpeg-turbo, without Qt's image
// plugins, so the diagram shows up the same on every installation.

#include <QByteArray>
#include <QImage>

// Decodes a complete JPEG file held in memory.
//
// Returns an image in QImage::Format_RGB888 on success:
//   - colour (YCbCr or RGB) files are returned as they are;
//   - grayscale files are widened to three equal channels;
//   - CMYK and YCCK files are turned into RGB, honouring the inverted
//     values that Adobe applications write.
//
// Returns a null QImage, and never throws or ends the program, when:
//   - the bytes are empty, not a JPEG, or corrupt in any way libjpeg
//     notices (warnings such as "premature end of data" count as errors,
//     so a truncated file never comes back as a half-grey picture);
//   - the colour space is one we cannot map to RGB;
//   - a side is longer than maxJpegSide or the picture has more than
//     maxJpegPixels pixels. Both are checked from the header, before any
//     pixel memory is allocated.
QImage decodeJpeg(const QByteArray &bytes);

inline constexpr int maxJpegSide = 16384;
inline constexpr qint64 maxJpegPixels = qint64(64) * 1024 * 1024;
