#include "ui/pages/WidgetKit.h"

#include "app/FieldCaptions.h"
#include "shell/table/Methods.h"
#include "ui/bind/GroupBoxBinding.h"
#include "ui/bind/PaletteColours.h"
#include "ui/pictures/PictureLabel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

#include <stdexcept>
#include <string>

namespace millcalc {

namespace {

// What each control that shows only a picture does, named for the user.
struct PictureTip {
    const char* name;
    const char* tip;
};

constexpr PictureTip kPictureTips[] = {
    { "BitBtnHelp", "Схема параметров резания (обозначения)" },
    { "BitBtnStMaterial", "Выбрать обрабатываемый материал из каталога" },
    { "BitBtnSt1", "Рассчитать обороты шпинделя и скорость резания" },
    { "BitBtnSt2", "Рассчитать скорость съема материала" },
    { "BitBtnSt3", "Рассчитать среднюю толщину стружки" },
    { "BitBtnSt4", "Рассчитать подачу и подачу на зуб" },
    { "BitBtnSt5", "Рассчитать мощность и момент резания" },
    { "BitBtnAln1", "Рассчитать обороты шпинделя" },
    { "BitBtnAlF1", "Рассчитать подачу резания" },
    { "BitBtnAlTm1", "Температура заготовки по таблице температур" },
    { "BitBtnAlPz1", "Рассчитать силу резания и проверить нагрузку на шпиндель" },
    { "BitBtnAlMz1", "Рассчитать момент" },
    { "BitBtnAlNp1", "Рассчитать мощность резания" },
    { "BitBtnStDefl", "Рассчитать отжим фрезы" },
    { "BitBtnAlDefl1", "Рассчитать отжим фрезы" },
    { "BitBtnTiDefl", "Рассчитать отжим фрезы" },
    { "BitBtn1fz", "Рассчитать подачу на зуб Sz" },
    { "BitBtn2V1", "Рассчитать скорость резания V1 (по температуре заготовки)" },
    { "BitBtn3V2", "Рассчитать скорость резания V2 (по мощности главного привода)" },
    { "BitBtn4P", "Рассчитать силу резания" },
    { "Image9", "Перенести скорость резания Vc в исходные данные" },
    { "Image10", "Перенести подачу на зуб fz в исходные данные" },
    { "MailPicture", "Написать письмо автору" },
};

} // namespace

QString pictureToolTip(const QString& name)
{
    for (const PictureTip& entry : kPictureTips) {
        if (name == QLatin1String(entry.name))
            return QString::fromUtf8(entry.tip);
    }
    return QString();
}

QString caption(const char* text)
{
    QString result = QString::fromUtf8(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

QLabel* captionLabel(const char* text)
{
    auto* label = new QLabel(caption(text));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* unitLabel(const char* text)
{
    QLabel* label = captionLabel(text);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return label;
}

QLineEdit* textField(const char* name, int width)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromUtf8(name));
    edit->setFixedWidth(fromFont(width));
    return edit;
}

namespace {

QComboBox* comboBox(const char* name, int width, bool editable)
{
    auto* box = new QComboBox;
    box->setObjectName(QString::fromUtf8(name));
    box->setEditable(editable);
    if (editable) {
        // The typed text is the value: nothing is added to the list and nothing
        // is completed behind the user's back.
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
    }
    box->setMinimumWidth(fromFont(width));
    return box;
}

} // namespace

QComboBox* editableList(const char* name, int width)
{
    QComboBox* box = comboBox(name, width, true);
    box->setFixedWidth(fromFont(width));
    return box;
}

QComboBox* dropDownList(const char* name, int width)
{
    QComboBox* box = comboBox(name, width, false);
    // A list of a fixed width leaves its items' widths alone: its popup
    // shows them whole, and measuring them at every change costs.
    if (width > 0)
        box->setFixedWidth(fromFont(width));
    else
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

QPushButton* textButton(const char* name, const char* text)
{
    auto* button = new QPushButton(caption(text));
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(pictureToolTip(button->objectName()));
    return button;
}

namespace {

// Shows the picture of the file on the button in the colours of the palette it
// inherits, now and after every change of the desktop's palette; the style's
// stock picture where the file cannot be drawn, and standard error says so.
void showPicture(QPushButton* button, const QString& file, QStyle::StandardPixmap stock)
{
    followPalette(button, [button, file, stock] {
        const QIcon icon = file.isEmpty()
            ? QIcon()
            : PictureLabel::icon(file, inheritedPalette(button), button->iconSize());
        if (icon.isNull() && !file.isEmpty() && button->icon().isNull())
            qWarning("millcalc: the button %s cannot show its picture %s",
                qUtf8Printable(button->objectName()), qUtf8Printable(file));
        button->setIcon(icon.isNull() ? button->style()->standardIcon(stock) : icon);
    });
}

} // namespace

QPushButton* pictureButton(const char* name, int stockIcon)
{
    auto* button = new QPushButton;
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(pictureToolTip(button->objectName()));
    button->setIconSize(fromFont(QSize(20, 20)));
    showPicture(button, PictureLabel::pictureFile(button->objectName(), 0),
        static_cast<QStyle::StandardPixmap>(stockIcon));
    return button;
}

QPushButton* stepButton(const char* name)
{
    auto* button = new QPushButton;
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(pictureToolTip(button->objectName()));
    // Every step button shows the one step picture.
    button->setIconSize(fromFont(QSize(16, 16)));
    showPicture(
        button, PictureLabel::pictureFile(QStringLiteral("StepButton"), 0), QStyle::SP_MediaPlay);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // No taller than the field beside it, where the style would pad the
    // picture into a taller button and each line of results with it.
    button->setFixedHeight(
        std::max(button->fontMetrics().height() + 8, button->iconSize().height() + 4));
    return button;
}

PictureLabel* picture(const char* name, QSize placeholder)
{
    auto* label = new PictureLabel(placeholder);
    label->setObjectName(QString::fromUtf8(name));
    label->setToolTip(pictureToolTip(label->objectName()));
    label->setPicture(0);
    return label;
}

QGroupBox* groupBox(const char* title)
{
    return new QGroupBox(caption(title));
}

QGroupBox* radioGroup(const char* name, int columns)
{
    auto* box = new QGroupBox;
    box->setObjectName(QString::fromUtf8(name));
    box->setProperty(kColumnsProperty, columns);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setVerticalSpacing(2);
    return box;
}

void addGroupPicture(QGroupBox* group, QWidget* picture)
{
    auto* layout = static_cast<QGridLayout*>(group->layout());
    // Far to the right of the buttons, whatever columns they take.
    constexpr int kPictureColumn = 16;
    layout->addWidget(picture, 0, kPictureColumn, 3, 1, Qt::AlignRight | Qt::AlignBottom);
    layout->setColumnStretch(kPictureColumn - 1, 1);
}

QTableWidget* grid(const char* name)
{
    auto* table = new QTableWidget;
    table->setObjectName(QString::fromUtf8(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->horizontalHeader()->setHighlightSections(false);
    table->verticalHeader()->setHighlightSections(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setDefaultAlignment(
        Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    return table;
}

QLabel* fieldLabel(const char* field, QWidget* widget)
{
    const char* text = fieldCaption(field).pageLabel;
    if (!text)
        throw std::logic_error(std::string("no caption on its page for the field ") + field);
    QLabel* label = captionLabel(text);
    label->setBuddy(widget);
    return label;
}

void addLabelledRow(QGridLayout* layout, QLabel* label, QWidget* field, QWidget* extra)
{
    const int row = layout->count() == 0 ? 0 : layout->rowCount();
    if (label)
        layout->addWidget(label, row, 0);
    layout->addWidget(field, row, 1);
    if (extra)
        layout->addWidget(extra, row, 2);
}

void addRow(QGridLayout* layout, const char* label, QWidget* field, QWidget* extra)
{
    addLabelledRow(layout, label ? captionLabel(label) : nullptr, field, extra);
}

namespace {

// Follows the shown page by its Show event: the binder turns pages with the
// tab widget's signals blocked.
class ShownPageSizer : public QObject {
public:
    ShownPageSizer(QTabWidget* pages, PageWidth width)
        : QObject(pages)
        , pages_(pages)
        , width_(width)
    {
        for (int i = 0; i < pages->count(); ++i)
            pages->widget(i)->installEventFilter(this);
        follow(pages->currentWidget());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            follow(watched);
        return false;
    }

private:
    void follow(const QObject* shown)
    {
        for (int i = 0; i < pages_->count(); ++i) {
            QWidget* page = pages_->widget(i);
            const auto policy = page == shown ? QSizePolicy::Preferred : QSizePolicy::Ignored;
            page->setSizePolicy(
                width_ == PageWidth::Widest ? QSizePolicy::Preferred : policy, policy);
        }
        pages_->updateGeometry();
    }

    QTabWidget* pages_;
    PageWidth width_;
};

} // namespace

// A tab widget that asks for the size of its shown page (the sizer below
// makes Qt count that page only) with the whole row of tabs beside it where
// there is room; on a narrow screen the row scrolls, every caption whole.
// Both sizes are those at its width: the page's broken captions as high as
// they break there, and at the least, its formulas that give way left out.
// A layout would take its height for its width as the least as well, so it
// has none.
class ShownPageTabs : public QTabWidget {
public:
    ShownPageTabs()
    {
        tabBar()->setUsesScrollButtons(true);
        tabBar()->setElideMode(Qt::ElideNone);
    }

    QSize sizeHint() const override
    {
        QSize whole = QTabWidget::sizeHint();
        const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        whole.setWidth(std::max(whole.width(), tabBar()->sizeHint().width() + frame));
        if (QTabWidget::hasHeightForWidth())
            whole.setHeight(
                std::max(whole.height(), QTabWidget::heightForWidth(laidWidth(whole.width()))));
        return whole;
    }

    QSize minimumSizeHint() const override
    {
        QSize least = QTabWidget::minimumSizeHint();
        const QWidget* page = currentWidget();
        // At the least as narrow as the page shown, though the pages all
        // count for the width asked for.
        int widestLeast = 0;
        for (int i = 0; i < count(); ++i)
            if (widget(i)->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored)
                widestLeast = std::max(widestLeast, widget(i)->minimumSizeHint().width());
        if (page && widestLeast > page->minimumSizeHint().width())
            least.setWidth(least.width() - widestLeast + page->minimumSizeHint().width());
        const QLayout* layout = page ? page->layout() : nullptr;
        if (!layout || !layout->hasHeightForWidth())
            return least;
        const int around = least.height() - page->minimumSizeHint().height();
        const int pageWidth
            = page->testAttribute(Qt::WA_Resized) ? page->width() : page->minimumSizeHint().width();
        least.setHeight(
            std::max(least.height(), around + layout->totalMinimumHeightForWidth(pageWidth)));
        return least;
    }

    bool hasHeightForWidth() const override { return false; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QTabWidget::resizeEvent(event);
        if (event->oldSize().width() != width())
            updateGeometry();
    }

private:
    // Its width once a layout has given it one.
    int laidWidth(int otherwise) const
    {
        return testAttribute(Qt::WA_Resized) ? width() : otherwise;
    }
};

QTabWidget* shownPageTabs()
{
    return new ShownPageTabs;
}

void sizeToShownPage(QTabWidget* pages, PageWidth width)
{
    new ShownPageSizer(pages, width);
}

} // namespace millcalc
