// libFuzzer target over the reader of the colours kept in the settings file
// (what the style was found to paint): any text gives, line by line, either
// nothing or a key and a colour that write back to a line read the same,
// never a crash or a sanitizer report; and the lines recalled leave the table
// within its bound.
#include "ui/bind/PaletteColours.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "painted-line fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines
        = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size))
              .split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const auto read = millcalc::readPaintedLine(line);
        if (!read)
            continue;
        const auto& [key, colour] = *read;
        if (key.isEmpty() || key.contains(QLatin1Char(' ')) || line.size() > 1024)
            fail("a line taken that is none");
        const QString written = key + QLatin1Char('=') + QColor(colour).name(QColor::HexRgb);
        const auto again = millcalc::readPaintedLine(written);
        if (!again || again->first != key || again->second != colour)
            fail("a line read that does not write back the same");
    }
    millcalc::recallPaintedBackgrounds(lines);
    if (millcalc::paintedBackgroundsFound().size() > 64)
        fail("more kept than the table holds");
    return 0;
}
