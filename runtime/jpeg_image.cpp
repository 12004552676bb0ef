#include "runtime/jpeg_image.h"

#include "runtime/jpeg_guard.h"

#include <vector>

namespace {

using jpeg_guard::ErrorManager;
using jpeg_guard::guarded;
using jpeg_guard::jumpOnError;

// libjpeg's own memory for coefficient buffers and the like; beyond this it
// fails cleanly instead of asking for a backing store.
constexpr long maxLibjpegMemory = 512L * 1024 * 1024;

// Level -1 is a warning about damaged data (libjpeg would otherwise paint
// the missing part grey and report success); higher levels are tracing.
void jumpOnWarning(j_common_ptr cinfo, int level)
{
    if (level < 0)
        jumpOnError(cinfo);
}

void stayQuiet(j_common_ptr)
{
}

// Owns one decompression object; destroyed on every path out of decodeJpeg.
class Decompressor {
public:
    Decompressor()
    {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = jumpOnError;
        errors.base.emit_message = jumpOnWarning;
        errors.base.output_message = stayQuiet;
        created = guarded(errors, [this] { jpeg_create_decompress(&info); });
        if (created)
            info.mem->max_memory_to_use = maxLibjpegMemory;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor &) = delete;
    Decompressor &operator=(const Decompressor &) = delete;

    template <typename Step>
    bool run(Step &&step)
    {
        return guarded(errors, step);
    }

    jpeg_decompress_struct info{};
    bool created = false;

private:
    ErrorManager errors{};
};

bool sizeIsSane(JDIMENSION width, JDIMENSION height)
{
    return width > 0 && height > 0 && width <= JDIMENSION(maxJpegSide) && height <= JDIMENSION(maxJpegSide) &&
        qint64(width) * qint64(height) <= maxJpegPixels;
}

// The colour space libjpeg should hand us, or JCS_UNKNOWN if we cannot
// turn the file's colours into RGB.
J_COLOR_SPACE outputSpaceFor(J_COLOR_SPACE fileSpace)
{
    switch (fileSpace) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB: return JCS_EXT_RGB;
    case JCS_CMYK:
    case JCS_YCCK: return JCS_CMYK;
    default: return JCS_UNKNOWN;
    }
}

quint8 scaled(int a, int b)
{
    return quint8((a * b + 127) / 255);
}

// Adobe applications store CMYK inverted (0 = full ink); others store ink.
void cmykRowToRgb(const quint8 *cmyk, quint8 *rgb, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int paper = inverted ? cmyk[3] : 255 - cmyk[3];
        for (int channel = 0; channel < 3; ++channel) {
            const int light = inverted ? cmyk[channel] : 255 - cmyk[channel];
            rgb[channel] = scaled(light, paper);
        }
    }
}

} // namespace

QImage decodeJpeg(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    Decompressor decompressor;
    if (!decompressor.created)
        return {};
    jpeg_decompress_struct *info = &decompressor.info;

    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto size = static_cast<unsigned long>(bytes.size());
    if (!decompressor.run([&] {
            jpeg_mem_src(info, data, size);
            jpeg_read_header(info, TRUE);
        }))
        return {};

    if (!sizeIsSane(info->image_width, info->image_height))
        return {};
    const J_COLOR_SPACE outputSpace = outputSpaceFor(info->jpeg_color_space);
    if (outputSpace == JCS_UNKNOWN)
        return {};
    info->out_color_space = outputSpace;

    if (!decompressor.run([&] { jpeg_start_decompress(info); }))
        return {};

    const JDIMENSION width = info->output_width;
    const JDIMENSION height = info->output_height;
    QImage image(int(width), int(height), QImage::Format_RGB888);
    if (image.isNull())
        return {};
    const bool cmyk = outputSpace == JCS_CMYK;
    const bool invertedCmyk = cmyk && info->saw_Adobe_marker;
    std::vector<quint8> cmykRow(cmyk ? std::size_t(width) * 4 : 0);

    while (info->output_scanline < height) {
        const int y = int(info->output_scanline);
        JSAMPROW row = cmyk ? cmykRow.data() : image.scanLine(y);
        JDIMENSION rowsRead = 0;
        if (!decompressor.run([&] { rowsRead = jpeg_read_scanlines(info, &row, 1); }))
            return {};
        if (rowsRead == 0) // cannot happen with a memory source; never spin
            return {};
        if (cmyk)
            cmykRowToRgb(cmykRow.data(), image.scanLine(y), width, invertedCmyk);
    }

    if (!decompressor.run([&] { jpeg_finish_decompress(info); }))
        return {};
    return image;
}
