#include "ui/pages/MethodPages.h"

#include "app/Designer.h"
#include "app/FieldCaptions.h"
#include "app/FieldStore.h"
#include "app/Method.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/ResultPages.h"
#include "ui/pages/WidgetKit.h"
#include "ui/pictures/PagePictures.h"
#include "ui/pictures/PictureLabel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace millcalc {

namespace {

constexpr int kFieldWidth = kPageFieldWidth;

// The controls of a method's pages as its row declares them (in a store of
// their own), and its captions: what each line of its page is made of.
class Declared {
public:
    explicit Declared(const Method& method)
        : method_(method)
    {
        Designer designer(store_);
        method.declare(designer);
    }

    FieldKind kind(const char* name) const { return store_.field(name).kind; }
    bool has(const char* name) const { return store_.has(name); }

    // The row's caption of one of its inputs.
    const FieldCaption& caption(const char* name) const
    {
        for (const FieldCaption& entry : method_.inputs) {
            if (std::string_view(entry.field) == name)
                return entry;
        }
        throw std::logic_error(std::string("no caption in its row for the input ") + name);
    }

    const Method& method() const { return method_; }

private:
    const Method& method_;
    FieldStore store_;
};

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

// The control of a declared field, of the kind the row declares it.
QWidget* control(const Declared& declared, const char* name, int width)
{
    switch (declared.kind(name)) {
    case FieldKind::EditableList:
        return editableList(name, width);
    case FieldKind::DropDownList:
        return dropDownList(name, width);
    default:
        return textField(name, width);
    }
}

// The caption of a field on its page, its buddy the field: the caption as
// the page states it, or the short one followed by the unit.
void addLine(QGridLayout* layout, const FieldCaption& entry, QWidget* field)
{
    const char* text = entry.pageLabel != nullptr ? entry.pageLabel : entry.caption;
    QLabel* label = captionLabel(text != nullptr ? text : entry.field);
    label->setBuddy(field);
    const bool unit = entry.pageLabel == nullptr && *entry.unit != '\0';
    addLabelledRow(layout, label, field, unit ? unitLabel(entry.unit) : nullptr);
}

class InputPageBuilder {
public:
    explicit InputPageBuilder(const Method& method)
        : declared_(method)
    {
    }

    QWidget* build(const MethodPage& layout);

private:
    const FieldCaption& caption(const char* name) const { return declared_.caption(name); }
    QLabel* label(const char* name, QWidget* field) const;
    void addField(QGridLayout* form, const char* name, QWidget* field) const
    {
        addLine(form, caption(name), field);
    }
    void addCutterLines(QGridLayout* form, bool compact) const;
    QWidget* depthAndPasses(QWidget* depth, const char* passes) const;
    QWidget* part(const PagePart& part) const;

