#include "ui/PaintedMemory.h"

#include "ui/SettingsFile.h"
#include "ui/bind/PaletteColours.h"

namespace millcalc {

PaintedMemory::PaintedMemory(const QString& settingsFile)
    : file_(settingsFile)
{
    const QString key = QString::fromLatin1(kKey);
    recalled_ = readSettings(file_, { key }).value(key).toStringList();
    recallPaintedBackgrounds(recalled_);
}

bool PaintedMemory::recheck()
{
    return recheckPaintedBackgrounds();
}

void PaintedMemory::keep() const
{
    const QStringList found = paintedBackgroundsFound();
    if (found != recalled_)
        writeSettings(file_, { { QString::fromLatin1(kKey), found } });
}

} // namespace millcalc
