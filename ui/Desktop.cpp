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

namespace millcalc {

Desktop::Desktop(FormMain& form)
    : form_(form)
    , main_(std::make_unique<MainWindow>())
{
    QWidget* owner = main_.get();
    placer_ = new WindowPlacer(owner);
    auto* results = new PanelWindow("PanelCalc", createResultsPanel(), owner);
    results->keepInView(results->findChild<QWidget*>(QStringLiteral("StatusBarMes")));
    placer_->manage(results, true);
    // A panel that finds no room of its size takes less and scrolls.
    const QSize scrolling(240, 160);
    placer_->manage(
        new PanelWindow("PanelFormulaAl", createFormulaPanel(), owner), false, scrolling);
    placer_->manage(
        new PanelWindow("PanelStMaterial", createMaterialPanel(), owner), false, scrolling);
    placer_->manage(new PanelWindow("PanelTemp", createTemperaturePanel(), owner), false, scrolling);
    // The sizeable windows open at their own places where those are free, and
    // may shrink to fit the room beside the others.
    placer_->manage(new MessageWindow(owner), false, MessageWindow::kLeast,
        QPoint(MessageWindow::kLeft, MessageWindow::kTop));
    placer_->manage(new GraphicWindow(form_, owner), false, GraphicWindow::kLeast,
        QPoint(GraphicWindow::kLeft, GraphicWindow::kTop));
    placer_->manage(new HelpWindow(owner), false, HelpWindow::kLeast,
        QPoint(HelpWindow::kLeft, HelpWindow::kTop));
    new SplashWindow(owner);
    binder_ = new FieldBinder(form_, owner);
    installResultsCopy(form_, window("PanelCalc"));
}

Desktop::~Desktop() = default;

QWidget* Desktop::window(const char* name) const
{
    const QString objectName = QString::fromUtf8(name);
    if (main_->objectName() == objectName)
        return main_.get();
    return main_->findChild<QWidget*>(objectName);
}

void Desktop::show()
{
    placer_->placeMain();
    binder_->refresh();
}

} // namespace millcalc
