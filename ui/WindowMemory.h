// The main window remembers itself: its size and place and the arrangement
// of its docks, kept in Qt's settings when the program ends and restored at
// the next start where they fit the screen of the day.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

class QMainWindow;

namespace millcalc {

// Whether a window whose frame was savedFrame fits the screen's available
// area: an arrangement that does not is not restored, and the window opens
// in its default arrangement, which fits every result in view.
bool arrangementFits(const QSize& savedFrame, const QRect& available);

class WindowMemory : public QObject {
public:
    // Restores what settingsFile holds, where it fits; a settings file that
    // cannot be read or holds nothing of use changes nothing. The window is
    // saved when the application is about to end.
    WindowMemory(QMainWindow& window, QString settingsFile);

    bool restored() const { return restored_; }
    void save() const;

private:
    void restore();

    QPointer<QMainWindow> window_;
    QString settingsFile_;
    bool restored_ = false;
};

} // namespace millcalc
