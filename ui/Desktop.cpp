#include "ui/Desktop.h"

#include "ui/docks/DockRelayout.h"

#include "shell/FormMain.h"
#include "shell/WindowPanels.h"
#include "ui/CalculationCommands.h"
#include "ui/DockRows.h"
#include "ui/FieldBinder.h"
#include "ui/MainWindow.h"
#include "ui/ResultsCopy.h"
#include "ui/StaleMarks.h"
#include "ui/WindowMemory.h"
#include "ui/bind/NamedAction.h"
#include "ui/docks/DockPlacement.h"
#include "ui/docks/PanelDock.h"
#include "ui/docks/WindowSize.h"
#include "ui/pages/MethodPages.h"
#include "ui/sheet/SheetCommands.h"
#include "ui/windows/CuttersWindow.h"
#include "ui/windows/GraphicWindow.h"
#include "ui/windows/HelpWindow.h"
#include "ui/windows/IdleBuild.h"
#include "ui/windows/LaterWindows.h"
#include "ui/windows/SplashWindow.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMetaObject>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QSet>
#include <QStringList>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace millcalc {

namespace {

// The control name of a method's input page on the main window.
const char* inputPageName(const Method& method)
{
    return method.inputPage;
}

QRect screenArea(const QWidget* widget)
{
    QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
}

Extent extentOf(const QSize& size)
{
    return { size.width(), size.height() };
}

Area areaOf(const QRect& rect)
{
    return { rect.x(), rect.y(), extentOf(rect.size()) };
}

} // namespace

