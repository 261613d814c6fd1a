#include "ui/WindowPlacer.h"

#include "ui/PanelWindow.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace millcalc {

namespace {

qint64 overlap(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

qint64 area(QSize size)
{
    return qint64(size.width()) * size.height();
}

// The frame of the window at `at`: no larger than the screen, shrunk towards
// `least` where the screen edge is nearer, then moved inside the screen.
QRect fitted(const QRect& screen, QPoint at, QSize wanted, QSize least)
{
    QSize size = wanted.boundedTo(screen.size());
    const int roomRight = screen.right() + 1 - at.x();
    const int roomDown = screen.bottom() + 1 - at.y();
    if (least.width() < size.width() && roomRight < size.width())
        size.setWidth(std::max(std::min(least.width(), size.width()), roomRight));
    if (least.height() < size.height() && roomDown < size.height())
        size.setHeight(std::max(std::min(least.height(), size.height()), roomDown));
    QRect frame(at, size);
    frame.moveLeft(std::clamp(frame.left(), screen.left(), screen.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), screen.top(), screen.bottom() + 1 - frame.height()));
    return frame;
}

} // namespace

QRect choosePlace(const Room& room, QSize wanted, QSize least, std::optional<QPoint> preferred)
{
    least = least.isValid() ? least.boundedTo(wanted) : wanted;
    std::vector<QPoint> candidates;
    if (preferred)
        candidates.push_back(*preferred);
    // Beside each window: right, below, left, above, the opener's sides first.
    std::vector<QRect> anchors;
    if (!room.opener.isEmpty())
        anchors.push_back(room.opener);
    anchors.push_back(room.keepClear);
    anchors.insert(anchors.end(), room.tolerate.begin(), room.tolerate.end());
    anchors.insert(anchors.end(), room.avoid.begin(), room.avoid.end());
    constexpr int gap = WindowPlacer::kGap;
    for (const QRect& a : anchors) {
        if (a.isEmpty())
            continue;
        candidates.push_back({ a.right() + 1 + gap, a.top() });
        candidates.push_back({ a.left(), a.bottom() + 1 + gap });
        candidates.push_back({ a.right() + 1 - wanted.width(), a.bottom() + 1 + gap });
        candidates.push_back({ a.left() - gap - wanted.width(), a.top() });
        candidates.push_back({ a.left(), a.top() - gap - wanted.height() });
        candidates.push_back({ a.right() + 1 + gap, a.bottom() + 1 - wanted.height() });
    }
    const QRect& s = room.screen;
    candidates.push_back({ s.right() + 1 - wanted.width(), s.top() });
    candidates.push_back({ s.right() + 1 - wanted.width(), s.bottom() + 1 - wanted.height() });
    candidates.push_back({ s.left(), s.bottom() + 1 - wanted.height() });

    QRect best;
    qint64 bestCost = std::numeric_limits<qint64>::max();
    for (const QPoint& at : candidates) {
        const QRect frame = fitted(s, at, wanted, least);
        qint64 cost = overlap(frame, room.keepClear) * 1'000'000;
        for (const QRect& r : room.avoid)
            cost += overlap(frame, r) * 1'000;
        for (const QRect& r : room.tolerate)
            cost += overlap(frame, r);
        // A window shrunk or cut by the screen loses what it cannot show: a
        // little is worse than covering the results window by as much, more
        // than a quarter as bad as covering another window.
        const qint64 lost = area(wanted) - area(frame.size());
        cost += 2 * lost + 1'000 * std::max<qint64>(0, lost - area(wanted) / 4);
        if (cost < bestCost) {
            bestCost = cost;
            best = frame;
        }
    }
    return best;
}

WindowPlacer::WindowPlacer(QWidget* main)
    : QObject(main)
    , main_(main)
{
}

QRect WindowPlacer::screenArea() const
{
    QScreen* screen = main_->screen() ? main_->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
}

void WindowPlacer::placeMain()
{
    main_->adjustSize();
    main_->move(screenArea().topLeft());
}

void WindowPlacer::manage(
    QWidget* window, bool results, QSize least, std::optional<QPoint> preferred)
{
    if (!window)
        return;
    windows_.push_back({ window, results, least, preferred, false });
    window->installEventFilter(this);
}

