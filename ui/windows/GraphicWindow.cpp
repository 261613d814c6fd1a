#include "ui/windows/GraphicWindow.h"

#include "shell/FormMain.h"
#include "ui/addons/AddonLoader.h"
#include "ui/addons/Addons.h"
#include "ui/addons/NomogramPoints.h"
#include "ui/docks/PanelDock.h"
#include "ui/pages/WidgetKit.h"

#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace millcalc {

GraphicWindow::GraphicWindow(FormMain& form, QWidget* owner)
    : QWidget(owner, Qt::Window)
    , form_(form)
{
    setObjectName(QStringLiteral("FormGraphic"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* toolbar = new QToolBar;
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const auto& [name, text] :
        { std::pair { "ToolButton1", "Закрыть" }, std::pair { "ToolButton2", "Очистить" } }) {
        auto* button = new QToolButton;
        button->setObjectName(QString::fromUtf8(name));
        button->setText(QString::fromUtf8(text));
        toolbar->addWidget(button);
    }
    layout->addWidget(toolbar);
    auto* view = new NomogramView([this] { redraw(); });
    view->setObjectName(QStringLiteral("ChartNom"));
    auto* place = new QVBoxLayout(view);
    place->setContentsMargins(0, 0, 0, 0);
    if (Addons* module = addons()) {
        chart_ = module->createNomogramChart(view);
        place->addWidget(chart_->widget());
    } else {
        auto* missing = new QLabel(QStringLiteral("Номограмма недоступна.\n\n") + addonsError());
        missing->setObjectName(QStringLiteral("ChartNomMissing"));
        missing->setAlignment(Qt::AlignCenter);
        missing->setWordWrap(true);
        missing->setTextInteractionFlags(Qt::TextSelectableByMouse);
        place->addWidget(missing);
    }
    layout->addWidget(view, 1);
    move(kLeft, kTop);
    resize(fromFont(QSize(870, 600)));
    keepWithinScreen(this);
    closeOnEscape(this);

    redraw();
}

QChart* GraphicWindow::chart() const
{
    return chart_ ? chart_->chart() : nullptr;
}

QXYSeries* GraphicWindow::series(int index) const
{
    return chart_ ? chart_->series(index) : nullptr;
}

QValueAxis* GraphicWindow::speedAxis() const
{
    return chart_ ? chart_->speedAxis() : nullptr;
}

QValueAxis* GraphicWindow::torqueAxis() const
{
    return chart_ ? chart_->torqueAxis() : nullptr;
}

QValueAxis* GraphicWindow::powerAxis() const
{
    return chart_ ? chart_->powerAxis() : nullptr;
}

void GraphicWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (chart_)
        return;
    // Once the window is up, the box over it says why it is empty.
    QTimer::singleShot(0, this, [self = QPointer<GraphicWindow>(this)] {
        if (self && self->isVisible())
            missingAddonsBox(self, QStringLiteral("Номограмма недоступна"))->open();
    });
}

void GraphicWindow::redraw()
{
    if (chart_)
        chart_->draw(chartPoints(form_.nomogram().series));
}

} // namespace millcalc