Desktop::Desktop(FormMain& form, const QString& settingsFile)
    : form_(form)
    , windows_(std::make_unique<LaterWindows>())
    , painted_(settingsFile)
    , main_(std::make_unique<MainWindow>())
{
    QWidget* owner = main_.get();
    new SplashWindow(owner);
    binder_ = new FieldBinder(form_, owner, *windows_);
    idle_ = new IdleBuild(*windows_, binder_, owner);
    // The colours recalled are drawn again once the window is up, those the
    // windows built later asked for when every window is built; what the
    // run found is kept then.
    const auto recheck = [this] {
        if (painted_.recheck())
            binder_->recolour();
    };
    idle_->later(recheck);
    QObject::connect(idle_, &IdleBuild::finished, binder_, [this, recheck] {
        recheck();
        painted_.keep();
    });
    sheet_ = new SheetCommands(form_, main_.get());
    calculation_ = new CalculationCommands(form_, main_.get(), settingsFile);
    installCutterMenu(form_, main_.get());
    // "Восстановить расположение окон" closes the help menu's panel lines.
    QAction* reset = namedAction(
        main_.get(), "NResetLayout", QStringLiteral("Восстановить расположение &окон"));
    if (auto* help = main_->findChild<QMenu*>(QStringLiteral("N7Menu"))) {
        const char* lastPanelLine = nullptr;
        for (const PanelRow& row : windowPanels()) {
            if (row.panel->helpItem.name != nullptr)
                lastPanelLine = row.panel->helpItem.name;
        }
        const QList<QAction*> lines = help->actions();
        const auto last
            = std::find_if(lines.begin(), lines.end(), [lastPanelLine](const QAction* line) {
                  return lastPanelLine != nullptr
                      && line->objectName() == QLatin1String(lastPanelLine);
              });
        help->insertAction(
            last == lines.end() || last + 1 == lines.end() ? nullptr : *(last + 1), reset);
    }
    QObject::connect(reset, &QAction::triggered, main_.get(), [this] { resetArrangement(); });
    staleMarks_ = new StaleMarks(form_, main_.get());
    // The inputs leave the results the width of their widest page.
    main_->setRoomBeside([this] { return resultsWidth(); });
    relayout_ = new DockRelayout(
        main_.get(),
        [this] {
            const QDockWidget* results = dock(dockRowOf(DockKind::Results));
            return results && results->isVisible();
        },
        [this](bool grow, bool fit) {
            if (grow)
                makeRoom(fit);
            else if (fit)
                fitDocks();
        });
    relayout_->watchPages(main_->findChild<QTabWidget*>(QStringLiteral("PageControlParam")));
    if (!settingsFile.isEmpty())
        memory_ = new WindowMemory(*main_, settingsFile);
    // The input page shown at start is built with the window; the others
    // first, before the docks, in the idle time after its first paint, or
    // at once when the page control turns to one of them before.
    for (int page = 0; page < MainWindow::inputPageCount(); ++page) {
        windows_->add(
            inputPageName(*methodAt(page)), [this, page] { return main_->buildInputPage(page); });
    }
    QObject::connect(main_.get(), &MainWindow::inputPageWanted, binder_,
        [this](int page) { windows_->build(inputPageName(*methodAt(page))); });
    if (const int shown = main_->shownInputPage(); shown >= 0)
        windows_->build(inputPageName(*methodAt(shown)));
    for (const DockRow& row : dockRows())
        windows_->add(row.name, [this, &row] { return buildDock(row); });
    windows_->add("FormGraphic",
        [this, owner] { return static_cast<QWidget*>(new GraphicWindow(form_, owner)); });
    windows_->add("FormHelp", [owner] { return static_cast<QWidget*>(new HelpWindow(owner)); });
    // The sheet header's dialog reads the store as it opens.
    windows_->add(
        "SheetHeaderDialog", [this] { return sheet_->headerDialog(); }, LaterWindows::Kind::Dialog);
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

QDockWidget* Desktop::dock(const DockRow& row) const
{
    return main_->findChild<QDockWidget*>(QString::fromUtf8(row.name));
}

QDockWidget* Desktop::buildDock(const DockRow& row)
{
    QMainWindow* main = main_.get();
    // The others open in relation to the results, built first.
    if (row.kind != DockKind::Results)
        windows_->build(dockRowOf(DockKind::Results).name);
    QDockWidget* built = row.make(row, main);
    if (auto* panel = qobject_cast<PanelDock*>(built); panel && row.keptInView)
        panel->keepInView(panel->findChild<QWidget*>(QString::fromUtf8(row.keptInView)));
    if (row.carriesResults) {
        sheet_->attachResults(built);
        installResultsCopy(*sheet_, built);
    }
    // Where a saved arrangement is restored (ui/WindowMemory), the dock goes
    // where the user left it; its visibility stays the store's.
    const bool restored = main->restoreDockWidget(built);
    built->hide();
    if (!restored)
        placeDocks({ built });
    relayout_->watchDock(built);
    staleMarks_->apply();
    if (row.pages)
        relayout_->watchPages(built->findChild<QTabWidget*>(QString::fromUtf8(row.pages)));
    return built;
}

void Desktop::placeDocks(const QList<QDockWidget*>& toPlace)
{
    QMainWindow* main = main_.get();
    // Every dock of the table as it is now: the ones to place, the others
    // built where they are (a panel joins one in the right column), or not yet.
    std::vector<DockRequest> requests;
    QList<QDockWidget*> docks;
    for (const DockRow& row : dockRows()) {
        QDockWidget* built = dock(row);
        DockRequest request { row.name, row.kind, {}, DockState::Unbuilt };
        if (built) {
            // The log asks for the least height that shows four of its lines.
            request.wanted = extentOf(built->sizeHint());
            if (row.kind == DockKind::Log)
                request.wanted.height
                    = built->minimumSizeHint().height() + built->fontMetrics().height() * 4;
            if (toPlace.contains(built))
                request.state = DockState::ToPlace;
            else if (!built->isFloating() && main->dockWidgetArea(built) == Qt::RightDockWidgetArea)
                request.state = DockState::InRightColumn;
            else
                request.state = DockState::Elsewhere;
        }
        requests.push_back(std::move(request));
        docks << built;
    }
    const std::vector<DockPlacing> placings = millcalc::placeDocks(
        requests, extentOf(main->centralWidget()->sizeHint()), extentOf(screenArea(main).size()));
    for (qsizetype i = 0; i < docks.size(); ++i) {
        QDockWidget* placed = docks[i];
        const DockPlacing& placing = placings[static_cast<std::size_t>(i)];
        QDockWidget* with = placing.with.empty()
            ? nullptr
            : main->findChild<QDockWidget*>(QString::fromStdString(placing.with));
        switch (placing.place) {
        case DockPlace::None:
            break;
        case DockPlace::RightOfInputs:
            main->addDockWidget(Qt::RightDockWidgetArea, placed);
            break;
        case DockPlace::UnderResults:
            main->splitDockWidget(with, placed, Qt::Vertical);
            break;
        case DockPlace::UnderInputs:
            main->setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
            main->addDockWidget(Qt::BottomDockWidgetArea, placed);
            break;
        case DockPlace::TabbedWithResults:
        case DockPlace::TabbedWithPanel:
            main->tabifyDockWidget(with, placed);
            break;
        case DockPlace::BesideResults:
            main->splitDockWidget(with, placed, Qt::Horizontal);
            break;
        }
    }
}

void Desktop::resetArrangement()
{
    MainWindow* main = main_.get();
    QList<QDockWidget*> docks;
    for (const DockRow& row : dockRows()) {
        if (QDockWidget* built = dock(row)) {
            // Docked again in its place first: a dock taken out of the layout
            // floating stays a window of its own.
            built->setFloating(false);
            main->removeDockWidget(built);
            docks << built;
        }
    }
    // The corner as at a first start, before the log may take it.
    main->setCorner(Qt::BottomRightCorner, Qt::BottomDockWidgetArea);
    placeDocks(docks);
    if (main->isMaximized() || main->isFullScreen())
        main->showNormal();
    const Extent size
        = firstWindowSize(extentOf(main->sizeHint()), extentOf(screenArea(main).size()));
    main->resize(size.width, size.height);
    for (QDockWidget* built : docks)
        built->setVisible(form_.store().visible(built->objectName().toStdString()));
    relayout_->request(true, true);
}

void Desktop::saveArrangement() const
{
    if (memory_)
        memory_->save();
}

void Desktop::fitDocks()
{
    MainWindow* main = main_.get();
    // Every dock in view beside the inputs gets at least the width it asks
    // for, taken from the inputs' spare room.
    QList<QDockWidget*> docks;
    QList<int> widths;
    for (QDockWidget* shown : main->findChildren<QDockWidget*>()) {
        if (shown->isFloating() || !shown->isVisible() || shown->visibleRegion().isEmpty()
            || main->dockWidgetArea(shown) != Qt::RightDockWidgetArea)
            continue;
        int wanted = shown->sizeHint().width();
        // A panel's shown page may want more than the dock's hint says: its
        // least width, without scrolling sideways.
        if (auto* panel = qobject_cast<PanelDock*>(shown); panel && panel->scrollArea()->widget())
            wanted = std::max(wanted,
                shown->width() - panel->scrollArea()->viewport()->width()
                    + panel->scrollArea()->widget()->minimumSizeHint().width());
        if (shown->width() >= wanted)
            continue;
        docks << shown;
        widths << wanted;
    }
    if (!docks.isEmpty())
        main->resizeDocks(docks, widths, Qt::Horizontal);
    // The results keep the height they ask for over the log that shares
    // their column: the log scrolls, a result must not.
    QDockWidget* results = dock(dockRowOf(DockKind::Results));
    QDockWidget* log = dock(dockRowOf(DockKind::Log));
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
}

int Desktop::resultsWidth() const
{
    const QDockWidget* results = dock(dockRowOf(DockKind::Results));
    const auto* pages = results
        ? results->findChild<QTabWidget*>(QString::fromUtf8(dockRowOf(DockKind::Results).pages))
        : nullptr;
    if (!pages || !pages->currentWidget() || !results->isVisible())
        return 0;
    int widest = 0;
    for (int page = 0; page < pages->count(); ++page)
        widest = std::max(widest, pages->widget(page)->sizeHint().width());
    const int separator
        = main_->style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, main_.get());
    int room = results->sizeHint().width() - pages->currentWidget()->sizeHint().width() + widest
        + separator;
    // The side panels open in columns of their own beside the results (the
    // aluminium formulas and temperatures) take their width of the screen too.
    const QList<QDockWidget*> sharing
        = main_->tabifiedDockWidgets(const_cast<QDockWidget*>(results));
    std::map<int, int> columns;
    for (QDockWidget* other : main_->findChildren<QDockWidget*>()) {
        if (other == results || !other->isVisible() || other->isFloating()
            || sharing.contains(other) || other->geometry().x() == results->geometry().x())
            continue;
        const Qt::DockWidgetArea area = main_->dockWidgetArea(other);
        if (area != Qt::LeftDockWidgetArea && area != Qt::RightDockWidgetArea)
            continue;
        int& column = columns[other->geometry().x()];
        column = std::max(column, other->sizeHint().width() + separator);
    }
    for (const auto& [x, width] : columns)
        room += width;
    return room;
}

