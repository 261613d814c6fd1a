#include "ui/Desktop.h"

#include "shell/FormMain.h"
#include "ui/CalculationCommands.h"
#include "ui/FieldBinder.h"
#include "ui/GraphicWindow.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/MessageWindow.h"
#include "ui/PanelDock.h"
#include "ui/Panels.h"
#include "ui/ResultsCopy.h"
#include "ui/SplashWindow.h"
#include "ui/WindowMemory.h"
#include "ui/sheet/SheetCommands.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace millcalc {

namespace {

// Where a dock goes when it is first shown.
enum class DockPlace {
    Results, // right of the inputs
    Log, // under the results, or under the inputs on a low screen
    Panel, // tabbed with the results, or beside them where the screen is wide enough
};

struct DockRow {
    const char* name;
    DockPlace place;
    QWidget* (*contents)(); // null for the log, which is a dock of its own kind
};

// The docks of the main window, one row each.
constexpr DockRow kDocks[] = {
    { "PanelCalc", DockPlace::Results, createResultsPanel },
    { "FormMessage", DockPlace::Log, nullptr },
    { "PanelFormulaAl", DockPlace::Panel, createFormulaPanel },
    { "PanelStMaterial", DockPlace::Panel, createMaterialPanel },
    { "PanelTemp", DockPlace::Panel, createTemperaturePanel },
    { "PanelMachines", DockPlace::Panel, createMachinesPanel },
};

// The control names of the main window's input pages, by index.
constexpr const char* kInputPages[MainWindow::kInputPageCount]
    = { "TabSheet1", "TabSheet2", "TabSheet3" };

constexpr std::size_t kResultsRow = 0;
constexpr std::size_t kLogRow = 1;

// Runs an action once the event loop is back after the widget was shown,
// telling it whether this was the first time.
class OnShow : public QObject {
public:
    OnShow(QWidget* widget, std::function<void(bool)> action)
        : QObject(widget)
        , action_(std::move(action))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && event->type() == QEvent::Show) {
            const bool first = !shown_;
            shown_ = true;
            QTimer::singleShot(0, this, [this, first] { action_(first); });
        }
        return false;
    }

private:
    std::function<void(bool)> action_;
    bool shown_ = false;
};

QRect screenArea(const QWidget* widget)
{
    QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
}

