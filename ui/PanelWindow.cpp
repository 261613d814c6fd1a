#include "ui/PanelWindow.h"

#include <QVBoxLayout>

namespace millcalc {

PanelWindow::PanelWindow(const char* name, QWidget* contents, QWidget* owner)
    : QWidget(owner, Qt::Tool)
{
    setObjectName(QString::fromUtf8(name));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(contents);
    // The panel keeps the size of its contents, as the detached panel did.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace millcalc
