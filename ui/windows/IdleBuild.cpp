#include "ui/windows/IdleBuild.h"

#include "ui/windows/LaterWindows.h"

#include <QEvent>
#include <QLayout>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace millcalc {

IdleBuild::IdleBuild(LaterWindows& windows, QObject* parent, QWidget* root)
    : QObject(parent)
    , windows_(windows)
    , root_(root)
{
    root_->installEventFilter(this);
}

bool IdleBuild::eventFilter(QObject* watched, QEvent* event)
{
    // The main window's first paint: from the next turn of the event loop,
    // once the window has reached the screen, the idle time is ours.
    if (watched == root_ && event->type() == QEvent::Paint) {
        root_->removeEventFilter(this);
        waiting_ = windows_.unbuilt(LaterWindows::Kind::Bound);
        QTimer::singleShot(0, this, &IdleBuild::step);
    }
    return false;
}

void IdleBuild::later(std::function<void()> task)
{
    if (done_)
        QTimer::singleShot(0, this, std::move(task));
    else
        tasks_.push_back(std::move(task));
}

void IdleBuild::step()
{
    if (!tasks_.empty()) {
        const std::function<void()> task = std::move(tasks_.front());
        tasks_.erase(tasks_.begin());
        task();
        QTimer::singleShot(0, this, &IdleBuild::step);
        return;
    }
    // Each window in three steps: built and bound; styled and laid out; its
    // platform window made and painted once aside, which loads the glyphs
    // and pictures it shows. A window the user opened meanwhile is done.
    bool worked = false;
    while (!worked && !waiting_.empty()) {
        const bool built = windows_.isBuilt(waiting_.front());
        QWidget* window = windows_.build(waiting_.front());
        if (!window || window->isVisible()) {
            stage_ = 3;
        } else if (!built) {
            stage_ = 1;
            worked = true;
        } else if (stage_ == 1) {
            window->ensurePolished();
            if (QLayout* layout = window->layout())
                layout->activate();
            stage_ = 2;
            worked = true;
        } else {
            QPixmap aside(window->size());
            window->render(&aside);
            stage_ = 3;
            worked = true;
        }
        if (stage_ == 3) {
            waiting_.erase(waiting_.begin());
            stage_ = 0;
        }
    }
    if (waiting_.empty()) {
        done_ = true;
        emit finished();
        return;
    }
    QTimer::singleShot(0, this, &IdleBuild::step);
}

} // namespace millcalc
