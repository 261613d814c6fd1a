#include "ui/HelpWindow.h"

namespace millcalc {

HelpWindow::HelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool)
{
    // Stands in until the window with the designations scheme is built.
    setObjectName(QStringLiteral("FormHelp"));
    setGeometry(259, 132, 304, 600);
}

} // namespace millcalc
