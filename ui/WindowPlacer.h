// Where the program's windows open: the main window at the top left of the
// screen, the results window beside it, and every other window, when it is
// first shown, in the free room next to the window it was opened from. No
// window opens over the main window; while room remains none opens over
// another, and where one must, it covers the results window rather than a
// panel. Every window stays within the screen's available area: a window too
// large for the room left shrinks where it may (the log) or scrolls (a panel).
#pragma once

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

class QWidget;

namespace millcalc {

// The room a window is placed in, all rectangles being frames on the screen.
struct Room {
    QRect screen; // the screen's available area
    QRect keepClear; // never covered: the main window
    std::vector<QRect> avoid; // covered only where nothing else is left
    std::vector<QRect> tolerate; // covered before anything in `avoid`
    QRect opener; // the window the new one was opened from
};

// The frame for a window of frame size `wanted` that may shrink to `least`
// (equal to `wanted` for a window that keeps its size; only a lack of screen
// then makes it smaller). `preferred` is its own place, taken where it is free.
QRect choosePlace(const Room& room, QSize wanted, QSize least, std::optional<QPoint> preferred);

class WindowPlacer : public QObject {
    Q_OBJECT
public:
    // The gap between two windows side by side.
    static constexpr int kGap = 2;
    // Time the window manager takes to frame a new window.
    static constexpr int kFramedAfterMs = 200;

    explicit WindowPlacer(QWidget* main);

    // The main window at the top left of its screen's available area.
    void placeMain();
    // The window is placed when it is first shown. results marks the results
    // window; least is the smallest client size the window may take;
    // preferred is its own initial place where that one is free.
    void manage(QWidget* window, bool results, QSize least = QSize(),
        std::optional<QPoint> preferred = std::nullopt);

    // Where the results window is, or will open.
    QRect resultsFrame() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Managed {
        QPointer<QWidget> window;
        bool results = false;
        QSize least;
        std::optional<QPoint> preferred;
        bool placed = false;
        bool framed = false;
    };

    void place(Managed& managed);
    void keepOnScreen(QWidget* window) const;
    QRect screenArea() const;
    QMargins frameMargins(const QWidget* window) const;
    QSize naturalFrameSize(const QWidget* window) const;
    void applyFrame(QWidget* window, const QRect& frame) const;

    QWidget* main_;
    std::vector<Managed> windows_;
};

} // namespace millcalc
