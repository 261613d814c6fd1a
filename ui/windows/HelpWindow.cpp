#include "ui/windows/HelpWindow.h"

#include "ui/docks/PanelDock.h"
#include "ui/pictures/JpegPicture.h"

#include <QVBoxLayout>

namespace millcalc {

HelpWindow::HelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool)
    , scheme_(new JpegPicture(QStringLiteral(":/pictures/Designations.jpg"), QSize(304, 600)))
{
    setObjectName(QStringLiteral("FormHelp"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scheme_);
    // The window opens fitting the picture; the user may resize it, and the
    // picture then scales to fit.
    resize(scheme_->sizeHint());
    move(kLeft, kTop);
    keepWithinScreen(this);
    closeOnEscape(this);
}

} // namespace millcalc
