#include "ui/Desktop.h"

#include "ui/FieldBinder.h"
#include "ui/GraphicWindow.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/MessageWindow.h"
#include "ui/PanelWindow.h"
#include "ui/Panels.h"
#include "ui/SplashWindow.h"

#include <QScreen>

#include <algorithm>

namespace millcalc {

Desktop::Desktop(FormMain& form)
    : form_(form)
    , main_(std::make_unique<MainWindow>())
{
    QWidget* owner = main_.get();
    new PanelWindow("PanelCalc", createResultsPanel(), owner);
    new PanelWindow("PanelFormulaAl", createFormulaPanel(), owner);
    new PanelWindow("PanelStMaterial", createMaterialPanel(), owner);
    new PanelWindow("PanelTemp", createTemperaturePanel(), owner);
    new MessageWindow(owner);
    new GraphicWindow(form_, owner);
    new HelpWindow(owner);
    new SplashWindow(owner);
    binder_ = new FieldBinder(form_, owner);
}

Desktop::~Desktop() = default;

QWidget* Desktop::window(const char* name) const
{
    const QString objectName = QString::fromUtf8(name);
    if (main_->objectName() == objectName)
        return main_.get();
    return main_->findChild<QWidget*>(objectName);
}

void Desktop::placeWindows()
{
    main_->adjustSize();
    const QRect screen = main_->screen()->availableGeometry();
    QRect frame = main_->frameGeometry();
    frame.moveCenter(screen.center());
    frame.moveTop(std::max(screen.top(), frame.top()));
    main_->move(frame.topLeft());

    // The floating panels open beside the main window: the results to its
    // right, the three auxiliary panels to its left, each cascaded a little so
    // that none hides another completely; where the screen is too narrow they
    // keep to its edge.
    const auto place = [&](const char* name, bool right, int down) {
        QWidget* panel = window(name);
        if (!panel)
            return;
        panel->adjustSize();
        const QSize size = panel->frameGeometry().size();
        int x = right ? frame.right() + 8 : frame.left() - 8 - size.width();
        x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() - size.width()));
        int y = std::clamp(frame.top() + down, screen.top(),
            std::max(screen.top(), screen.bottom() - size.height()));
        panel->move(x, y);
    };
    place("PanelCalc", true, 0);
    place("PanelStMaterial", false, 0);
    place("PanelFormulaAl", false, 60);
    place("PanelTemp", false, 120);
}

void Desktop::show()
{
    placeWindows();
    binder_->refresh();
}

} // namespace millcalc
