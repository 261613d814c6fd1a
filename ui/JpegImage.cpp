#include "ui/JpegImage.h"

#include <QFile>
#include <QtGlobal>

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

namespace millcalc {

namespace {

// libjpeg reports an error by calling error_exit, which must not return: it
// jumps back to the decoding function with the library's message.
struct ErrorManager {
    jpeg_error_mgr base; // first member: libjpeg hands &base back as cinfo->err
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

// Everything the library writes while decoding lives here, in the caller's
// frame, so that nothing local to the function holding setjmp changes between
// setjmp and a longjmp (such locals would be indeterminate after the jump).
struct Decoder {
    jpeg_decompress_struct info;
    ErrorManager errors;
};

[[noreturn]] void escapeOnError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->escape, 1);
}

// A corrupt or truncated file is only a warning to libjpeg, which then decodes
// on and paints the missing rest grey; for our own pictures it is an error.
// Trace messages (level 0 and above) are dropped.
void escapeOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        escapeOnError(info);
}

// Decodes into image, or fills message and leaves image null. No C++ object
// with a destructor is created in this function after setjmp and alive at a
// call into the library, so a longjmp skips no destructor.
bool decodeInto(Decoder& decoder, const QByteArray& bytes, QImage& image, std::string& message)
{
    jpeg_decompress_struct& info = decoder.info;
    info.err = jpeg_std_error(&decoder.errors.base);
    decoder.errors.base.error_exit = escapeOnError;
    decoder.errors.base.emit_message = escapeOnWarning;
    decoder.errors.message[0] = '\0';
    if (setjmp(decoder.errors.escape)) {
        jpeg_destroy_decompress(&info);
        message = decoder.errors.message;
        image = QImage();
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
        static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width > JDIMENSION(JpegImage::kMaxSide)
        || info.image_height > JDIMENSION(JpegImage::kMaxSide)) {
        jpeg_destroy_decompress(&info);
        message = "image larger than " + std::to_string(JpegImage::kMaxSide) + " pixels";
        return false;
    }
    // Grey pictures come out as RGB too; CMYK ones are refused by the library.
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
        QImage::Format_RGB888);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        message = "not enough memory";
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

JpegImage JpegImage::decode(const QByteArray& bytes, const QString& source)
{
    JpegImage result;
    Decoder decoder {};
    std::string message;
    if (!decodeInto(decoder, bytes, result.image_, message)) {
        result.image_ = QImage();
        result.error_ = QStringLiteral("Картинка %1 повреждена: %2")
                            .arg(source, QString::fromLatin1(message.c_str()));
    }
    return result;
}

JpegImage JpegImage::load(const QString& path)
{
    QFile file(path);
    JpegImage result;
    if (!file.open(QIODevice::ReadOnly))
        result.error_ = QStringLiteral("Нет картинки %1").arg(path);
    else
        result = decode(file.readAll(), path);
    if (result.isNull())
        qWarning("millcalc: %s", qUtf8Printable(result.error_));
    return result;
}

} // namespace millcalc
