// What the style paints under the window's coloured texts (ui/bind/
// PaletteColours), kept in the settings file from one run to the next: a
// start takes what the last run found instead of drawing it before its
// window can show, and draws it afresh once the window is up.
#pragma once

#include <QString>
#include <QStringList>

namespace millcalc {

class PaintedMemory {
public:
    // The settings file's key.
    static constexpr const char* kKey = "style/painted";

    // Recalls what the file keeps; with no file named, nothing.
    explicit PaintedMemory(const QString& settingsFile);

    // Draws afresh what was recalled and asked for; true when the style
    // paints any of it otherwise now, and the colours are to be computed
    // again.
    bool recheck();
    // Writes what this run found, unless that is what it recalled.
    void keep() const;

private:
    QString file_;
    QStringList recalled_;
};

} // namespace millcalc
