// Builds the windows and docks that are not shown at start in the idle time
// after the main window's first paint, so that neither start-up nor a first
// open pays for them: one step of one window a turn of the event loop, so
// that the user's input never waits for more than a step.
#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace millcalc {

class LaterWindows;

class IdleBuild : public QObject {
    Q_OBJECT
public:
    // Builds the bound windows of the registry after root's first paint; a
    // child of parent.
    IdleBuild(LaterWindows& windows, QObject* parent, QWidget* root);

    // Every window waiting to be built is built and ready to show.
    bool done() const { return done_; }
    // Runs the task in the idle time too, before the windows, in a turn of
    // its own; at once in the next turn when the idle time is over.
    void later(std::function<void()> task);

signals:
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step();

    LaterWindows& windows_;
    QWidget* root_;
    std::vector<std::function<void()>> tasks_;
    std::vector<std::string> waiting_;
    // How far the first waiting window is made ready.
    int stage_ = 0;
    bool done_ = false;
};

} // namespace millcalc
