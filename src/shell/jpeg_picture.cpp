#include "shell/jpeg_picture.h"

#include <QFile>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE

#include <jpeglib.h>

namespace shell {

namespace {

// Pictures beyond this are not ours; refusing them keeps a hostile header from a huge allocation.
constexpr JDIMENSION kMaxSide = 16384;

struct ErrorManager {
    jpeg_error_mgr pub; // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(manager->jump, 1);
}

void OutputMessage(j_common_ptr) {
    // Quiet: a bad picture is reported by the empty result, not on stderr.
}

// libjpeg's state with its clean-up. The functions that longjmp back (setjmp below) keep no objects
// with destructors in their own frames; the image is made by the caller between the two steps.
class Decompressor {
  public:
    Decompressor() {
        cinfo.err = jpeg_std_error(&m_error.pub);
        m_error.pub.error_exit = ErrorExit;
        m_error.pub.output_message = OutputMessage;
    }
    ~Decompressor() {
        if (m_created)
            jpeg_destroy_decompress(&cinfo);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    // Reads the header and starts decompression to RGB; false on any error or warning.
    bool Start(const QByteArray& bytes) {
        if (setjmp(m_error.jump))
            return false;
        jpeg_create_decompress(&cinfo);
        m_created = true;
        jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                     static_cast<unsigned long>(bytes.size()));
        if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK)
            return false;
        if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > kMaxSide ||
            cinfo.image_height > kMaxSide)
            return false;
        cinfo.out_color_space = JCS_RGB;
        jpeg_start_decompress(&cinfo);
        return cinfo.output_components == 3 && m_error.pub.num_warnings == 0;
    }

    // Decodes every row into `bits` (rows `bytesPerLine` apart); false on any error or warning.
    bool ReadRows(uchar* bits, qsizetype bytesPerLine) {
        if (setjmp(m_error.jump))
            return false;
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = bits + qsizetype(cinfo.output_scanline) * bytesPerLine;
            if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
                return false;
        }
        jpeg_finish_decompress(&cinfo);
        return m_error.pub.num_warnings == 0;
    }

    jpeg_decompress_struct cinfo{};

  private:
    ErrorManager m_error{};
    bool m_created = false;
};

} // namespace

QImage DecodeJpeg(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    Decompressor decompressor;
    if (!decompressor.Start(bytes))
        return {};
    QImage image(int(decompressor.cinfo.output_width), int(decompressor.cinfo.output_height),
                 QImage::Format_RGB888);
    if (image.isNull())
        return {};
    if (!decompressor.ReadRows(image.bits(), image.bytesPerLine()))
        return {};
    return image;
}

QImage LoadJpegFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodeJpeg(file.readAll());
}

} // namespace shell
