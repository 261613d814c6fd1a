#include "ui/pages/ResultPages.h"

#include "app/CutterDeflection.h"
#include "app/Designer.h"
#include "app/FieldCaptions.h"
#include "app/FieldStore.h"
#include "app/Method.h"
#include "app/ResultPage.h"

#include "ui/pages/ColumnAligner.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/WidgetKit.h"
#include "ui/pictures/PagePictures.h"
#include "ui/pictures/PictureLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace millcalc {

namespace {

constexpr int kPageMargin = 4;
constexpr const char* kFitCaption = "Подобрать по станку";

QWidget* page(const char* name)
{
    auto* widget = new QWidget;
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

template <typename Layout> Layout* pageLayout(QWidget* page)
{
    auto* layout = new Layout(page);
    layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
    layout->setSpacing(kPageMargin);
    return layout;
}

// The columns of a group's form: the caption, the field, the unit and the
// step where the group has them, the picture, and the spare width after it.
struct FormColumns {
    explicit FormColumns(const ResultGroup& group)
    {
        int next = 2;
        unit = group.units ? next++ : -1;
        step = group.steps ? next++ : -1;
        picture = next;
    }

    int unit;
    int step;
    int picture;
};

// Whether anything stands beside a group's fields: then the fields keep to
// their captions, and the group's spare width stays right.
bool hasBeside(const ResultGroup& group)
{
    if (group.units || group.steps)
        return true;
    return std::any_of(group.lines.begin(), group.lines.end(), [](const ResultLine& line) {
        return line.picture != nullptr || line.deflection || line.step != nullptr
            || line.fit != nullptr || line.check != nullptr;
    });
}

class ResultPageBuilder {
public:
    explicit ResultPageBuilder(const Method& method)
        : method_(method)
    {
        Designer designer(declared_);
        method.declare(designer);
    }

    QWidget* build(const ResultPage& layout);

private:
    void check(const ResultGroup& group) const;
    const FieldCaption& caption(const char* name) const;
    QLabel* captionOf(const char* name, QWidget* buddy, bool wrap) const;
    QWidget* field(const char* name, int width) const;
    QWidget* control(const ResultLine& line);
    QPushButton* step(const ResultLine& line) const;
    PictureLabel* pictureOf(const ResultLine& line) const;
    QPushButton* fitPicture(const char* name) const;
    void addColumn(QBoxLayout* row, const ResultColumn& column);
    void addGroup(QVBoxLayout* column, const ResultGroup& group);
    void addForm(QGridLayout* form, const ResultGroup& group);
    void addStacked(QVBoxLayout* column, const ResultGroup& group);
    QHBoxLayout* passesLine(const ResultPasses& passes) const;
    static QWidget* note(const char* text);

    const Method& method_;
    FieldStore declared_;
    // Owned until it is built: a declaration refused leaves nothing behind.
    std::unique_ptr<QWidget> page_;
    // The page's first result field: the one a group aligns its fields under.
    QWidget* firstField_ = nullptr;
};

const FieldCaption& ResultPageBuilder::caption(const char* name) const
{
    for (const FieldCaption& entry : method_.results) {
        if (std::string_view(entry.field) == name)
            return entry;
    }
    throw std::logic_error(std::string("no caption in its row for the result ") + name);
}

// The text beside a result on its page, the field its buddy; null where the
// row gives the result none (a group's title names it).
QLabel* ResultPageBuilder::captionOf(const char* name, QWidget* buddy, bool wrap) const
{
    const char* text = caption(name).pageLabel;
    if (text == nullptr)
        return nullptr;
    QLabel* label = captionLabel(text);
    // Breaks into lines where the page is short of width: the formulas
    // beside it are taller than two lines anyway.
    label->setWordWrap(wrap);
    label->setBuddy(buddy);
    return label;
}

// A control of the kind its row declares, read-only where the row declares
// it so.
QWidget* ResultPageBuilder::field(const char* name, int width) const
{
    const Field* declared = declared_.has(name) ? &declared_.field(name) : nullptr;
    if (declared != nullptr && declared->kind == FieldKind::DropDownList)
        return dropDownList(name, width);
    QLineEdit* edit = textField(name, width);
    edit->setReadOnly(declared != nullptr && declared->readOnly);
    return edit;
}

// The result of a line; the page's first is the one a group aligns its
// fields under.
QWidget* ResultPageBuilder::control(const ResultLine& line)
{
    QWidget* widget = field(line.field, line.width);
    if (firstField_ == nullptr)
        firstField_ = widget;
    return widget;
}

// The line's step button; a text button as narrow as its text where the line
// gives one.
QPushButton* ResultPageBuilder::step(const ResultLine& line) const
{
    if (line.stepText == nullptr)
        return stepButton(line.step);
    QPushButton* button = textButton(line.step, line.stepText);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    const QString text = QString::fromUtf8(line.stepText);
    button->setMaximumWidth(button->fontMetrics().horizontalAdvance(text + text + text));
    return button;
}

// The line's picture by its name, or the deflection's formula with the model
// that the method computes with as its tooltip; null where it has none.
PictureLabel* ResultPageBuilder::pictureOf(const ResultLine& line) const
{
    const DeflectionModel* model = line.deflection ? method_.deflection : nullptr;
    const char* name = model != nullptr ? model->picture : line.picture;
    if (name == nullptr)
        return nullptr;
    const PagePicture& shown = pagePicture(name);
    PictureLabel* label = picture(shown.name, shown.size);
    label->setGivesWay(shown.givesWay);
    if (model != nullptr)
        label->setToolTip(QString::fromStdString(deflectionModelText(*model)));
    return label;
}

// The fit as a picture: a line of its own would take the page past a
// laptop's height.
QPushButton* ResultPageBuilder::fitPicture(const char* name) const
{
    QPushButton* fit = pictureButton(name, QStyle::SP_BrowserReload);
    fit->setToolTip(QString::fromUtf8(kFitCaption));
    fit->setAccessibleName(QString::fromUtf8(kFitCaption));
    return fit;
}

void ResultPageBuilder::addForm(QGridLayout* form, const ResultGroup& group)
{
    const FormColumns columns(group);
    if (group.spacing >= 0)
        form->setVerticalSpacing(group.spacing);
    int row = 0;
    int choiceLeft = 0;
    for (const ResultLine& line : group.lines) {
        if (line.check != nullptr) {
            auto* box = new QCheckBox;
            box->setObjectName(QString::fromUtf8(line.check));
            form->addWidget(box, row++, 1, 1, columns.picture);
            continue;
        }
        if (line.field == nullptr) {
            form->addWidget(pictureOf(line), row++, 0, 1, columns.picture + 1, Qt::AlignLeft);
            continue;
        }
        QWidget* result = control(line);
        const bool inChoice = choiceLeft > 0 || line.choice != nullptr;
        if (line.choice != nullptr) {
            form->addWidget(radioGroup(line.choice), row, 0, line.choiceLines, 1, Qt::AlignLeft);
            choiceLeft = line.choiceLines;
        } else if (!inChoice) {
            if (QLabel* label = captionOf(line.field, result, group.wrap))
                form->addWidget(label, row, 0);
        }
        choiceLeft = std::max(0, choiceLeft - 1);
        form->addWidget(result, row, 1);
        const char* unit = caption(line.field).unit;
        if (columns.unit >= 0 && *unit != '\0')
            form->addWidget(unitLabel(unit), row, columns.unit);
        if (columns.step >= 0 && line.step != nullptr)
            form->addWidget(step(line), row, columns.step);
        PictureLabel* shown = pictureOf(line);
        if (inChoice || line.coefficient != nullptr) {
            // The terms of the choice: its coefficient, with its caption, and
            // the formula.
            auto* terms = new QHBoxLayout;
            if (line.coefficient != nullptr) {
                auto* edit = qobject_cast<QLineEdit*>(field(line.coefficient, 60));
                edit->setFrame(false);
                terms->addWidget(fieldLabel(line.coefficient, edit));
                terms->addWidget(edit);
            }
            if (shown != nullptr)
                terms->addWidget(shown, 0, Qt::AlignLeft);
            terms->addStretch(1);
            form->addLayout(terms, row, columns.picture);
        } else if ((columns.step < 0 && line.step != nullptr) || line.fit != nullptr) {
            // The step (and the fit) before the formula, in the formula's cell.
            auto* beside = new QWidget;
            auto* terms = new QHBoxLayout(beside);
            terms->setContentsMargins(0, 0, 0, 0);
            if (line.step != nullptr && columns.step < 0)
                terms->addWidget(step(line));
            if (line.fit != nullptr)
                terms->addWidget(fitPicture(line.fit));
            if (shown != nullptr)
                terms->addWidget(shown, 0, Qt::AlignLeft);
            terms->addStretch(1);
            form->addWidget(beside, row, columns.picture, Qt::AlignLeft);
        } else if (shown != nullptr) {
            form->addWidget(shown, row, columns.picture, line.pictureLines, 1, Qt::AlignLeft);
        }
        ++row;
    }
    if (hasBeside(group))
        form->setColumnStretch(columns.picture + 1, 1);
}

// Each caption over its field and the field's step, the picture under them:
// where the column has height to spare and no width.
void ResultPageBuilder::addStacked(QVBoxLayout* column, const ResultGroup& group)
{
    for (const ResultLine& line : group.lines) {
        QWidget* result = control(line);
        if (QLabel* label = captionOf(line.field, result, group.wrap))
            column->addWidget(label);
        auto* row = new QHBoxLayout;
        row->addWidget(result);
        if (line.step != nullptr)
            row->addWidget(step(line));
        row->addStretch(1);
        column->addLayout(row);
        if (PictureLabel* shown = pictureOf(line))
            column->addWidget(shown, 0, Qt::AlignLeft);
    }
}

// "Проходов по ширине" and its field, narrow: a whole number; the fit's
// button after them, or before them.
QHBoxLayout* ResultPageBuilder::passesLine(const ResultPasses& passes) const
{
    const char* name = method_.card.widthPasses;
    const FieldCaption& entry = caption(name);
    auto* row = new QHBoxLayout;
    QPushButton* fit = passes.fit != nullptr ? textButton(passes.fit, kFitCaption) : nullptr;
    if (fit != nullptr && passes.fitFirst)
        row->addWidget(fit);
    QWidget* passesField = field(name, 40);
    QLabel* label = captionLabel(entry.pageLabel != nullptr ? entry.pageLabel : entry.caption);
    label->setBuddy(passesField);
    row->addWidget(label);
    row->addWidget(passesField);
    row->addStretch(1);
    if (fit != nullptr && !passes.fitFirst)
        row->addWidget(fit);
    return row;
}

// A note that takes the width its row leaves and never widens the page.
QWidget* ResultPageBuilder::note(const char* text)
{
    QLabel* label = captionLabel(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QSizePolicy wrapping(QSizePolicy::Ignored, QSizePolicy::Preferred);
    wrapping.setHeightForWidth(true);
    label->setSizePolicy(wrapping);
    label->setMinimumWidth(fromFont(120));
    return label;
}

void ResultPageBuilder::addGroup(QVBoxLayout* column, const ResultGroup& group)
{
    if (group.passes != nullptr) {
        column->addLayout(passesLine(*group.passes));
        return;
    }
    if (group.button != nullptr) {
        QPushButton* button = textButton(group.button, group.buttonText);
        if (group.buttonTip != nullptr)
            button->setToolTip(QString::fromUtf8(group.buttonTip));
        column->addWidget(button);
        return;
    }
    if (group.note != nullptr) {
        column->addWidget(note(group.note));
        return;
    }
    if (group.part != nullptr) {
        column->addWidget(pagePart(group.part));
        return;
    }
    if (group.stacked) {
        addStacked(column, group);
        return;
    }
    QWidget* firstField = firstField_;
    auto* form = new QGridLayout;
    if (group.title == nullptr) {
        addForm(form, group);
        column->addLayout(form);
        return;
    }
    QGroupBox* box = groupBox(group.title);
    if (group.step == nullptr) {
        box->setLayout(form);
        if (group.lowMargins) {
            QMargins margins = form->contentsMargins();
            margins.setTop(kPageMargin);
            margins.setBottom(kPageMargin);
            form->setContentsMargins(margins);
        }
    } else {
        // The group's step button at its right edge, and narrow side margins:
        // two columns of groups stand beside the inputs on a laptop at large
        // fonts.
        auto* row = new QHBoxLayout(box);
        QMargins margins = row->contentsMargins();
        margins.setLeft(std::min(margins.left(), 2 * kPageMargin));
        margins.setRight(std::min(margins.right(), 2 * kPageMargin));
        row->setContentsMargins(margins);
        row->setSpacing(kPageMargin);
        row->addLayout(form, 1);
        row->addWidget(stepButton(group.step), 0, Qt::AlignRight | Qt::AlignVCenter);
    }
    addForm(form, group);
    if (group.alignUnder && firstField != nullptr) {
        new ColumnAligner(page_.get(), form, firstField,
            form->itemAtPosition(0, 1) ? form->itemAtPosition(0, 1)->widget() : nullptr);
    }
    column->addWidget(box);
}

void ResultPageBuilder::addColumn(QBoxLayout* row, const ResultColumn& column)
{
    if (column.top) {
        if (column.groups.size() != 1 || column.groups.front().part == nullptr)
            throw std::logic_error("a column at the top holds one part alone");
        row->addWidget(pagePart(column.groups.front().part), column.stretch, Qt::AlignTop);
        return;
    }
    auto* groups = new QVBoxLayout;
    row->addLayout(groups, column.stretch);
    for (const ResultGroup& group : column.groups)
        addGroup(groups, group);
    groups->addStretch(1);
}

// Refuses a declaration that names what is not there before a control of
// the page is made: a caption the row does not give, a picture not known, a
// deflection or width passes the row does not have.
void ResultPageBuilder::check(const ResultGroup& group) const
{
    for (const ResultLine& line : group.lines) {
        if (line.field != nullptr)
            caption(line.field);
        if (line.picture != nullptr)
            pagePicture(line.picture);
        if (line.deflection && method_.deflection == nullptr)
            throw std::logic_error(
                std::string("no deflection model in the row ") + method_.caption);
    }
    if (group.passes != nullptr) {
        if (method_.card.widthPasses == nullptr)
            throw std::logic_error(std::string("no width passes in the row ") + method_.caption);
        caption(method_.card.widthPasses);
    }
}

QWidget* ResultPageBuilder::build(const ResultPage& layout)
{
    for (const ResultGroup& group : layout.over)
        check(group);
    for (const ResultColumn& column : layout.columns) {
        for (const ResultGroup& group : column.groups)
            check(group);
    }
    page_.reset(page(method_.resultPage));
    if (layout.over.empty()) {
        auto* columns = pageLayout<QHBoxLayout>(page_.get());
        for (const ResultColumn& column : layout.columns)
            addColumn(columns, column);
        return page_.release();
    }
    auto* outer = pageLayout<QVBoxLayout>(page_.get());
    for (const ResultGroup& group : layout.over)
        addGroup(outer, group);
    if (!layout.columns.empty()) {
        auto* columns = new QHBoxLayout;
        outer->addLayout(columns);
        for (const ResultColumn& column : layout.columns)
            addColumn(columns, column);
    }
    outer->addStretch(1);
    return page_.release();
}

} // namespace

QWidget* buildResultPage(const Method& method)
{
    if (method.resultLayout == nullptr)
        throw std::logic_error(std::string("no result page declared in the row ") + method.caption);
    return ResultPageBuilder(method).build(*method.resultLayout);
}

QWidget* createBlankResultPage()
{
    return page("TabSheet4");
}

} // namespace millcalc
