#include "ui/GraphicWindow.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace millcalc {

GraphicWindow::GraphicWindow(QWidget* owner)
    : QWidget(owner, Qt::Window)
{
    // Stands in until the chart is built: the toolbar's commands already work.
    setObjectName(QStringLiteral("FormGraphic"));
    setGeometry(234, 141, 870, 600);
    auto* layout = new QVBoxLayout(this);
    auto* toolbar = new QHBoxLayout;
    for (const auto& [name, text] :
        { std::pair { "ToolButton1", "Закрыть" }, std::pair { "ToolButton2", "Очистить" } }) {
        auto* button = new QToolButton;
        button->setObjectName(QString::fromUtf8(name));
        button->setText(QString::fromUtf8(text));
        toolbar->addWidget(button);
    }
    toolbar->addStretch(1);
    layout->addLayout(toolbar);
    auto* chart = new QWidget;
    chart->setObjectName(QStringLiteral("ChartNom"));
    layout->addWidget(chart, 1);
}

} // namespace millcalc
