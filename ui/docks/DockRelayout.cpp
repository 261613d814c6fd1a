#include "ui/docks/DockRelayout.h"

#include <QDockWidget>
#include <QEvent>
#include <QMainWindow>
#include <QMetaObject>
#include <QTabWidget>

#include <utility>

namespace millcalc {

DockRelayout::DockRelayout(QMainWindow* main, std::function<bool()> resultsInView, Run run)
    : QObject(main)
    , resultsInView_(std::move(resultsInView))
    , run_(std::move(run))
{
    main->installEventFilter(this);
}

void DockRelayout::watchDock(QDockWidget* dock)
{
    dock->installEventFilter(this);
    connect(dock, &QDockWidget::visibilityChanged, this, [this, dock](bool visible) {
        if (visible) {
            raised_ << dock;
            schedule();
        }
    });
}

void DockRelayout::watchPages(QTabWidget* pages)
{
    for (int i = 0; pages && i < pages->count(); ++i) {
        pages_.insert(pages->widget(i));
        pages->widget(i)->installEventFilter(this);
    }
}

void DockRelayout::request(bool grow, bool fit)
{
    grow_ = grow_ || grow;
    fit_ = fit_ || fit;
    schedule();
}

void DockRelayout::awaitSize(bool fit)
{
    awaiting_ = true;
    awaitingFit_ = awaitingFit_ || fit;
}

bool DockRelayout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent()) {
        // The size the window asked for, not one the user gives it: the
        // user's sizes hold.
        if (event->type() == QEvent::Resize && awaiting_) {
            fit_ = fit_ || awaitingFit_;
            awaiting_ = awaitingFit_ = false;
            schedule();
        }
    } else if (event->type() == QEvent::Show) {
        if (pages_.contains(watched)) {
            pageShown_ = true;
        } else {
            // A dock opened for the first time gets its width; later the
            // user's widths hold.
            const bool first = !shown_.contains(watched);
            shown_.insert(watched);
            grow_ = true;
            fit_ = fit_ || first;
        }
        schedule();
    }
    return false;
}

void DockRelayout::schedule()
{
    if (queued_)
        return;
    queued_ = true;
    QMetaObject::invokeMethod(this, &DockRelayout::run, Qt::QueuedConnection);
}

void DockRelayout::run()
{
    // What is asked for from here on waits for another turn.
    queued_ = false;
    bool grow = std::exchange(grow_, false);
    bool fit = std::exchange(fit_, false);
    const QList<QPointer<QDockWidget>> raised = std::exchange(raised_, {});
    if (std::exchange(pageShown_, false) && resultsInView_())
        grow = fit = true;
    for (const QPointer<QDockWidget>& dock : raised) {
        if (dock && dock->isVisible())
            grow = fit = true;
    }
    if (grow || fit)
        run_(grow, fit);
}

} // namespace millcalc
