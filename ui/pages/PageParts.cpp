#include "ui/pages/PageParts.h"

#include "app/MethodPage.h"
#include "ui/bind/TableWidgetBinding.h"
#include "ui/pages/WidgetKit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <stdexcept>
#include <string>
#include <string_view>

namespace millcalc {

namespace {

// The work material of the catalogue (its panel): its name, kc1.1 and mc,
// and the button that opens the catalogue.
QWidget* materialChoice()
{
    QGroupBox* group = groupBox("Обрабатываемый Материал ->");
    auto* layout = new QGridLayout(group);
    layout->setVerticalSpacing(4);
    layout->addWidget(captionLabel("Коэф. материала:"), 0, 0, 1, 2);
    int row = 1;
    for (const char* name : { "EditStKc11", "EditStMc" }) {
        QLineEdit* field = textField(name, kPageFieldWidth);
        layout->addWidget(fieldLabel(name, field), row, 0);
        layout->addWidget(field, row, 1);
        ++row;
    }

    auto* material = new QLabel;
    material->setObjectName(QStringLiteral("StaticTextStMaterial"));
    material->setTextFormat(Qt::PlainText);
    material->setWordWrap(true);
    material->setAlignment(Qt::AlignCenter);
    material->setMinimumWidth(fromFont(150));
    layout->addWidget(material, 0, 2, 2, 1);
    QPushButton* open = pictureButton("BitBtnStMaterial", QStyle::SP_FileDialogDetailedView);
    layout->addWidget(open, 2, 2, Qt::AlignCenter);
    layout->setColumnStretch(2, 1);
    return group;
}

// Aluminium's spindle load: a display table of seven lines, whose cells no
// one chooses, so none is highlighted.
QWidget* spindleLoad()
{
    auto* load = new QGroupBox;
    load->setObjectName(QStringLiteral("PanelForestP"));
    auto* layout = new QVBoxLayout(load);
    layout->setContentsMargins(4, 4, 4, 4);
    QTableWidget* table = grid("StringGridP");
    table->setColumnCount(2);
    table->setRowCount(7);
    table->setColumnWidth(0, fromFont(90));
    table->setColumnWidth(1, fromFont(150));
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fitGrid(table);
    layout->addWidget(table);
    return load;
}

struct Part {
    const char* name;
    QWidget* (*make)();
};

constexpr Part kParts[] = {
    { "MaterialChoice", materialChoice },
    { "SpindleLoad", spindleLoad },
};

} // namespace

QWidget* pagePart(const char* name)
{
    for (const Part& part : kParts) {
        if (std::string_view(part.name) == name)
            return part.make();
    }
    throw std::logic_error(std::string("no page part ") + name);
}

} // namespace millcalc