void Desktop::makeRoom(bool fit)
{
    MainWindow* main = main_.get();
    main->keepInputWidth();
    // The rows of tabs of docks that share a place show every title whole,
    // scrolling where they run short of width.
    for (QTabBar* tabs : main->findChildren<QTabBar*>(Qt::FindDirectChildrenOnly)) {
        tabs->setElideMode(Qt::ElideNone);
        tabs->setUsesScrollButtons(true);
    }
    if (!main->isVisible())
        return;
    if (main->isMaximized() || main->isFullScreen()) {
        if (fit)
            fitDocks();
        return;
    }
    const QRect screen = screenArea(main);
    const QRect frame = main->frameGeometry();
    const FrameMargins margins { main->geometry().left() - frame.left(),
        main->geometry().top() - frame.top(), frame.right() - main->geometry().right(),
        frame.bottom() - main->geometry().bottom() };
    // Under Wayland only the compositor knows where the window is.
    const bool placeable = !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    const WindowSizing sizing = growWindow(extentOf(main->size()), extentOf(main->sizeHint()),
        areaOf(frame), margins, areaOf(screen), placeable);
    if (sizing.growth == WindowGrowth::Kept) {
        relayout_->sizeReached();
        if (fit)
            fitDocks();
        return;
    }
    // The docks fit the size the window has now, and again once it has the
    // new one (which under Wayland comes later); where none comes, the
    // window kept its size and the docks fit it.
    if (fit)
        fitDocks();
    relayout_->awaitSize(fit);
    if (sizing.growth == WindowGrowth::Maximized) {
        main->showMaximized();
        return;
    }
    main->resize(sizing.size.width, sizing.size.height);
    // A window that grew beyond the screen's edge comes back onto it.
    if (sizing.frameX != main->frameGeometry().x() || sizing.frameY != main->frameGeometry().y())
        main->move(sizing.frameX, sizing.frameY);
}

QWidget* Desktop::window(const char* name) const
{
    const QString objectName = QString::fromUtf8(name);
    if (main_->objectName() == objectName)
        return main_.get();
    if (QWidget* built = windows_->build(name))
        return built;
    return main_->findChild<QWidget*>(objectName);
}

void Desktop::show()
{
    binder_->showWindows();
}

} // namespace millcalc
