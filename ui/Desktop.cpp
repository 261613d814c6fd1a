#include "ui/Desktop.h"

#include "ui/FieldBinder.h"
#include "ui/GraphicWindow.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/MessageWindow.h"
#include "ui/PanelWindow.h"
#include "ui/Panels.h"
#include "ui/ResultsCopy.h"
#include "ui/SplashWindow.h"
#include "ui/WindowPlacer.h"

#include <type_traits>

namespace millcalc {

namespace {

constexpr const char* kResults = "PanelCalc";

} // namespace

Desktop::Desktop(FormMain& form)
    : form_(form)
    , main_(std::make_unique<MainWindow>())
{
    QWidget* owner = main_.get();
    placer_ = new WindowPlacer(owner);
    new SplashWindow(owner);
    binder_ = new FieldBinder(form_, owner);
    // The other windows are built when first shown, each placed from then on.
    binder_->buildOnFirstShow(kResults, [this, owner] {
        auto* results = new PanelWindow(kResults, createResultsPanel(), owner);
        results->keepInView(results->findChild<QWidget*>(QStringLiteral("StatusBarMesRow")));
        placer_->manage(results, true);
        installResultsCopy(form_, results);
        return results;
    });
    // A panel that finds no room of its size takes less and scrolls.
    const QSize scrolling(240, 160);
    const auto panel = [this, owner, scrolling](const char* name, QWidget* (*contents)()) {
        binder_->buildOnFirstShow(name, [this, owner, scrolling, name, contents] {
            placeBesideResults();
            auto* window = new PanelWindow(name, contents(), owner);
            placer_->manage(window, false, scrolling);
            return window;
        });
    };
    panel("PanelFormulaAl", createFormulaPanel);
    panel("PanelStMaterial", createMaterialPanel);
    panel("PanelTemp", createTemperaturePanel);
    panel("PanelMachines", createMachinesPanel);
    // The sizeable windows open at their own places where those are free, and
    // may shrink to fit the room beside the others.
    const auto sizeable = [this, owner](const char* name, auto make) {
        binder_->buildOnFirstShow(name, [this, owner, make] {
            placeBesideResults();
            auto* window = make(owner);
            using Window = std::remove_pointer_t<decltype(window)>;
            placer_->manage(window, false, Window::kLeast, QPoint(Window::kLeft, Window::kTop));
            return static_cast<QWidget*>(window);
        });
    };
    sizeable("FormMessage", [](QWidget* parent) { return new MessageWindow(parent); });
    sizeable("FormGraphic", [this](QWidget* parent) { return new GraphicWindow(form_, parent); });
    sizeable("FormHelp", [](QWidget* parent) { return new HelpWindow(parent); });
}

Desktop::~Desktop() = default;

void Desktop::placeBesideResults()
{
    // Every other window keeps clear of where the results window opens, which
    // the placer knows from the results window's size.
    binder_->build(kResults);
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
    placer_->placeMain();
    binder_->showWindows();
}

} // namespace millcalc
