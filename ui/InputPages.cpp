#include "ui/InputPages.h"

#include "aluminium/AluminiumMethod.h"
#include "app/Controls.h"
#include "app/FieldCaptions.h"
#include "shell/table/Methods.h"
#include "titanium/TitaniumMethod.h"
#include "walter/WalterMethod.h"

#include "ui/WidgetKit.h"
#include "ui/pictures/PictureLabel.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace millcalc {

namespace {

constexpr int kFieldWidth = 110;

QWidget* page(const char* name)
{
    auto* widget = new QWidget;
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

QGridLayout* formGrid()
{
    auto* layout = new QGridLayout;
    // Close enough that the Walter page, the longest and with the widest
    // captions, fits a laptop's screen at large fonts beside the results.
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(3);
    // The fields keep to their captions; the page's spare width stays right.
    layout->setColumnStretch(3, 1);
    return layout;
}

// A field with its caption from the one table of captions.
void addField(QGridLayout* layout, const char* name, QWidget* field)
{
    addLabelledRow(layout, fieldLabel(name, field), field);
}

void addField(QGridLayout* layout, const char* name)
{
    addField(layout, name, textField(name, kFieldWidth));
}

// The depth per pass and the number of passes in one field's width: the
// longest page keeps its height and width for a laptop's screen.
QWidget* depthAndPasses(QWidget* depth, const char* passes)
{
    auto* widget = new QWidget;
    auto* row = new QHBoxLayout(widget);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(depth);
    QLineEdit* passesField = textField(passes, 30);
    QLabel* caption = fieldLabel(passes, passesField);
    caption->setToolTip(QString::fromUtf8(fieldCaption(passes).caption));
    row->addWidget(caption);
    row->addWidget(passesField);
    row->addStretch(1);
    return widget;
}

// The cutter chooser, a list of the field's width: the first line of a page,
// or beside the diameter where the page has no height to spare.
QWidget* cutterChooser(const char* chooser, int width, QLabel*& caption)
{
    QComboBox* list = dropDownList(chooser, width);
    list->setToolTip(
        QStringLiteral("Фреза из библиотеки (меню \"Фрезы\"): заполняет D, z и вылет"));
    // Named, as a control's own caption: no input caption of the table.
    caption = captionLabel("Фреза:");
    caption->setObjectName(QString::fromUtf8(chooser) + QStringLiteral("Caption"));
    return list;
}

// The cutter and the cut, the same lines on every input page: the depth is
// the depth per pass, the passes on a line of their own or beside it.
void addCutterRows(QGridLayout* layout, const char* chooser, const char* diameter,
    const char* teeth, const char* width, const char* depth, const char* passes,
    bool passesBeside = false)
{
    QLabel* caption = nullptr;
    if (passesBeside) {
        // The longest page has neither height nor width to spare: the chooser
        // shares the teeth's width (a number of two digits) and the tip
        // names it; its popup shows a long name whole.
        QWidget* list = cutterChooser(chooser, kFieldWidth - 56, caption);
        delete caption;
        addField(layout, diameter, editableList(diameter, kFieldWidth));
        auto* shared = new QWidget;
        auto* row = new QHBoxLayout(shared);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(2);
        QComboBox* teethField = editableList(teeth, kFieldWidth - 58);
        row->addWidget(teethField);
        row->addWidget(list);
        row->addStretch(1);
        addLabelledRow(layout, fieldLabel(teeth, teethField), shared);
    } else {
        QWidget* list = cutterChooser(chooser, kFieldWidth, caption);
        addLabelledRow(layout, caption, list);
        addField(layout, diameter, editableList(diameter, kFieldWidth));
        addField(layout, teeth, editableList(teeth, kFieldWidth));
    }
    addField(layout, width);
    if (passesBeside) {
        QLineEdit* depthField = textField(depth, kFieldWidth - 48);
        addLabelledRow(layout, fieldLabel(depth, depthField), depthAndPasses(depthField, passes));
        return;
    }
    addField(layout, depth);
    addField(layout, passes);
}

QWidget* walterMaterialGroup()
{
    QGroupBox* group = groupBox("Обрабатываемый Материал ->");
    auto* layout = new QGridLayout(group);
    layout->setVerticalSpacing(4);
    layout->addWidget(captionLabel("Коэф. материала:"), 0, 0, 1, 2);
    int row = 1;
    for (const char* name : { "EditStKc11", "EditStMc" }) {
        QLineEdit* field = textField(name, kFieldWidth);
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

} // namespace

QWidget* createWalterInputPage()
{
    QWidget* widget = page("TabSheet1");
    auto* column = new QVBoxLayout(widget);
    QGridLayout* form = formGrid();
    addCutterRows(form, kWalterCutter, "BaseD", "BaseZ", "BaseB", "BaseT", "BaseStPasses", true);
    addField(form, "BaseVc");
    addField(form, "Basefz");
    addField(form, "ComboBoxStkpd", dropDownList("ComboBoxStkpd", kFieldWidth));
    addField(form, "ComboBoxStContact", dropDownList("ComboBoxStContact", 0));
    // The contact scheme beside the lines above it.
    PictureLabel* contact = picture("Imagevs", QSize(200, 100));
    contact->setGivesWay(true);
    form->addWidget(contact, form->rowCount() - 4, 2, 4, 1, Qt::AlignCenter);
    addField(form, "EditStk");
    addField(form, "EditStGamma0");
    addField(form, "BaseStL");
    addField(form, "BaseStDeflMax");
    column->addLayout(form);
    column->addWidget(walterMaterialGroup());
    column->addStretch(1);
    return widget;
}

QWidget* createAluminiumInputPage()
{
    QWidget* widget = page("TabSheet2");
    auto* column = new QVBoxLayout(widget);
    QGridLayout* form = formGrid();
    addCutterRows(
        form, kAluminiumCutter, "BaseAlD", "BaseAlZ", "BaseAlB", "BaseAlT", "BaseAlPasses");
    addField(form, "ComboBoxMaterial", dropDownList("ComboBoxMaterial", kFieldWidth));
    addField(form, "ComboBoxTkpd", dropDownList("ComboBoxTkpd", kFieldWidth));
    addField(form, "ComboBoxRa", dropDownList("ComboBoxRa", kFieldWidth));
    addField(form, "BaseAlL");
    addField(form, "BaseAlDeflMax");
    column->addLayout(form);
    column->addStretch(1);
    return widget;
}

QWidget* createTitaniumInputPage()
{
    QWidget* widget = page("TabSheet3");
    auto* column = new QVBoxLayout(widget);
    QGridLayout* form = formGrid();
    addCutterRows(
        form, kTitaniumCutter, "BaseTiD", "BaseTiZ", "BaseTiB", "BaseTiT", "BaseTiPasses");
    addField(form, "BaseTiL", editableList("BaseTiL", kFieldWidth));
    addField(form, "BaseTiDeflMax");
    addField(form, "BaseTihz", editableList("BaseTihz", kFieldWidth));
    addField(form, "ComboBoxTiTime", dropDownList("ComboBoxTiTime", kFieldWidth));
    addField(form, "ComboBoxTiMaterial", dropDownList("ComboBoxTiMaterial", kFieldWidth));
    form->setColumnStretch(3, 0);

    // The two-way options in a column beside the fields, the part's type
    // under them and the surface under the options: the page stays within a
    // laptop's screen at large fonts, beside the results.
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addLayout(form);
    left->addWidget(radioGroup("RadioGroupTiTypeDetal"));
    left->addStretch(1);
    top->addLayout(left);
    auto* beside = new QVBoxLayout;
    beside->setSpacing(4);
    beside->addWidget(radioGroup("RadioGroupTiMaterial"));
    beside->addWidget(radioGroup("RadioGroupTiCoolnt"));
    beside->addWidget(radioGroup("RadioGroupTiSkin"));
    QGroupBox* direction = radioGroup("RadioGroupTiDirection");
    addGroupPicture(direction, picture("ImageDirection", QSize(70, 40)));
    beside->addWidget(direction);
    QGroupBox* surface = radioGroup("RadioGroupTiSurface");
    addGroupPicture(surface, picture("ImageSurface", QSize(40, 40)));
    beside->addWidget(surface);
    beside->addStretch(1);
    top->addLayout(beside, 1);
    column->addLayout(top);
    column->addStretch(1);
    return widget;
}

} // namespace millcalc
