// libFuzzer target over the JPEG loader, the one reader of picture bytes: any
// bytes give either a picture within the side limit or a message naming the
// picture, never a crash, a sanitizer report or a leak; run.sh caps each
// allocation, so a header that would make the loader allocate much is found.
#include "ui/pictures/JpegImage.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "jpeg fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using millcalc::JpegImage;
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const JpegImage picture = JpegImage::decode(bytes, QStringLiteral("F.jpg"));
    if (picture.isNull()) {
        if (!picture.error().startsWith(QStringLiteral("Картинка F.jpg повреждена: ")))
            fail("an empty picture without its message");
        return 0;
    }
    if (!picture.error().isEmpty())
        fail("a picture with an error message");
    const QImage& image = picture.image();
    if (image.width() > JpegImage::kMaxSide || image.height() > JpegImage::kMaxSide)
        fail("a picture beyond the side limit");
    if (image.format() != QImage::Format_RGB888)
        fail("a picture not in RGB");
    return 0;
}
