#include "jpeg_writer.h"

#include "runtime/jpeg_guard.h"

#include <cstdlib>

namespace {

using jpeg_guard::ErrorManager;
using jpeg_guard::guarded;

// Says why on stderr before giving up: this runs by hand, not in the program.
[[noreturn]] void jumpOnError(j_common_ptr cinfo)
{
    (*cinfo->err->output_message)(cinfo);
    jpeg_guard::jumpOnError(cinfo);
}

// Owns the compressor and libjpeg's output buffer on every path.
class Compressor {
public:
    Compressor()
    {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = jumpOnError;
        created = guarded(errors, [this] { jpeg_create_compress(&info); });
    }
    ~Compressor()
    {
        jpeg_destroy_compress(&info);
        std::free(buffer);
    }
    Compressor(const Compressor &) = delete;
    Compressor &operator=(const Compressor &) = delete;

    template <typename Step>
    bool run(Step &&step)
    {
        return guarded(errors, step);
    }

    jpeg_compress_struct info{};
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    bool created = false;

private:
    ErrorManager errors{};
};

void applySettings(jpeg_compress_struct *info, const JpegSettings &settings)
{
    jpeg_set_defaults(info); // baseline, sequential, standard Huffman tables
    jpeg_set_quality(info, settings.quality, TRUE);
    info->write_JFIF_header = TRUE;
    info->density_unit = 1; // dots per inch
    info->X_density = UINT16(settings.dotsPerInch);
    info->Y_density = UINT16(settings.dotsPerInch);
    info->dct_method = JDCT_ISLOW;
    if (settings.fullChroma) {
        for (int c = 0; c < info->num_components; ++c) {
            info->comp_info[c].h_samp_factor = 1;
            info->comp_info[c].v_samp_factor = 1;
        }
    }
}

} // namespace

QByteArray encodeBaselineJpeg(const QImage &image, const JpegSettings &settings)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    Compressor compressor;
    if (rgb.isNull() || !compressor.created)
        return {};
    jpeg_compress_struct *info = &compressor.info;
    info->image_width = JDIMENSION(rgb.width());
    info->image_height = JDIMENSION(rgb.height());
    info->input_components = 3;
    info->in_color_space = JCS_RGB;

    const bool ok = compressor.run([&] {
        jpeg_mem_dest(info, &compressor.buffer, &compressor.size);
        applySettings(info, settings);
        jpeg_start_compress(info, TRUE);
        while (info->next_scanline < info->image_height) {
            auto row = const_cast<JSAMPROW>(rgb.constScanLine(int(info->next_scanline)));
            jpeg_write_scanlines(info, &row, 1);
        }
        jpeg_finish_compress(info);
    });
    if (!ok)
        return {};
    return QByteArray(reinterpret_cast<const char *>(compressor.buffer), qsizetype(compressor.size));
}
