// Gathers what asks for the docks to be laid out anew until the event loop is
// back, and answers all of it with one relayout: a dock shown (the first time
// it is, its width too), a tab of docks brought to the front, a page of the
// inputs or of the results shown while the results are in view, the window's
// new size after it asked for one. Growing the window is asked for by the
// dock shown, a tab raised or a page shown; fitting the docks to the width and
// height they ask for by all of those but a dock shown again, and by the new
// size that a relayout asking for a fit waited for.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>

class QDockWidget;
class QMainWindow;
class QTabWidget;

namespace millcalc {

class DockRelayout : public QObject {
public:
    using Run = std::function<void(bool grow, bool fit)>;

    DockRelayout(QMainWindow* main, std::function<bool()> resultsInView, Run run);

    // A dock shown is seen by its event, not its signal: the binder shows it
    // with its signals blocked. A tab brought to the front (a calculation
    // raises the results over the panels) is no event of the dock's, only
    // its signal.
    void watchDock(QDockWidget* dock);
    // Each page asks for its own size: another page, of the inputs or of the
    // results, may want the room shared out anew.
    void watchPages(QTabWidget* pages);
    void request(bool grow, bool fit);
    // The window asked for a new size, which the platform may give it later
    // (Wayland does): once it has it, the docks are fitted again if fit.
    // None comes where the window keeps its size: the docks were fitted to it.
    void awaitSize(bool fit);
    // The window has the size the docks ask for: no other is coming.
    void sizeReached() { awaiting_ = awaitingFit_ = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void schedule();
    void run();

    std::function<bool()> resultsInView_;
    Run run_;
    QSet<QObject*> shown_;
    QSet<QObject*> pages_;
    QList<QPointer<QDockWidget>> raised_;
    bool queued_ = false;
    bool grow_ = false;
    bool fit_ = false;
    bool pageShown_ = false;
    bool awaiting_ = false;
    bool awaitingFit_ = false;
};

} // namespace millcalc