    Declared declared_;
};

QLabel* InputPageBuilder::label(const char* name, QWidget* field) const
{
    const FieldCaption& entry = caption(name);
    QLabel* text = captionLabel(entry.pageLabel != nullptr ? entry.pageLabel : entry.caption);
    text->setBuddy(field);
    return text;
}

// The depth per pass and the number of passes in one field's width: the
// longest page keeps its height and width for a laptop's screen.
QWidget* InputPageBuilder::depthAndPasses(QWidget* depth, const char* passes) const
{
    auto* widget = new QWidget;
    auto* row = new QHBoxLayout(widget);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(depth);
    QLineEdit* passesField = textField(passes, 30);
    QLabel* passesCaption = label(passes, passesField);
    passesCaption->setToolTip(QString::fromUtf8(caption(passes).caption));
    row->addWidget(passesCaption);
    row->addWidget(passesField);
    row->addStretch(1);
    return widget;
}

// The cutter chooser, a list of the field's width: the first line of a page,
// or beside the teeth where the page has no height to spare.
QComboBox* cutterChooser(const char* chooser, int width)
{
    QComboBox* list = dropDownList(chooser, width);
    list->setToolTip(
        QStringLiteral("Фреза из библиотеки (меню \"Фрезы\"): заполняет D, z и вылет"));
    return list;
}

// The cutter and the cut, the same lines on every input page: the depth is
// the depth per pass, the passes on a line of their own or beside it.
void InputPageBuilder::addCutterLines(QGridLayout* form, bool compact) const
{
    const Method& method = declared_.method();
    const CutterPage& cutter = method.cutter;
    const CardFields& card = method.card;
    if (compact) {
        // The longest page has neither height nor width to spare: the chooser
        // shares the teeth's width (a number of two digits) and the tip
        // names it; its popup shows a long name whole.
        QWidget* list = cutterChooser(cutter.chooser, kFieldWidth - 56);
        addField(form, cutter.diameter, editableList(cutter.diameter, kFieldWidth));
        auto* shared = new QWidget;
        auto* row = new QHBoxLayout(shared);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(2);
        QComboBox* teeth = editableList(cutter.teeth, kFieldWidth - 58);
        row->addWidget(teeth);
        row->addWidget(list);
        row->addStretch(1);
        addLabelledRow(form, label(cutter.teeth, teeth), shared);
        addField(form, card.width, textField(card.width, kFieldWidth));
        QLineEdit* depth = textField(card.depth, kFieldWidth - 48);
        addLabelledRow(form, label(card.depth, depth), depthAndPasses(depth, card.passes));
        return;
    }
    QWidget* list = cutterChooser(cutter.chooser, kFieldWidth);
    // Named, as a control's own caption: no input caption of the row.
    QLabel* chooserCaption = captionLabel("Фреза:");
    chooserCaption->setObjectName(QString::fromUtf8(cutter.chooser) + QStringLiteral("Caption"));
    addLabelledRow(form, chooserCaption, list);
    addField(form, cutter.diameter, editableList(cutter.diameter, kFieldWidth));
    addField(form, cutter.teeth, editableList(cutter.teeth, kFieldWidth));
    addField(form, card.width, textField(card.width, kFieldWidth));
    addField(form, card.depth, textField(card.depth, kFieldWidth));
    addField(form, card.passes, textField(card.passes, kFieldWidth));
}

QWidget* InputPageBuilder::part(const PagePart& part) const
{
    if (!declared_.has(part.name) || declared_.kind(part.name) != FieldKind::RadioGroup)
        return pagePart(part.name);
    QGroupBox* group = radioGroup(part.name);
    if (part.picture != nullptr) {
        const PagePicture& shown = pagePicture(part.picture);
        PictureLabel* label = picture(shown.name, shown.size);
        label->setGivesWay(shown.givesWay);
        addGroupPicture(group, label);
    }
    return group;
}

QWidget* InputPageBuilder::build(const MethodPage& layout)
{
    const Method& method = declared_.method();
    QWidget* widget = page(method.inputPage);
    auto* column = new QVBoxLayout(widget);
    QGridLayout* form = formGrid();
    if (layout.cutterLines)
        addCutterLines(form, layout.compactCutter);
    for (const PageLine& line : layout.lines) {
        addField(form, line.field, control(declared_, line.field, line.width));
        const PageSidePicture& beside = layout.picture;
        if (beside.name != nullptr && std::string_view(beside.after) == line.field) {
            const PagePicture& shown = pagePicture(beside.name);
            PictureLabel* label = picture(shown.name, shown.size);
            label->setGivesWay(shown.givesWay);
            form->addWidget(
                label, form->rowCount() - beside.lines, 2, beside.lines, 1, Qt::AlignCenter);
        }
    }
    if (layout.beside.empty()) {
        column->addLayout(form);
        for (const PagePart& under : layout.under)
            column->addWidget(part(under));
        column->addStretch(1);
        return widget;
    }
    // The parts beside the form in a column of their own, those under it
    // under it: the page stays within a laptop's screen at large fonts,
    // beside the results.
    form->setColumnStretch(3, 0);
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addLayout(form);
    for (const PagePart& under : layout.under)
        left->addWidget(part(under));
    left->addStretch(1);
    top->addLayout(left);
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    for (const PagePart& beside : layout.beside)
        right->addWidget(part(beside));
    right->addStretch(1);
    top->addLayout(right, 1);
    column->addLayout(top);
    column->addStretch(1);
    return widget;
}

// The page of a row that lays out none: a line of each of its inputs.
QWidget* linesPage(const char* name, std::span<const FieldCaption> fields, bool readOnly)
{
    QWidget* widget = page(name);
    auto* column = new QVBoxLayout(widget);
    QGridLayout* form = formGrid();
    for (const FieldCaption& entry : fields) {
        QLineEdit* field = textField(entry.field, kFieldWidth);
        field->setReadOnly(readOnly);
        addLine(form, entry, field);
    }
    column->addLayout(form);
    column->addStretch(1);
    return widget;
}

} // namespace

QWidget* createInputPage(const Method& method)
{
    if (method.inputLayout == nullptr)
        return linesPage(method.inputPage, method.inputs, false);
    return InputPageBuilder(method).build(*method.inputLayout);
}

QWidget* createResultPage(const Method& method)
{
    if (method.resultLayout != nullptr)
        return buildResultPage(method);
    return linesPage(method.resultPage, method.results, true);
}

} // namespace millcalc