bool WindowPlacer::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Resize || type == QEvent::Paint) {
        for (Managed& managed : windows_) {
            if (managed.window != watched)
                continue;
            if (!managed.placed && type == QEvent::Show) {
                managed.placed = true;
                managed.framed = false;
                place(managed);
            } else if (managed.placed && type == QEvent::Resize) {
                keepOnScreen(managed.window);
            } else if (managed.placed && !managed.framed && type == QEvent::Paint) {
                // Drawn for the first time: the window manager has framed it,
                // and its frame is known now.
                managed.framed = true;
                QWidget* window = managed.window;
                QTimer::singleShot(0, window, [this, window] { keepOnScreen(window); });
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

QMargins WindowPlacer::frameMargins(const QWidget* window) const
{
    if (window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return {};
    // The window manager draws the same frame round every window of ours;
    // before a window has been shown its own frame is not known yet.
    const QWidget* known = window->isVisible() && window->frameGeometry() != window->geometry()
        ? window
        : main_;
    const QRect frame = known->frameGeometry();
    const QRect inner = known->geometry();
    return { inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
        frame.bottom() - inner.bottom() };
}

QSize WindowPlacer::naturalFrameSize(const QWidget* window) const
{
    const QMargins m = frameMargins(window);
    QSize client = window->size();
    if (const auto* panel = qobject_cast<const PanelWindow*>(window))
        client = panel->naturalSize();
    return client.grownBy(m);
}

QRect WindowPlacer::resultsFrame() const
{
    for (const Managed& managed : windows_) {
        if (!managed.results || !managed.window)
            continue;
        if (managed.placed)
            return managed.window->frameGeometry();
        // Beside the main window, as high as the screen allows; what does not
        // fit scrolls. Where less than half its width is left beside the main
        // window, it keeps its width and covers the main window's right side:
        // squeezed into that strip it would show hardly a result.
        const QRect screen = screenArea();
        const QRect main = main_->frameGeometry();
        const QSize wanted = naturalFrameSize(managed.window).boundedTo(screen.size());
        QPoint at(main.right() + 1 + kGap, screen.top());
        QSize size(screen.right() + 1 - at.x(), screen.height());
        if (size.width() < wanted.width() / 2) {
            size.setWidth(wanted.width());
            at.setX(std::max(screen.left(), screen.right() + 1 - wanted.width()));
        }
        return QRect(at, wanted.boundedTo(size).expandedTo(QSize(1, 1)));
    }
    return {};
}

void WindowPlacer::applyFrame(QWidget* window, const QRect& frame) const
{
    const QMargins margins = frameMargins(window);
    QSize client = frame.size().shrunkBy(margins);
    if (auto* panel = qobject_cast<PanelWindow*>(window)) {
        // Growing contents may take the window on to the screen's edges.
        const QRect edges = screenArea();
        const QSize room = QSize(edges.right() + 1 - frame.left(), edges.bottom() + 1 - frame.top())
                               .shrunkBy(margins);
        panel->fitClient(client, room);
        client = panel->size();
    }
    // A window that would not take the size it was given stays on the screen
    // all the same.
    if (!qobject_cast<PanelWindow*>(window))
        client = client.expandedTo(window->minimumSizeHint()).expandedTo(window->minimumSize());
    const QRect screen = screenArea();
    QPoint at = frame.topLeft();
    const QSize whole = client.grownBy(margins);
    at.setX(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - whole.width())));
    at.setY(std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - whole.height())));
    // Placed by its client area: a window that has been created already
    // takes a move() as the place of its client area, not of its frame.
    window->setGeometry(QRect(at + QPoint(margins.left(), margins.top()), client));
}

void WindowPlacer::keepOnScreen(QWidget* window) const
{
    // A window may come out larger than it was asked to be (its own least
    // size, or the window manager's word): it moves back onto the screen.
    const QMargins margins = frameMargins(window);
    const QRect frame = window->geometry().marginsAdded(margins);
    const QRect screen = screenArea();
    if (screen.contains(frame))
        return;
    QPoint at = frame.topLeft();
    at.setX(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - frame.width())));
    at.setY(std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - frame.height())));
    if (at != frame.topLeft())
        window->move(at + QPoint(margins.left(), margins.top()) - window->geometry().topLeft()
            + window->pos());
}

void WindowPlacer::place(Managed& managed)
{
    QWidget* window = managed.window;
    if (managed.results) {
        managed.placed = false;
        const QRect frame = resultsFrame();
        managed.placed = true;
        applyFrame(window, frame);
        return;
    }
    Room room;
    room.screen = screenArea();
    room.keepClear = main_->frameGeometry();
    room.tolerate.push_back(resultsFrame());
    for (const Managed& other : windows_) {
        if (other.window && other.window != window && !other.results && other.window->isVisible())
            room.avoid.push_back(other.window->frameGeometry());
    }
    // Opened from the window the user works in; the log and the splash open
    // no windows.
    QWidget* active = QApplication::activeWindow();
    room.opener = active && active != window && active->isVisible() ? active->frameGeometry()
                                                                     : room.keepClear;
    const QMargins margins = frameMargins(window);
    const QSize wanted = naturalFrameSize(window);
    // No less than the window itself allows; a panel scrolls instead.
    QSize floor(0, 0);
    if (!qobject_cast<PanelWindow*>(window)) {
        if (window->layout())
            window->layout()->activate();
        floor = window->minimumSizeHint().expandedTo(window->minimumSize());
    }
    const QSize least = managed.least.isValid() ? managed.least.expandedTo(floor).grownBy(margins)
                                                : wanted;
    std::optional<QPoint> preferred = managed.preferred;
    applyFrame(window, choosePlace(room, wanted, least, preferred));
    // The frame of a sizeable window (with a grip at its foot) may differ
    // from the main window's: once the window manager has drawn it, the
    // window moves back onto the screen if it has to.
    QTimer::singleShot(kFramedAfterMs, window, [this, window] { keepOnScreen(window); });
}

} // namespace millcalc
