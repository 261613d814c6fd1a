#include "ui/pages/ResultPages.h"

#include "app/CutterDeflection.h"
#include "app/FieldCaptions.h"
#include "shell/table/Methods.h"

#include "ui/bind/TableWidgetBinding.h"
#include "ui/pages/WidgetKit.h"
#include "ui/pictures/PictureLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace millcalc {

namespace {

// Compact, so that the results window fits beside the main window on a
// screen 1366 pixels wide.
constexpr int kResultWidth = 86;
constexpr int kPageMargin = 4;

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

// A framed group of one step: its fields on the left, its step button at the
// right edge.
QGridLayout* stepGroup(QVBoxLayout* column, const char* title, const char* stepButtonName)
{
    QGroupBox* group = groupBox(title);
    auto* row = new QHBoxLayout(group);
    // Narrow side margins: two columns of groups stand beside the inputs on
    // a laptop at large fonts.
    QMargins margins = row->contentsMargins();
    margins.setLeft(std::min(margins.left(), 2 * kPageMargin));
    margins.setRight(std::min(margins.right(), 2 * kPageMargin));
    row->setContentsMargins(margins);
    row->setSpacing(kPageMargin);
    auto* fields = new QGridLayout;
    fields->setVerticalSpacing(4);
    row->addLayout(fields, 1);
    row->addWidget(stepButton(stepButtonName), 0, Qt::AlignRight | Qt::AlignVCenter);
    column->addWidget(group);
    return fields;
}

// A caption that breaks into lines where the page is short of width: the
// formulas beside it are taller than two lines anyway.
QLabel* wrappingCaption(const char* text)
{
    QLabel* label = captionLabel(text);
    label->setWordWrap(true);
    return label;
}

// A formula beside the results: it gives way to them on a small screen.
PictureLabel* formula(const char* name, QSize size)
{
    PictureLabel* label = picture(name, size);
    label->setGivesWay(true);
    return label;
}

// The deflection's formula, its tooltip the model that the method computes with.
PictureLabel* deflectionFormula(int page)
{
    const DeflectionModel& model = *methodAt(page)->deflection;
    PictureLabel* label = formula(model.picture, QSize(200, 44));
    label->setToolTip(QString::fromStdString(deflectionModelText(model)));
    return label;
}

// The text beside a result on its page, from the one table of captions.
const char* pageLabel(const char* field)
{
    return fieldCaption(field).pageLabel;
}

// field, unit, optional picture: one line of a Walter group, with the caption in
// front where the group gives one.
void addResult(QGridLayout* layout, const char* name, QWidget* extra = nullptr)
{
    const FieldCaption entry = fieldCaption(name);
    const int row = layout->count() == 0 ? 0 : layout->rowCount();
    if (entry.pageLabel)
        layout->addWidget(captionLabel(entry.pageLabel), row, 0);
    layout->addWidget(textField(name, kResultWidth), row, 1);
    if (*entry.unit)
        layout->addWidget(unitLabel(entry.unit), row, 2);
    if (extra)
        layout->addWidget(extra, row, 3, Qt::AlignLeft);
}

// "Проходов по ширине" and its field, narrow: a whole number; the button
// after them where one is given.
QHBoxLayout* widthPassesRow(const char* name, QWidget* button)
{
    auto* row = new QHBoxLayout;
    row->addWidget(captionLabel(pageLabel(name)));
    QLineEdit* field = textField(name, 40);
    row->addWidget(field);
    row->addStretch(1);
    if (button)
        row->addWidget(button);
    return row;
}

// Widens the caption column of an inner form until its fields stand under the
// fields of the form around it.
class ColumnAligner : public QObject {
public:
    ColumnAligner(QWidget* page, QGridLayout* inner, QWidget* outerField, QWidget* innerField)
        : QObject(page)
        , page_(page)
        , inner_(inner)
        , outerField_(outerField)
        , innerField_(innerField)
    {
        page->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == page_ && (event->type() == QEvent::Show || event->type() == QEvent::Resize)
            && outerField_ && innerField_) {
            const int shift
                = outerField_->mapTo(page_, QPoint()).x() - innerField_->mapTo(page_, QPoint()).x();
            const int width = std::max(0, inner_->cellRect(1, 0).width() + shift);
            if (shift != 0 && width != inner_->columnMinimumWidth(0)) {
                inner_->setColumnMinimumWidth(0, width);
                inner_->activate();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* page_;
    QGridLayout* inner_;
    QPointer<QWidget> outerField_;
    QPointer<QWidget> innerField_;
};

} // namespace

QWidget* createWalterResultPage()
{
    QWidget* widget = page("TabSheetStandard");
    auto* columns = pageLayout<QHBoxLayout>(widget);
    auto* column = new QVBoxLayout;
    columns->addLayout(column, 1);

    QGridLayout* speed = stepGroup(column, "Обороты , Скорость резания", "BitBtnSt1");
    addResult(speed, "EditStn");
    addResult(speed, "EditStVc", picture("Image9", QSize(24, 24)));
    speed->setColumnStretch(4, 1);

    QGridLayout* feed = stepGroup(column, "Подача", "BitBtnSt4");
    addResult(feed, "EditStVf");
    addResult(feed, "EditStfz", picture("Image10", QSize(24, 24)));
    feed->setColumnStretch(4, 1);

    QGridLayout* removal = stepGroup(column, "Скорость сьема материала,Q", "BitBtnSt2");
    addResult(removal, "EditStQ");
    removal->addWidget(formula("Image6", QSize(150, 40)), 1, 0, 1, 4, Qt::AlignLeft);
    removal->setColumnStretch(4, 1);

    // Its group's title names it, as the speed's and the feed's: a caption
    // beside the field would widen the column beyond a laptop's screen.
    QGridLayout* deflection = stepGroup(column, "Отжим фрезы, δ", "BitBtnStDefl");
    addResult(deflection, "EditStDefl");
    deflection->addWidget(deflectionFormula(0), 1, 0, 1, 4, Qt::AlignLeft);
    deflection->setColumnStretch(4, 1);
    column->addStretch(1);

    column = new QVBoxLayout;
    columns->addLayout(column, 1);
    QGridLayout* chip = stepGroup(column, "Средняя толщина стружки", "BitBtnSt3");
    addResult(chip, "EditSthm2");
    auto* approximate = new QCheckBox;
    approximate->setObjectName(QStringLiteral("CheckBoxhm2"));
    chip->addWidget(approximate, 1, 1, 1, 3);
    addResult(chip, "EditaeDc");
    chip->addWidget(formula("Imagehm", QSize(200, 100)), 3, 0, 1, 4, Qt::AlignLeft);
    chip->setColumnStretch(4, 1);

    QGridLayout* power = stepGroup(column, "Расчет мощности (момента) резания..", "BitBtnSt5");
    addResult(power, "EditStKc");
    power->addWidget(formula("Image8", QSize(230, 50)), 1, 0, 1, 4, Qt::AlignLeft);
    addResult(power, "EditStP");
    power->addWidget(formula("Image5", QSize(230, 50)), 3, 0, 1, 4, Qt::AlignLeft);
    addResult(power, "EditStPn");
    addResult(power, "EditStM");
    power->setColumnStretch(4, 1);
    // The passes across the part beside the fit that counts them: the line
    // of the button, no line more.
    column->addLayout(
        widthPassesRow("EditStWidthPasses", textButton("BitBtnStFit", "Подобрать по станку")));

    column->addStretch(1);
    return widget;
}

QWidget* createAluminiumResultPage()
{
    QWidget* widget = page("TabSheetTechAl");
    auto* outer = pageLayout<QVBoxLayout>(widget);

    QGroupBox* values = groupBox("Рассчитываемые значения....");
    auto* form = new QGridLayout(values);
    form->setVerticalSpacing(2);
    // Low margins over and under the ten lines: on a laptop at large fonts
    // the table under them takes the rest of the height.
    QMargins margins = form->contentsMargins();
    margins.setTop(kPageMargin);
    margins.setBottom(kPageMargin);
    form->setContentsMargins(margins);
    const auto line = [form](const char* label, QWidget* field, QWidget* button = nullptr,
                          QWidget* formula = nullptr) {
        const int row = form->count() == 0 ? 0 : form->rowCount();
        form->addWidget(captionLabel(label), row, 0);
        form->addWidget(field, row, 1);
        if (button)
            form->addWidget(button, row, 2);
        if (formula)
            form->addWidget(formula, row, 3, Qt::AlignLeft);
    };
    line(pageLabel("EditSz"), textField("EditSz", kResultWidth));
    line(pageLabel("EditV1"), textField("EditV1", kResultWidth));
    line(pageLabel("EditV2"), textField("EditV2", kResultWidth));
    line(pageLabel("EditV"), dropDownList("EditV", kResultWidth), nullptr,
        formula("ImageAlV", QSize(150, 40)));
    line(pageLabel("Editn"), textField("Editn", kResultWidth), stepButton("BitBtnAln1"),
        formula("ImageAln", QSize(150, 40)));
    line(pageLabel("EditF"), textField("EditF", kResultWidth), stepButton("BitBtnAlF1"),
        formula("ImageAlF", QSize(150, 40)));
    QPushButton* temperature = textButton("BitBtnAlTm1", ">>");
    temperature->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    temperature->setMaximumWidth(
        temperature->fontMetrics().horizontalAdvance(QStringLiteral(">>>>>>")));
    line(pageLabel("EditTm"), textField("EditTm", kResultWidth), temperature);
    line(pageLabel("EditPz"), textField("EditPz", kResultWidth), stepButton("BitBtnAlPz1"));
    line(pageLabel("EditMz"), textField("EditMz", kResultWidth), stepButton("BitBtnAlMz1"),
        formula("Image18", QSize(150, 40)));
    line(pageLabel("EditNp"), textField("EditNp", kResultWidth), stepButton("BitBtnAlNp1"),
        formula("Image19", QSize(150, 40)));
    form->setColumnStretch(4, 1);
    outer->addWidget(values);

    // Under the results: the ratios with the formula button, and the spindle
    // load table.
    auto* under = new QHBoxLayout;
    auto* side = new QVBoxLayout;
    QGroupBox* ratios = groupBox("Коэффициенты....");
    auto* ratioForm = new QGridLayout(ratios);
    addRow(ratioForm, pageLabel("EditK"), textField("EditK", 70));
    addRow(ratioForm, pageLabel("EdittD"), textField("EdittD", 70));
    side->addWidget(ratios);

    auto* load = new QGroupBox;
    load->setObjectName(QStringLiteral("PanelForestP"));
    auto* loadLayout = new QVBoxLayout(load);
    loadLayout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
    QTableWidget* loadGrid = grid("StringGridP");
    loadGrid->setColumnCount(2);
    loadGrid->setRowCount(7);
    loadGrid->setColumnWidth(0, fromFont(90));
    loadGrid->setColumnWidth(1, fromFont(150));
    // A display table: no cell of it is chosen, so none is highlighted.
    loadGrid->setSelectionMode(QAbstractItemView::NoSelection);
    loadGrid->setFocusPolicy(Qt::NoFocus);
    loadGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    loadGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fitGrid(loadGrid);
    loadLayout->addWidget(loadGrid);

    // The deflection beside the load table, where the column has height to
    // spare: a line more over the table would make the page taller than a
    // laptop's screen.
    side->addWidget(wrappingCaption(pageLabel("EditAlDefl")));
    auto* deflection = new QHBoxLayout;
    deflection->addWidget(textField("EditAlDefl", kResultWidth));
    deflection->addWidget(stepButton("BitBtnAlDefl1"));
    deflection->addStretch(1);
    side->addLayout(deflection);
    side->addWidget(deflectionFormula(1), 0, Qt::AlignLeft);

    QPushButton* formulas = textButton("BitBtnPanelAl", "Показать формулы");
    formulas->setToolTip(QStringLiteral("Расчетные формулы"));
    side->addWidget(formulas);
    // The passes across the part on the line of the fit that counts them:
    // a line more would take the column past a laptop's height.
    QHBoxLayout* fitRow = widthPassesRow("EditAlWidthPasses", nullptr);
    fitRow->insertWidget(0, textButton("BitBtnAlFit", "Подобрать по станку"));
    side->addLayout(fitRow);
    side->addStretch(1);
    under->addLayout(side);
    under->addWidget(load, 0, Qt::AlignTop);

    // The method's source beside the table, where the page has room to spare:
    // under it, it would make the page taller than a laptop's screen.
    QLabel* source = captionLabel(
        "Метод расчета ТР 1.4.2104-2002 \"Технологические рекомендации. Выбор параметров "
        "концевых фрез и режимов резания высокоскоростного фрезерования алюминиевых и "
        "титановых сплавов.\"");
    source->setWordWrap(true);
    source->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // It takes the width the row leaves, never widens the page.
    QSizePolicy wrapping(QSizePolicy::Ignored, QSizePolicy::Preferred);
    wrapping.setHeightForWidth(true);
    source->setSizePolicy(wrapping);
    source->setMinimumWidth(fromFont(120));
    auto* note = new QVBoxLayout;
    note->addWidget(source);
    note->addStretch(1);
    under->addLayout(note, 1);
    outer->addLayout(under);
    outer->addStretch(1);
    return widget;
}

QWidget* createTitaniumResultPage()
{
    QWidget* widget = page("TabSheetTechTi");
    auto* column = pageLayout<QVBoxLayout>(widget);

    // One column of result fields from the feed down to the power: captions
    // (and the force choice) on the left, formulas on the right.
    auto* form = new QGridLayout;
    form->setVerticalSpacing(3);
    const auto line = [form](const char* label, const char* name, QWidget* formula) {
        const int row = form->count() == 0 ? 0 : form->rowCount();
        form->addWidget(wrappingCaption(label), row, 0);
        form->addWidget(textField(name, kResultWidth), row, 1);
        form->addWidget(formula, row, 2, Qt::AlignLeft);
    };
    line(pageLabel("EditTifz"), "EditTifz", formula("Image20", QSize(230, 50)));
    line(pageLabel("EditTiVc"), "EditTiVc", formula("ImageTiVbase", QSize(230, 50)));
    line(pageLabel("EditTin"), "EditTin", formula("Image21", QSize(150, 40)));
    line(pageLabel("EditTiF"), "EditTiF", formula("Image22", QSize(150, 40)));

    const int forceRow = form->rowCount();
    form->addWidget(radioGroup("RadioGroupTiPz"), forceRow, 0, 3, 1, Qt::AlignLeft);
    const auto force
        = [form, forceRow](int row, const char* coefficient, QWidget* formula, const char* value) {
              form->addWidget(textField(value, kResultWidth), forceRow + row, 1);
              auto* terms = new QHBoxLayout;
              if (coefficient) {
                  QLineEdit* edit = textField(coefficient, 60);
                  edit->setFrame(false);
                  terms->addWidget(fieldLabel(coefficient, edit));
                  terms->addWidget(edit);
              }
              terms->addWidget(formula, 0, Qt::AlignLeft);
              terms->addStretch(1);
              form->addLayout(terms, forceRow + row, 2);
          };
    force(0, "EditTiPxcoeff", formula("Image25", QSize(180, 30)), "EditTiPx");
    force(1, "EditTiPycoeff", formula("Image26", QSize(180, 30)), "EditTiPy");
    force(2, nullptr, formula("Image27", QSize(150, 40)), "EditTiP");

    line(pageLabel("EditTiMz"), "EditTiMz", formula("Image23", QSize(150, 40)));
    line(pageLabel("EditTiNct"), "EditTiNct", formula("Image24", QSize(150, 40)));
    // The one titanium result with a step of its own: its button before the
    // formula.
    auto* deflection = new QWidget;
    auto* deflectionRow = new QHBoxLayout(deflection);
    deflectionRow->setContentsMargins(0, 0, 0, 0);
    deflectionRow->addWidget(stepButton("BitBtnTiDefl"));
    // The fit beside the last check of the cut, as a picture: a line of its
    // own would take the page past a laptop's height.
    QPushButton* fit = pictureButton("BitBtnTiFit", QStyle::SP_BrowserReload);
    fit->setToolTip(QStringLiteral("Подобрать по станку"));
    fit->setAccessibleName(QStringLiteral("Подобрать по станку"));
    deflectionRow->addWidget(fit);
    deflectionRow->addWidget(deflectionFormula(2), 0, Qt::AlignLeft);
    deflectionRow->addStretch(1);
    line(pageLabel("EditTiDefl"), "EditTiDefl", deflection);
    // The passes across the part under the fit that counts them; beside it
    // the line would be wider than a laptop's screen at large fonts.
    line(pageLabel("EditTiWidthPasses"), "EditTiWidthPasses", new QWidget);
    form->setColumnStretch(3, 1);
    column->addLayout(form);

    QGroupBox* small = groupBox("если деталь малой жесткости");
    auto* smallForm = new QGridLayout(small);
    smallForm->setVerticalSpacing(4);
    addRow(smallForm, pageLabel("EditTiVsmall"), textField("EditTiVsmall", kResultWidth));
    addRow(smallForm, pageLabel("EditTinsmall"), textField("EditTinsmall", kResultWidth));
    addRow(smallForm, pageLabel("EditTiFsmall"), textField("EditTiFsmall", kResultWidth));
    addRow(smallForm, pageLabel("EditTiNctsmall"), textField("EditTiNctsmall", kResultWidth));
    // The speed's formula beside the fields, not over them: the page stays
    // within a laptop screen's height.
    smallForm->addWidget(formula("ImageTiVsmall", QSize(130, 50)), 0, 2, 2, 1, Qt::AlignLeft);
    smallForm->setColumnStretch(3, 1);
    // The fields of the group stand under those above it.
    new ColumnAligner(widget, smallForm, widget->findChild<QWidget*>(QStringLiteral("EditTifz")),
        small->findChild<QWidget*>(QStringLiteral("EditTiVsmall")));
    column->addWidget(small);
    column->addStretch(1);
    return widget;
}

QWidget* createBlankResultPage()
{
    return page("TabSheet4");
}

} // namespace millcalc
