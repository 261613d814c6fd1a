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
    new GraphicWindow(owner);
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

    // The floating panels open beside the main window, where they cover it least.
    const QPoint beside(frame.right() + 8, frame.top());
    for (const char* name : { "PanelCalc", "PanelFormulaAl", "PanelStMaterial", "PanelTemp" }) {
        QWidget* panel = window(name);
        if (!panel)
            continue;
        panel->adjustSize();
        QPoint place = beside;
        if (place.x() + panel->width() > screen.right())
            place.setX(std::max(screen.left(), screen.right() - panel->width()));
        panel->move(place);
    }
}

void Desktop::show()
{
    placeWindows();
    binder_->refresh();
}

} // namespace millcalc
