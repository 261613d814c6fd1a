// The main window remembers itself: its size and place, the arrangement of
// its docks and the panels shown, kept in Qt's settings when the program ends
// and restored at the next start where they fit the screen of the day.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

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
    // The panels shown when the arrangement was saved, by name; none unless
    // it was restored. Whoever shows panels decides which of them to show.
    const QStringList& panels() const { return panels_; }
    // Asked, when the arrangement is saved, which panels are shown.
    void setShownPanels(std::function<QStringList()> shown) { shownPanels_ = std::move(shown); }
    void save() const;

private:
    void restore();

    QPointer<QMainWindow> window_;
    QString settingsFile_;
    bool restored_ = false;
    QStringList panels_;
    std::function<QStringList()> shownPanels_;
};

} // namespace millcalc
