#include "ui/pictures/JpegImage.h"

#include <QFile>
#include <QtGlobal>

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

namespace millcalc {

namespace {

// What libjpeg may allocate for itself beyond the picture: the whole-image
// coefficient buffers of a progressive file. Our pictures need a few hundred
// kilobytes; a header that asks for more is refused with an error.
constexpr long kLibraryMemory = 64L * 1024 * 1024;
// A progressive file is read scan by scan; real encoders write about ten. A
// file of thousands of tiny scans would keep the window busy for seconds.
constexpr int kMaxScans = 100;

// libjpeg reports an error by calling error_exit, which must not return: it
// jumps back to the guard of the step that called the library, with the
// library's message.
struct ErrorManager {
    jpeg_error_mgr base; // first member: libjpeg hands &base back as cinfo->err
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

struct ScanLimit {
    jpeg_progress_mgr base; // first member: libjpeg hands &base back as cinfo->progress
    ErrorManager* errors;
};

// The decompression and everything the library reads and writes; plain data,
// so that a jump out of the library leaves nothing half-built. Its owner
// destroys the library's state.
struct Decoder {
    jpeg_decompress_struct info;
    ErrorManager errors;
    ScanLimit scans;
    bool created;
    const unsigned char* bytes;
    unsigned long size;
    unsigned char* pixels; // the first row of the image the rows are decoded into
    qsizetype stride;

    explicit Decoder(const QByteArray& data)
        : info()
        , errors()
        , scans()
        , created(false)
        , bytes(reinterpret_cast<const unsigned char*>(data.constData()))
        , size(static_cast<unsigned long>(data.size()))
        , pixels(nullptr)
        , stride(0)
    {
    }
    ~Decoder()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
};

[[noreturn]] void escapeOnError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    // Without a backing store the library's own words, "Backing store not
    // supported", would hide that the file asked for too much memory.
    if (info->err->msg_code == JERR_NO_BACKING_STORE)
        std::snprintf(errors->message, sizeof errors->message, "image needs more than %ld MB",
            kLibraryMemory / (1024 * 1024));
    else
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

void limitScans(j_common_ptr common)
{
    auto* info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->input_scan_number <= kMaxScans)
        return;
    ErrorManager* errors = reinterpret_cast<ScanLimit*>(info->progress)->errors;
    std::snprintf(errors->message, sizeof errors->message, "more than %d scans", kMaxScans);
    std::longjmp(errors->escape, 1);
}

// The only place that calls setjmp. It holds no object with a destructor and
// changes no local after setjmp, and neither do the steps it runs, so a jump
// out of the library skips no destructor and leaves no local indeterminate.
bool guarded(Decoder& decoder, void (*step)(Decoder&))
{
    if (setjmp(decoder.errors.escape))
        return false;
    step(decoder);
    return true;
}

void readHeader(Decoder& decoder)
{
    jpeg_decompress_struct& info = decoder.info;
    info.err = jpeg_std_error(&decoder.errors.base);
    decoder.errors.base.error_exit = escapeOnError;
    decoder.errors.base.emit_message = escapeOnWarning;
    jpeg_create_decompress(&info);
    decoder.created = true;
    info.mem->max_memory_to_use = kLibraryMemory;
    decoder.scans.base.progress_monitor = limitScans;
    decoder.scans.errors = &decoder.errors;
    info.progress = &decoder.scans.base;
    jpeg_mem_src(&info, decoder.bytes, decoder.size);
    jpeg_read_header(&info, TRUE);
}

void startDecoding(Decoder& decoder)
{
    // Grey pictures come out as RGB too; CMYK ones are refused by the library.
    decoder.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&decoder.info);
}

void readRows(Decoder& decoder)
{
    jpeg_decompress_struct& info = decoder.info;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoder.pixels + decoder.stride * qsizetype(info.output_scanline);
        // The memory source never suspends: no row read means a broken file,
        // which the library has already reported.
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            ERREXIT(&info, JERR_INPUT_EMPTY);
    }
    jpeg_finish_decompress(&info);
}

bool tooLarge(JDIMENSION width, JDIMENSION height)
{
    return width > JDIMENSION(JpegImage::kMaxSide) || height > JDIMENSION(JpegImage::kMaxSide);
}

// Decodes into image, or gives the reason and leaves image null.
std::string decodeInto(Decoder& decoder, QImage& image)
{
    if (!guarded(decoder, readHeader))
        return decoder.errors.message;
    // The header's size is judged before anything is allocated for it.
    if (tooLarge(decoder.info.image_width, decoder.info.image_height))
        return "image larger than " + std::to_string(JpegImage::kMaxSide) + " pixels";
    if (!guarded(decoder, startDecoding))
        return decoder.errors.message;
    if (tooLarge(decoder.info.output_width, decoder.info.output_height)
        || decoder.info.output_components != 3)
        return "unexpected output format";
    image = QImage(static_cast<int>(decoder.info.output_width),
        static_cast<int>(decoder.info.output_height), QImage::Format_RGB888);
    if (image.isNull())
        return "not enough memory";
    decoder.pixels = image.bits();
    decoder.stride = image.bytesPerLine();
    if (!guarded(decoder, readRows)) {
        image = QImage();
        return decoder.errors.message;
    }
    return std::string();
}

} // namespace

JpegImage JpegImage::decode(const QByteArray& bytes, const QString& source)
{
    JpegImage result;
    Decoder decoder(bytes);
    const std::string message = decodeInto(decoder, result.image_);
    if (!message.empty()) {
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
