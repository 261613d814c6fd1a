#include "ui/Panels.h"

#include "aluminium/AluminiumMethod.h"
#include "app/FieldCaptions.h"
#include "machines/MachineTable.h"
#include "shell/table/Methods.h"

#include "ui/ComparisonGrid.h"
#include "ui/bind/NamedAction.h"
#include "ui/bind/TableWidgetBinding.h"
#include "ui/pages/MethodPages.h"
#include "ui/pages/ResultPages.h"
#include "ui/pages/WidgetKit.h"
#include "ui/pictures/PictureLabel.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <span>

namespace millcalc {

namespace {

QWidget* contents(const char* name)
{
    auto* widget = new QWidget;
    widget->setObjectName(QString::fromUtf8(name) + QStringLiteral("Contents"));
    return widget;
}

// A group of coefficients of the formula panel: its formula's picture, its
// fields in rows of three with their captions, the button of its step.
QGroupBox* formulaGroup(const char* title, const char* pictureName, QSize pictureSize,
    std::span<const FieldCaption> coefficients, const char* step)
{
    QGroupBox* group = groupBox(title);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(picture(pictureName, pictureSize), 0, Qt::AlignLeft);
    auto* fields = new QGridLayout;
    fields->setVerticalSpacing(4);
    int index = 0;
    for (const FieldCaption& c : coefficients) {
        const int row = index / 3;
        const int column = (index % 3) * 2;
        QLineEdit* field = textField(c.field, 70);
        QLabel* label = fieldLabel(c.field, field);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fields->addWidget(label, row, column);
        fields->addWidget(field, row, column + 1);
        ++index;
    }
    const int last = (index + 2) / 3 - 1;
    fields->addWidget(stepButton(step), last, 6, Qt::AlignRight);
    fields->setColumnStretch(6, 1);
    layout->addLayout(fields);
    return group;
}

} // namespace

QWidget* createResultsPanel(const char* panel)
{
    QWidget* widget = contents(panel);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* pages = shownPageTabs();
    pages->setObjectName(QStringLiteral("PageControlMethods"));
    for (const Method& method : methods())
        pages->addTab(createResultPage(method), QString());
    pages->addTab(createBlankResultPage(), QString());
    sizeToShownPage(pages);
    // The machine comparison at the end of the row of tabs, the status line
    // below the pages keeping the whole width.
    pages->setCornerWidget(textButton("BitBtnMachines", "Сравнение станков"), Qt::TopRightCorner);
    layout->addWidget(pages);

    // The status line, kept in view under the pages.
    auto* footer = new QWidget;
    footer->setObjectName(QStringLiteral("StatusBarMesRow"));
    auto* statusRow = new QHBoxLayout(footer);
    statusRow->setContentsMargins(0, 0, 0, 0);
    auto* status = new QLabel;
    status->setObjectName(QStringLiteral("StatusBarMes"));
    status->setTextFormat(Qt::PlainText);
    status->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    status->setContentsMargins(4, 1, 4, 1);
    // On a narrow screen the line breaks rather than widen the results.
    status->setWordWrap(true);
    statusRow->addWidget(status, 1);
    layout->addWidget(footer);

    // The results' context menu.
    widget->addAction(namedAction(widget, "N29", QStringLiteral("Подобрать по станку")));
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    return widget;
}

namespace {

QWidget* createFormulaPanel(const char* panel)
{
    QWidget* widget = contents(panel);
    // One column: narrow enough to stand beside the results, or to share
    // their dock as a tab without scrolling sideways.
    auto* layout = new QVBoxLayout(widget);
    // The groups of the table of coefficients, Sz, V1, V2 and Pz, in order.
    const struct {
        const char* title;
        const char* picture;
        const char* step;
    } groups[] = {
        { "Параметры..", "ImageAlSz", "BitBtn1fz" },
        { "Параметры...", "ImageAlV1", "BitBtn2V1" },
        { "Параметры...", "ImageAlV2", "BitBtn3V2" },
        { "Параметры...", "Image17", "BitBtn4P" },
    };
    const std::span<const CoefficientGroup> coefficients = aluminiumMethod().coefficients;
    for (std::size_t i = 0; i < std::size(groups) && i < coefficients.size(); ++i) {
        layout->addWidget(formulaGroup(groups[i].title, groups[i].picture, QSize(300, 62),
            coefficients[i].coefficients, groups[i].step));
    }
    layout->addStretch(1);
    return widget;
}

QWidget* createMaterialPanel(const char* panel)
{
    QWidget* widget = contents(panel);
    auto* layout = new QVBoxLayout(widget);

    QGroupBox* kinds = groupBox("Тип материала...");
    kinds->setObjectName(QStringLiteral("GroupBoxStMaterial"));
    auto* kindsLayout = new QHBoxLayout(kinds);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    // The caption colours come from the catalogue through the store.
    for (const char* name :
        { "RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4", "RadioButton5" }) {
        auto* button = new QRadioButton;
        button->setObjectName(QString::fromUtf8(name));
        // The store keeps the group exclusive; Qt would refuse to uncheck.
        button->setAutoExclusive(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    kindsLayout->addLayout(buttons);

    auto* description = new QLabel;
    description->setObjectName(QStringLiteral("StaticTextMaterial"));
    description->setTextFormat(Qt::PlainText);
    description->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description->setMargin(4);
    description->setMinimumWidth(fromFont(260));
    kindsLayout->addWidget(description, 1);
    layout->addWidget(kinds);

    QTableWidget* table = grid("StringGridTab");
    table->setColumnCount(4);
    table->setRowCount(8);
    const int widths[] = { 379, 54, 57, 56 };
    for (int c = 0; c < 4; ++c)
        table->setColumnWidth(c, fromFont(widths[c]));
    table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    fitGrid(table);
    layout->addWidget(table);

    auto* bottom = new QHBoxLayout;
    auto* note = new QPlainTextEdit;
    note->setObjectName(QStringLiteral("Memo1"));
    note->setReadOnly(true);
    note->setFixedHeight(note->fontMetrics().lineSpacing() * 10 + 12);
    bottom->addWidget(note, 1);
    QPushButton* transfer = textButton("BitBtnStMaterialOut", "Выбранный \r\n      материал>>");
    transfer->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    bottom->addWidget(transfer, 0, Qt::AlignBottom);
    layout->addLayout(bottom);
    return widget;
}

QWidget* createTemperaturePanel(const char* panel)
{
    QWidget* widget = contents(panel);
    auto* layout = new QGridLayout(widget);
    QLabel* speed = captionLabel("Скорость резания, м/мин");
    speed->setAlignment(Qt::AlignCenter);
    layout->addWidget(speed, 0, 1);
    QLabel* feed = captionLabel("Подача (мм/мин)");
    feed->setWordWrap(true);
    feed->setAlignment(Qt::AlignRight | Qt::AlignTop);
    layout->addWidget(feed, 1, 0);

    QTableWidget* table = grid("StringGridT");
    table->setColumnCount(8);
    table->setRowCount(9);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setDefaultSectionSize(fromFont(48));
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Headings and cells of this table of numbers are all centred.
    auto* centred = new QTableWidgetItem;
    centred->setTextAlignment(Qt::AlignCenter);
    table->setItemPrototype(centred);
    table->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    table->verticalHeader()->setFixedWidth(
        table->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    fitGrid(table);
    layout->addWidget(table, 1, 1);

    auto* note = new QLabel;
    note->setObjectName(QStringLiteral("StaticText1"));
    note->setTextFormat(Qt::PlainText);
    layout->addWidget(note, 2, 0, 1, 2);
    // A larger dock leaves its room under and beside the table.
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(2, 1);
    return widget;
}

QWidget* createMachinesPanel(const char* panel)
{
    QWidget* widget = contents(panel);
    auto* layout = new QVBoxLayout(widget);
    // The columns follow the method; the binding sizes the grid from its field.
    QTableWidget* table = grid("StringGridMachines");
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setDefaultSectionSize(
        table->fontMetrics().horizontalAdvance(QStringLiteral("0000 %")) + 12);
    table->setToolTip(QStringLiteral("Двойной щелчок выбирает станок"));
    // The first column holds the machine names, each whole; the columns after
    // it follow the method and take the default width.
    table->setColumnCount(1);
    int widest = 0;
    for (const MachineRecord& machine : builtInMachines())
        widest = std::max(widest,
            table->fontMetrics().horizontalAdvance(QString::fromStdString(machine.MachineName)));
    table->setColumnWidth(0, widest + 16);
    arrangeComparisonGrid(table);
    // At the top of its dock, the width of it.
    layout->addWidget(table);
    layout->addStretch(1);
    return widget;
}

} // namespace

PanelContents sidePanelContents(std::string_view panel)
{
    static constexpr struct {
        const char* panel;
        PanelContents create;
    } kContents[] = {
        { "PanelFormulaAl", createFormulaPanel },
        { "PanelStMaterial", createMaterialPanel },
        { "PanelTemp", createTemperaturePanel },
        { "PanelMachines", createMachinesPanel },
    };
    for (const auto& contents : kContents) {
        if (panel == contents.panel)
            return contents.create;
    }
    return nullptr;
}

} // namespace millcalc