// Runs an action once the window has taken a new size (the platform may give
// it later, as Wayland does), or after a while when no new size comes.
class OnResize : public QObject {
public:
    OnResize(QWidget* window, std::function<void()> action)
        : QObject(window)
        , action_(std::move(action))
    {
        window->installEventFilter(this);
        QTimer::singleShot(kLongestWaitMs, this, [this] { run(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && event->type() == QEvent::Resize)
            QTimer::singleShot(0, this, [this] { run(); });
        return false;
    }

private:
    static constexpr int kLongestWaitMs = 500;

    void run()
    {
        if (done_)
            return;
        done_ = true;
        action_();
        deleteLater();
    }

    std::function<void()> action_;
    bool done_ = false;
};

} // namespace

Desktop::Desktop(FormMain& form, const QString& settingsFile)
    : form_(form)
    , main_(std::make_unique<MainWindow>())
{
    QWidget* owner = main_.get();
    new SplashWindow(owner);
    binder_ = new FieldBinder(form_, owner);
    sheet_ = new SheetCommands(form_, main_.get());
    calculation_ = new CalculationCommands(form_, main_.get(), settingsFile);
    // "Восстановить расположение окон" closes the help menu's panel lines.
    auto* reset = new QAction(QStringLiteral("Восстановить расположение &окон"), main_.get());
    reset->setObjectName(QStringLiteral("NResetLayout"));
    if (auto* help = main_->findChild<QMenu*>(QStringLiteral("N7Menu"))) {
        const QList<QAction*> lines = help->actions();
        const auto machines = std::find_if(lines.begin(), lines.end(),
            [](const QAction* line) { return line->objectName() == QLatin1String("N27"); });
        help->insertAction(
            machines == lines.end() || machines + 1 == lines.end() ? nullptr : *(machines + 1),
            reset);
    }
    QObject::connect(reset, &QAction::triggered, main_.get(), [this] { resetArrangement(); });
    if (!settingsFile.isEmpty())
        memory_ = new WindowMemory(*main_, settingsFile);
    // The input page shown at start is built with the window; the others
    // first, before the docks, in the idle time after its first paint, or
    // at once when the page control turns to one of them before.
    for (int page = 0; page < MainWindow::kInputPageCount; ++page) {
        binder_->buildOnFirstShow(
            kInputPages[page], [this, page] { return main_->buildInputPage(page); });
    }
    QObject::connect(main_.get(), &MainWindow::inputPageWanted, binder_,
        [this](int page) { binder_->build(kInputPages[page]); });
    if (const int shown = main_->shownInputPage(); shown >= 0)
        binder_->build(kInputPages[shown]);
    for (std::size_t row = 0; row < std::size(kDocks); ++row)
        binder_->buildOnFirstShow(kDocks[row].name, [this, row] { return buildDock(row); });
    binder_->buildOnFirstShow("FormGraphic",
        [this, owner] { return static_cast<QWidget*>(new GraphicWindow(form_, owner)); });
    binder_->buildOnFirstShow(
        "FormHelp", [owner] { return static_cast<QWidget*>(new HelpWindow(owner)); });
    if (memory_) {
        memory_->setShownPanels([this] {
            QStringList names;
            for (const std::string& name : form_.keptPanels())
                names << QString::fromStdString(name);
            return names;
        });
        // The panels the user left open come back with the arrangement, shown
        // by the window logic as their menu items show them (the comparison
        // computes as it comes into view).
        std::vector<std::string> names;
        for (const QString& name : memory_->panels())
            names.push_back(name.toStdString());
        form_.showKeptPanels(names);
    }
}

Desktop::~Desktop() = default;

QDockWidget* Desktop::buildDock(std::size_t row)
{
    const DockRow& entry = kDocks[row];
    QMainWindow* main = main_.get();
    // The others open in relation to the results, built first.
    if (entry.place != DockPlace::Results)
        binder_->build(kDocks[kResultsRow].name);
    QDockWidget* dock = nullptr;
    if (entry.place == DockPlace::Log) {
        dock = new MessageWindow(main);
    } else {
        auto* panel = new PanelDock(entry.name, entry.contents(), main);
        if (entry.place == DockPlace::Results) {
            panel->keepInView(panel->findChild<QWidget*>(QStringLiteral("StatusBarMesRow")));
            sheet_->attachResults(panel);
            installResultsCopy(*sheet_, panel);
        }
        dock = panel;
    }
    // Where a saved arrangement is restored (ui/WindowMemory), the dock goes
    // where the user left it; its visibility stays the store's.
    const bool restored = main->restoreDockWidget(dock);
    dock->hide();
    if (!restored)
        placeDock(row, dock);
    // Not by its signal: the binder shows it with its signals blocked.
    new OnShow(dock, [this, dock](bool first) { makeRoom(first ? dock : nullptr); });
    // A tab brought to the front (a calculation raises the results over the
    // panels) gets its room as well.
    QObject::connect(dock, &QDockWidget::visibilityChanged, dock, [this, dock](bool visible) {
        if (visible) {
            QTimer::singleShot(0, dock, [this, dock] {
                if (dock->isVisible())
                    makeRoom(dock);
            });
        }
    });
    if (entry.place == DockPlace::Results) {
        // Each page asks for its own size: another page, of the inputs or of
        // the results, may want the room shared out anew.
        for (const char* pagesName : { "PageControlParam", "PageControlMethods" }) {
            auto* pages = main->findChild<QTabWidget*>(QString::fromUtf8(pagesName));
            for (int i = 0; pages && i < pages->count(); ++i) {
                new OnShow(pages->widget(i), [this, dock](bool) {
                    if (dock->isVisible())
                        makeRoom(dock);
                });
            }
        }
    }
    return dock;
}

void Desktop::placeDock(std::size_t row, QDockWidget* dock)
{
    const DockRow& entry = kDocks[row];
    QMainWindow* main = main_.get();
    auto* results = entry.place == DockPlace::Results
        ? nullptr
        : main->findChild<QDockWidget*>(QString::fromUtf8(kDocks[kResultsRow].name));
    switch (entry.place) {
    case DockPlace::Results:
        main->addDockWidget(Qt::RightDockWidgetArea, dock);
        break;
    case DockPlace::Log: {
        // Under the results where the screen is high enough for both, else
        // under the inputs, else (a laptop at large fonts) tabbed with the
        // results: no input or result may go out of view for the log.
        const int logHeight = dock->minimumSizeHint().height() + dock->fontMetrics().height() * 4;
        const int height = screenArea(main).height() * 9 / 10;
        if (results->sizeHint().height() + logHeight <= height) {
            main->splitDockWidget(results, dock, Qt::Vertical);
        } else if (main->centralWidget()->sizeHint().height() + logHeight <= height) {
            main->setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
            main->addDockWidget(Qt::BottomDockWidgetArea, dock);
        } else {
            main->tabifyDockWidget(results, dock);
        }
        break;
    }
    case DockPlace::Panel: {
        // Beside the results where the screen holds the inputs, the results
        // and the panel side by side; tabbed with the results, or with the
        // panels beside them, otherwise.
        QDockWidget* besideResults = nullptr;
        for (const DockRow& other : kDocks) {
            auto* built = main->findChild<QDockWidget*>(QString::fromUtf8(other.name));
            if (other.place == DockPlace::Panel && built && built != dock && !built->isFloating()
                && main->dockWidgetArea(built) == Qt::RightDockWidgetArea) {
                besideResults = built;
                break;
            }
        }
        const int needed = main->centralWidget()->sizeHint().width() + results->sizeHint().width()
            + dock->sizeHint().width();
        if (besideResults)
            main->tabifyDockWidget(besideResults, dock);
        else if (needed <= screenArea(main).width() * 95 / 100)
            main->splitDockWidget(results, dock, Qt::Horizontal);
        else
            main->tabifyDockWidget(results, dock);
        break;
    }
    }
}

void Desktop::resetArrangement()
{
    MainWindow* main = main_.get();
    QList<QDockWidget*> docks;
    for (std::size_t row = 0; row < std::size(kDocks); ++row) {
        if (auto* dock = main->findChild<QDockWidget*>(QString::fromUtf8(kDocks[row].name))) {
            // Docked again in its place first: a dock taken out of the layout
            // floating stays a window of its own.
            dock->setFloating(false);
            main->removeDockWidget(dock);
            docks << dock;
        }
    }
    // In the order they were built: the results first, the others beside them.
    for (std::size_t row = 0; row < std::size(kDocks); ++row) {
        if (auto* dock = main->findChild<QDockWidget*>(QString::fromUtf8(kDocks[row].name)))
            placeDock(row, dock);
    }
    main->setCorner(Qt::BottomRightCorner, Qt::BottomDockWidgetArea);
    if (main->isMaximized() || main->isFullScreen())
        main->showNormal();
    main->resize(main->sizeHint().boundedTo(screenArea(main).size()));
    for (QDockWidget* dock : docks) {
        dock->setVisible(form_.store().visible(dock->objectName().toStdString()));
        if (dock->isVisible())
            makeRoom(dock);
    }
}

void Desktop::saveArrangement() const
{
    if (memory_)
        memory_->save();
}

void Desktop::makeRoom(QDockWidget* opened)
{
    MainWindow* main = main_.get();
    // The rows of tabs of docks that share a place show every title whole,
    // scrolling where they run short of width.
    for (QTabBar* tabs : main->findChildren<QTabBar*>(Qt::FindDirectChildrenOnly)) {
        tabs->setElideMode(Qt::ElideNone);
        tabs->setUsesScrollButtons(true);
    }
    // A dock opened for the first time beside the inputs widens to the width
    // it asks for, where the inputs leave it; later the user's widths hold.
    // The results keep the height they ask for over the log that shares
    // their column: the log scrolls, a result must not.
    auto* results = main->findChild<QDockWidget*>(QString::fromUtf8(kDocks[kResultsRow].name));
    const auto fitOpened = [main, opened, results] {
        if (!opened)
            return;
        // Every dock in view beside the inputs gets at least the width it
        // asks for, taken from the inputs' spare room.
        QList<QDockWidget*> docks;
        QList<int> widths;
        for (QDockWidget* dock : main->findChildren<QDockWidget*>()) {
            if (dock->isFloating() || !dock->isVisible() || dock->visibleRegion().isEmpty()
                || main->dockWidgetArea(dock) != Qt::RightDockWidgetArea)
                continue;
            int wanted = dock->sizeHint().width();
            // A panel's shown page may want more than the dock's hint says:
            // its least width, without scrolling sideways.
            if (auto* panel = qobject_cast<PanelDock*>(dock);
                panel && panel->scrollArea()->widget())
                wanted = std::max(wanted,
                    dock->width() - panel->scrollArea()->viewport()->width()
                        + panel->scrollArea()->widget()->minimumSizeHint().width());
            if (dock->width() >= wanted)
                continue;
            docks << dock;
            widths << wanted;
        }
        if (!docks.isEmpty())
            main->resizeDocks(docks, widths, Qt::Horizontal);
        auto* log = main->findChild<QDockWidget*>(QString::fromUtf8(kDocks[kLogRow].name));
        if (results && log && results->isVisible() && log->isVisible() && !results->isFloating()
            && !log->isFloating() && main->dockWidgetArea(results) == Qt::RightDockWidgetArea
            && main->dockWidgetArea(log) == Qt::RightDockWidgetArea
            && results->height() < results->sizeHint().height()) {
            const int both = results->height() + log->height();
            const int wanted
                = std::min(results->sizeHint().height(), both - log->minimumSizeHint().height());
            if (wanted > results->height())
                main->resizeDocks({ results, log }, { wanted, both - wanted }, Qt::Vertical);
        }
    };
    if (!main->isVisible())
        return;
    if (main->isMaximized() || main->isFullScreen()) {
        fitOpened();
        return;
    }
    const QRect screen = screenArea(main);
    const QMargins frame(main->geometry().left() - main->frameGeometry().left(),
        main->geometry().top() - main->frameGeometry().top(),
        main->frameGeometry().right() - main->geometry().right(),
        main->frameGeometry().bottom() - main->geometry().bottom());
    const QSize room = screen.size().shrunkBy(frame);
    // Grows, never shrinks what the user gave it.
    const QSize wanted = main->size().expandedTo(main->sizeHint().boundedTo(room));
    if (wanted == main->size()) {
        fitOpened();
        return;
    }
    // Where the window cannot be placed (under Wayland only the compositor
    // knows where it is), or where it would fill the screen all but a strip,
    // it takes the whole screen: grown in place it could run off the edge.
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (wayland || wanted.width() >= room.width() * 9 / 10
        || wanted.height() >= room.height() * 9 / 10) {
        new OnResize(main, fitOpened);
        main->showMaximized();
        return;
    }
    new OnResize(main, fitOpened);
    main->resize(wanted);
    // A window that grew beyond the screen's edge comes back onto it.
    QRect grown(main->frameGeometry().topLeft(), wanted.grownBy(frame));
    grown.moveRight(std::min(grown.right(), screen.right()));
    grown.moveBottom(std::min(grown.bottom(), screen.bottom()));
    grown.moveLeft(std::max(grown.left(), screen.left()));
    grown.moveTop(std::max(grown.top(), screen.top()));
    if (grown.topLeft() != main->frameGeometry().topLeft())
        main->move(grown.topLeft());
}

QWidget* Desktop::window(const char* name) const
{
    const QString objectName = QString::fromUtf8(name);
    if (main_->objectName() == objectName)
        return main_.get();
    if (QWidget* built = binder_->build(name))
        return built;
    return main_->findChild<QWidget*>(objectName);
}

void Desktop::show()
{
    binder_->showWindows();
}

} // namespace millcalc
