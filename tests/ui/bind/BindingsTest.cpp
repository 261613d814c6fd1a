// The bindings on their own, over plain Qt widgets and a window logic with no
// window: the store's changes reach the widget without echo and the user's go
// back; a radio group lays its items out in its columns; a grid shows its
// headings as headers, its cells in their colours and every cell in view;
// the logical colours read on a dark palette; the lengths grow with the font;
// an error that escapes the user's action goes to the error box.
#include "RecordingToolkit.h"

#include "app/Form.h"
#include "ui/bind/FontScale.h"
#include "ui/bind/GroupBoxBinding.h"
#include "ui/bind/LineEditBinding.h"
#include "ui/bind/PaletteColours.h"
#include "ui/bind/ReadableColour.h"
#include "ui/bind/TableWidgetBinding.h"
#include "ui/bind/WindowBinding.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPlatformSurfaceEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QWindow>
#include <QtTest>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace millcalc;

namespace {

// A field of the test's own, beside the window logic's.
Field testField(const char* name, FieldKind kind)
{
    Field field;
    field.name = name;
    field.kind = kind;
    return field;
}

// Two columns under one heading row, and one row of cells.
Field headedGrid(const char* name)
{
    Field field = testField(name, FieldKind::Grid);
    field.columns = 2;
    field.rows = 2;
    field.fixedRows = 1;
    return field;
}

QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    palette.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x2d));
    palette.setColor(QPalette::Button, QColor(0x2d, 0x2d, 0x2d));
    palette.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    palette.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    return palette;
}

// Counts the native windows made while it watches: each costs the window
// system round trips, at start-up among others.
class WindowCount : public QObject {
public:
    int made = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Told to the window and passed on to its widget: counted once.
        if (event->type() == QEvent::PlatformSurface && qobject_cast<QWindow*>(watched)
            && static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType()
                == QPlatformSurfaceEvent::SurfaceCreated)
            ++made;
        return QObject::eventFilter(watched, event);
    }
};

QPalette lightPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Window, QColor(0xef, 0xef, 0xef));
    palette.setColor(QPalette::Text, Qt::black);
    return palette;
}

} // namespace

class BindingsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aStoreWriteReachesTheFieldWithoutEcho();
    void typingReachesTheStore();
    void anErrorThatEscapesTypingGoesToTheErrorBox();
    void radioGroupLaysItsItemsOutInItsColumns_data();
    void radioGroupLaysItsItemsOutInItsColumns();
    void onlyANewChoiceRunsTheGroupsHandler();
    void gridShowsItsHeadingsAsHeadersAndEveryCell();
    void gridCellsTakeTheirLogicalColours();
    void aClippedCellSaysItsTextInItsTooltipInTheFontShown();
    void logicalColoursOnAPalette_data();
    void logicalColoursOnAPalette();
    void colourReadsOnWhatTheStylePaints_data();
    void colourReadsOnWhatTheStylePaints();
    void probingWhatTheStylePaintsMakesOneWindowALookUp();
    void recalledPaintsAreTakenWithoutDrawingAndDrawnAgainOnRecheck();
    void aRecalledLineThatIsNoneIsDrawnAfresh_data();
    void aRecalledLineThatIsNoneIsDrawnAfresh();
    void closeBoxAsksTheWindowLogicAndTheStoreHides();
    void lengthsGrowWithTheFontAndNeverShrink_data();
    void lengthsGrowWithTheFontAndNeverShrink();

private:
    // Binds the widget with the binding and passes the store's changes of
    // that field to it, as the binder does.
    template <typename TheBinding, typename Widget>
    TheBinding& bind(const char* name, Widget* widget)
    {
        const Field& field = form_->store().field(name);
        auto binding = std::make_unique<TheBinding>(*host_, field, widget);
        TheBinding& bound = *binding;
        bound.fill(field);
        bindings_.push_back(std::move(binding));
        form_->store().listen([this, name, &bound](const std::string& changed, Change change) {
            if (changed == name)
                bound.apply(form_->store().field(name), change);
        });
        return bound;
    }

    RecordingToolkit toolkit_;
    std::unique_ptr<Form> form_;
    std::unique_ptr<QWidget> root_;
    std::unique_ptr<BindingHost> host_;
    std::vector<std::unique_ptr<Binding>> bindings_;
};

void BindingsTest::init()
{
    toolkit_ = RecordingToolkit();
    form_ = std::make_unique<Form>(toolkit_);
    root_ = std::make_unique<QWidget>();
    host_ = std::make_unique<BindingHost>(BindingHost { *form_, root_.get(), root_.get() });
}

void BindingsTest::cleanup()
{
    bindings_.clear();
    host_.reset();
    root_.reset();
    form_.reset();
}

void BindingsTest::aStoreWriteReachesTheFieldWithoutEcho()
{
    form_->store().add(testField("TestEdit", FieldKind::TextField));
    auto* edit = new QLineEdit(root_.get());
    bind<LineEditBinding>("TestEdit", edit);
    int texts = 0;
    form_->store().listen([&texts](const std::string& name, Change change) {
        texts += name == "TestEdit" && change == Change::Text;
    });

    form_->store().setText("TestEdit", "12.5");

    QCOMPARE(edit->text(), QStringLiteral("12.5"));
    // The widget's own signal was blocked: the store heard its one write only.
    QCOMPARE(texts, 1);
}

void BindingsTest::typingReachesTheStore()
{
    form_->store().add(testField("TestEdit", FieldKind::TextField));
    auto* edit = new QLineEdit(root_.get());
    bind<LineEditBinding>("TestEdit", edit);

    QTest::keyClicks(edit, QStringLiteral("3,5"));

    QCOMPARE(form_->store().text("TestEdit"), std::string("3,5"));
    QVERIFY(toolkit_.boxes.empty());
}

void BindingsTest::anErrorThatEscapesTypingGoesToTheErrorBox()
{
    form_->store().add(testField("TestEdit", FieldKind::TextField));
    auto* edit = new QLineEdit(root_.get());
    bind<LineEditBinding>("TestEdit", edit);
    form_->store().listen([](const std::string& name, Change) {
        if (name == "TestEdit")
            throw std::runtime_error("не записано");
    });

    QTest::keyClick(edit, Qt::Key_7);

    QCOMPARE(toolkit_.boxes, std::vector<std::string> { "error|не записано" });
    QCOMPARE(edit->text(), QStringLiteral("7"));
}

void BindingsTest::radioGroupLaysItsItemsOutInItsColumns_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<QVariant>("columns"); // the group's property; none when invalid
    QTest::addColumn<QList<QPoint>>("places"); // (column, row) of each item

    QTest::newRow("no property: one column")
        << 3 << QVariant() << QList<QPoint> { { 0, 0 }, { 0, 1 }, { 0, 2 } };
    QTest::newRow("two columns, the first longer") << 5 << QVariant(2)
                                                   << QList<QPoint> {
                                                          { 0, 0 },
                                                          { 0, 1 },
                                                          { 0, 2 },
                                                          { 1, 0 },
                                                          { 1, 1 },
                                                      };
    QTest::newRow("as many columns as items")
        << 3 << QVariant(3) << QList<QPoint> { { 0, 0 }, { 1, 0 }, { 2, 0 } };
    QTest::newRow("more columns than items")
        << 2 << QVariant(4) << QList<QPoint> { { 0, 0 }, { 1, 0 } };
    QTest::newRow("zero columns count as one")
        << 2 << QVariant(0) << QList<QPoint> { { 0, 0 }, { 0, 1 } };
}

void BindingsTest::radioGroupLaysItsItemsOutInItsColumns()
{
    QFETCH(int, items);
    QFETCH(QVariant, columns);
    QFETCH(QList<QPoint>, places);
    Field field = testField("TestGroup", FieldKind::RadioGroup);
    for (int i = 0; i < items; ++i)
        field.items.push_back("вариант " + std::to_string(i));
    field.index = items - 1;
    form_->store().add(field);
    auto* group = new QGroupBox(root_.get());
    auto* layout = new QGridLayout(group);
    if (columns.isValid())
        group->setProperty(kColumnsProperty, columns);

    bind<GroupBoxBinding>("TestGroup", group);

    QCOMPARE(layout->count(), items);
    for (int i = 0; i < items; ++i) {
        int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
        layout->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(QPoint(column, row), places.at(i));
        auto* button = qobject_cast<QAbstractButton*>(layout->itemAt(i)->widget());
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("вариант %1").arg(i));
        QCOMPARE(button->isChecked(), i == items - 1);
    }
}

void BindingsTest::onlyANewChoiceRunsTheGroupsHandler()
{
    Field field = testField("TestGroup", FieldKind::RadioGroup);
    field.items = { "первый", "второй", "третий" };
    field.index = 0;
    form_->store().add(field);
    auto* group = new QGroupBox(root_.get());
    new QGridLayout(group);
    bind<GroupBoxBinding>("TestGroup", group);
    int changes = 0;
    form_->onChange("TestGroup", [&changes] { ++changes; });
    const QList<QAbstractButton*> buttons = group->findChildren<QAbstractButton*>();
    QCOMPARE(buttons.size(), 3);

    buttons.at(2)->click();
    QCOMPARE(form_->store().index("TestGroup"), 2);
    QCOMPARE(changes, 1);

    buttons.at(2)->click();
    QCOMPARE(changes, 1);
    QVERIFY(buttons.at(2)->isChecked());

    form_->store().setIndex("TestGroup", 1);
    QVERIFY(buttons.at(1)->isChecked());
    QVERIFY(!buttons.at(2)->isChecked());
    QCOMPARE(changes, 1);
}

void BindingsTest::gridShowsItsHeadingsAsHeadersAndEveryCell()
{
    // One heading row and one heading column around two rows of two cells.
    Field field = testField("TestGrid", FieldKind::Grid);
    field.columns = 3;
    field.rows = 3;
    field.fixedColumns = 1;
    field.fixedRows = 1;
    const std::string longWord = "Производительность";
    form_->store().add(field);
    form_->store().setGrid("TestGrid", 3, 3,
        { "", "Мощность, кВт", longWord + " станка", "1", "2.5", "3.0", "2", "4.5", "6.0" },
        std::vector<Rgb>(9, colours::Black));
    auto* table = new QTableWidget(root_.get());
    table->horizontalHeader()->setMinimumSectionSize(1);
    table->horizontalHeader()->setDefaultSectionSize(20);

    bind<TableWidgetBinding>("TestGrid", table);

    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Мощность, кВт"));
    QCOMPARE(table->verticalHeaderItem(1)->text(), QStringLiteral("2"));
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("6.0"));
    // A heading's longest word fits its column, so wrapping never cuts one.
    const QFontMetrics metrics = table->horizontalHeader()->fontMetrics();
    QVERIFY(table->columnWidth(1) > metrics.horizontalAdvance(QString::fromStdString(longWord)));
    // The grid is as large as its cells and headers: nothing to scroll.
    const int cellsWidth = table->columnWidth(0) + table->columnWidth(1);
    QVERIFY(table->width() >= cellsWidth + table->verticalHeader()->sizeHint().width());
    QVERIFY(table->height()
        >= table->rowHeight(0) + table->rowHeight(1) + table->horizontalHeader()->height());
    QCOMPARE(table->minimumSize(), table->maximumSize());

    // A longer heading widens its column again.
    const std::string longer = "Неразрывнаядлиннаястрокадляпроверки";
    form_->store().setCell("TestGrid", 1, 0, longer);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QString::fromStdString(longer));
    QVERIFY(table->columnWidth(0) > metrics.horizontalAdvance(QString::fromStdString(longer)));
    QVERIFY(table->width() >= table->columnWidth(0) + table->columnWidth(1));
}

void BindingsTest::gridCellsTakeTheirLogicalColours()
{
    form_->store().add(headedGrid("TestGrid"));
    form_->store().setGrid("TestGrid", 2, 2, { "n", "Pz", "1200", "350" },
        { colours::Black, colours::Black, colours::Green, colours::Black });
    auto* table = new QTableWidget(root_.get());
    table->setPalette(lightPalette());

    bind<TableWidgetBinding>("TestGrid", table);

    // On a light palette a colour is itself; black is the palette's own text.
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Pz"));
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("1200"));
    QCOMPARE(table->item(0, 0)->foreground().color(), QColor(0x00, 0x80, 0x00));
    QVERIFY(!table->item(0, 1)->data(Qt::ForegroundRole).isValid());

    table->setPalette(darkPalette());
    form_->store().setGrid("TestGrid", 2, 2, { "n", "Pz", "1200", "350" },
        { colours::Black, colours::Black, colours::Red, colours::Green });
    const QColor red = table->item(0, 0)->foreground().color();
    const QColor green = table->item(0, 1)->foreground().color();
    QVERIFY(contrastRatio(red, darkPalette().color(QPalette::Base)) >= 4.5);
    QVERIFY(contrastRatio(green, darkPalette().color(QPalette::Base)) >= 4.5);
    QCOMPARE(red.hslHue(), 0);
    QCOMPARE(green.hslHue(), 120);
}

// The binding measures each text once a font: the same texts written again
// in a larger font are measured again, and a cell cut short by its column
// says its whole text in its tooltip.
void BindingsTest::aClippedCellSaysItsTextInItsTooltipInTheFontShown()
{
    form_->store().add(headedGrid("TestGrid"));
    const std::vector<std::string> cells { "Станок", "Подбор", "ВС-5ВС №12", "t 5.0→2.5, i=2" };
    const std::vector<Rgb> black(4, colours::Black);
    auto* table = new QTableWidget(root_.get());
    table->setProperty(kScrollsSideways, true);
    bind<TableWidgetBinding>("TestGrid", table);
    form_->store().setGrid("TestGrid", 2, 2, cells, black);
    const QString name = QStringLiteral("ВС-5ВС №12");
    const QString fit = QStringLiteral("t 5.0→2.5, i=2");
    // Both texts fit their columns.
    table->setColumnWidth(0, table->fontMetrics().horizontalAdvance(name) + 10);
    table->setColumnWidth(1, table->fontMetrics().horizontalAdvance(fit) + 10);
    form_->store().setGrid("TestGrid", 2, 2, cells, black);
    QCOMPARE(table->item(0, 0)->toolTip(), QString());
    QCOMPARE(table->item(0, 1)->toolTip(), QString());

    // Thrice the size, in the same columns: both are cut short.
    QFont large = table->font();
    large.setPointSizeF(large.pointSizeF() * 3);
    table->setFont(large);
    form_->store().setGrid("TestGrid", 2, 2, cells, black);
    QCOMPARE(table->item(0, 0)->toolTip(), name);
    QCOMPARE(table->item(0, 1)->toolTip(), fit);

    // Back in the font they fit, they say nothing more.
    large.setPointSizeF(large.pointSizeF() / 3);
    table->setFont(large);
    form_->store().setGrid("TestGrid", 2, 2, cells, black);
    QCOMPARE(table->item(0, 0)->toolTip(), QString());
    QCOMPARE(table->item(0, 1)->toolTip(), QString());
}

void BindingsTest::logicalColoursOnAPalette_data()
{
    QTest::addColumn<uint>("logical");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QColor>("expected"); // invalid: lighter in its hue until it reads

    QTest::newRow("black on light is the text colour")
        << uint(colours::Black) << false << QColor(Qt::black);
    QTest::newRow("black on dark is the text colour")
        << uint(colours::Black) << true << QColor(0xee, 0xee, 0xee);
    QTest::newRow("green on light") << uint(colours::Green) << false << QColor(0x00, 0x80, 0x00);
    QTest::newRow("red on light") << uint(colours::Red) << false << QColor(0xff, 0x00, 0x00);
    QTest::newRow("navy on light") << uint(colours::Navy) << false << QColor(0x00, 0x00, 0x80);
    QTest::newRow("green on dark") << uint(colours::Green) << true << QColor();
    QTest::newRow("red on dark") << uint(colours::Red) << true << QColor();
    QTest::newRow("navy on dark") << uint(colours::Navy) << true << QColor();
    QTest::newRow("blue on dark") << uint(colours::Blue) << true << QColor();
    QTest::newRow("maroon on dark") << uint(colours::Maroon) << true << QColor();
    QTest::newRow("purple on dark") << uint(colours::Purple) << true << QColor();
    // Already readable on dark: kept as it is.
    QTest::newRow("yellow on dark") << uint(colours::Yellow) << true << QColor(0xff, 0xff, 0x00);
    QTest::newRow("lime on dark") << uint(colours::Lime) << true << QColor(0x00, 0xff, 0x00);
}

void BindingsTest::logicalColoursOnAPalette()
{
    QFETCH(uint, logical);
    QFETCH(bool, dark);
    QFETCH(QColor, expected);
    const QPalette palette = dark ? darkPalette() : lightPalette();
    QCOMPARE(isDarkPalette(palette), dark);

    const QColor shown = textColour(logical, palette);

    if (expected.isValid()) {
        QCOMPARE(shown, expected);
        return;
    }
    const QColor exact(
        int((logical >> 16) & 0xff), int((logical >> 8) & 0xff), int(logical & 0xff));
    QVERIFY(contrastRatio(exact, palette.color(QPalette::Base)) < 4.5);
    QVERIFY2(contrastRatio(shown, palette.color(QPalette::Base)) >= 4.5, qPrintable(shown.name()));
    QCOMPARE(shown.hslHue(), exact.hslHue());
    QVERIFY(shown.lightness() > exact.lightness());
}

void BindingsTest::colourReadsOnWhatTheStylePaints_data()
{
    QTest::addColumn<uint>("logical");
    QTest::addColumn<QString>("kind");
    QTest::newRow("green result") << uint(colours::Green) << QStringLiteral("result");
    QTest::newRow("red result") << uint(colours::Red) << QStringLiteral("result");
    QTest::newRow("blue result") << uint(colours::Blue) << QStringLiteral("result");
    QTest::newRow("navy log") << uint(colours::Navy) << QStringLiteral("log");
    QTest::newRow("blue machine label on a tab's page")
        << uint(colours::Blue) << QStringLiteral("tab page");
    QTest::newRow("maroon caption on a window")
        << uint(colours::Maroon) << QStringLiteral("window");
    QTest::newRow("red button text") << uint(colours::Red) << QStringLiteral("button");
}

void BindingsTest::colourReadsOnWhatTheStylePaints()
{
    QFETCH(uint, logical);
    QFETCH(QString, kind);
    // A window lighter than the fields: a caption computed against the
    // fields' base would not read on it.
    const QPalette palette = darkPalette();
    QPalette::ColorRole role = QPalette::Text;
    std::unique_ptr<QWidget> widget;
    if (kind == QLatin1String("result")) {
        auto* edit = new QLineEdit;
        edit->setReadOnly(true);
        widget.reset(edit);
    } else if (kind == QLatin1String("log")) {
        auto* log = new QPlainTextEdit;
        log->setReadOnly(true);
        widget.reset(log);
    } else if (kind == QLatin1String("tab page")) {
        auto* tabs = new QTabWidget;
        tabs->addTab(new QLabel, QStringLiteral("page"));
        widget.reset(tabs);
        role = QPalette::WindowText;
    } else if (kind == QLatin1String("window")) {
        widget = std::make_unique<QLabel>();
        widget->setAutoFillBackground(true);
        role = QPalette::WindowText;
    } else {
        widget = std::make_unique<QPushButton>();
        role = QPalette::ButtonText;
    }
    widget->setPalette(palette);
    widget->resize(160, 120);
    widget->setAttribute(Qt::WA_DontShowOnScreen);
    widget->show();
    const QImage image = widget->grab().toImage();
    const QColor under = image.pixelColor(image.rect().center());
    const QColor shown = textColour(logical, palette, role);

    QVERIFY2(contrastRatio(shown, under) >= 4.5,
        qPrintable(shown.name() + QStringLiteral(" on ") + under.name()));
    // What the rule computed against is what this kind paints, or a lighter
    // face of another kind that shows the same texts.
    const QColor painted = paintedBackground(palette, role);
    QVERIFY2(
        relativeLuminance(painted.rgb() & 0xffffffu) >= relativeLuminance(under.rgb() & 0xffffffu),
        qPrintable(painted.name() + QStringLiteral(" for ") + under.name()));
    QVERIFY(qAbs(shown.hslHue() - QColor(QRgb(0xff000000u | logical)).hslHue()) <= 2);
}

void BindingsTest::probingWhatTheStylePaintsMakesOneWindowALookUp()
{
    // A palette no look-up has seen, so that each role is probed afresh.
    QPalette palette = darkPalette();
    palette.setColor(QPalette::Base, QColor(0x12, 0x14, 0x16));
    WindowCount windows;
    qApp->installEventFilter(&windows);
    const QColor text = paintedBackground(palette, QPalette::Text);
    const QColor caption = paintedBackground(palette, QPalette::WindowText);
    const QColor button = paintedBackground(palette, QPalette::ButtonText);
    qApp->removeEventFilter(&windows);
    // Eight probes drawn in two looks for the three roles, in one hidden
    // window a role, not one each; and they drew.
    QCOMPARE(windows.made, 3);
    QCOMPARE(text, QColor(0x12, 0x14, 0x16));
    QVERIFY(caption.lightness() >= darkPalette().color(QPalette::Window).lightness());
    QVERIFY(button.lightness() >= darkPalette().color(QPalette::Button).lightness());
    // Asked again, the answer is known: no window at all.
    qApp->installEventFilter(&windows);
    QCOMPARE(paintedBackground(palette, QPalette::Text), text);
    qApp->removeEventFilter(&windows);
    QCOMPARE(windows.made, 3);
}

// A palette no look-up of this run has seen: its fields in a colour of
// their own.
QPalette unseenPalette(int field)
{
    QPalette palette = darkPalette();
    palette.setColor(QPalette::Base, QColor(0x20, 0x08, field));
    return palette;
}

// The key an earlier run would have kept the palette's fields under: the key
// this run found for a seen one, its field colour (a face of the key) put in.
QString keptKeyFor(const QPalette& unseen)
{
    const QPalette seen = unseenPalette(0);
    paintedBackground(seen, QPalette::Text);
    const QString seenField = QString::number(seen.color(QPalette::Base).rgba(), 16);
    const QString unseenField = QString::number(unseen.color(QPalette::Base).rgba(), 16);
    for (const QString& line : paintedBackgroundsFound()) {
        if (line.startsWith(QString::number(QPalette::Text) + QLatin1Char('_'))
            && line.contains(seenField))
            return line.left(line.lastIndexOf(QLatin1Char('='))).replace(seenField, unseenField);
    }
    return QString();
}

QString keptLineFor(const QPalette& unseen, const QString& colour)
{
    return keptKeyFor(unseen) + QLatin1Char('=') + colour;
}

void BindingsTest::recalledPaintsAreTakenWithoutDrawingAndDrawnAgainOnRecheck()
{
    // What a run that saw this desktop found, here made wrong: a start takes
    // it as it is, drawing nothing.
    const QPalette palette = unseenPalette(1);
    const QString recalled = keptLineFor(palette, QStringLiteral("#ffffff"));
    QVERIFY(!recalled.isEmpty());
    // And one of a palette this run never asks for.
    const QString other = keptLineFor(unseenPalette(2), QStringLiteral("#101010"));
    recallPaintedBackgrounds({ recalled, other });
    WindowCount windows;
    qApp->installEventFilter(&windows);
    QCOMPARE(paintedBackground(palette, QPalette::Text), QColor(Qt::white));
    qApp->removeEventFilter(&windows);
    QCOMPARE(windows.made, 0);
    // A blue drawn on it as on white: itself, too dark for the field really
    // painted.
    const QColor onRecalled = textColour(colours::Blue, palette);
    QCOMPARE(onRecalled, QColor(Qt::blue));

    // Drawn again, the style's own colour replaces it, and the change is told.
    QVERIFY(recheckPaintedBackgrounds());
    const QColor drawn = paintedBackground(palette, QPalette::Text);
    QCOMPARE(drawn, QColor(0x20, 0x08, 1));
    QVERIFY(textColour(colours::Blue, palette) != onRecalled);
    QVERIFY(contrastRatio(textColour(colours::Blue, palette), drawn) >= 4.5);
    // Nothing is left to draw again.
    QVERIFY(!recheckPaintedBackgrounds());
    // What is kept for the next run: what this run drew, not the line of a
    // palette it never asked for.
    const QStringList found = paintedBackgroundsFound();
    QVERIFY(found.contains(
        recalled.left(recalled.lastIndexOf(QLatin1Char('=')) + 1) + QStringLiteral("#200801")));
    QVERIFY(!found.contains(other));
    // Asked for after a recheck, it is drawn again by the next.
    QCOMPARE(paintedBackground(unseenPalette(2), QPalette::Text), QColor(0x10, 0x10, 0x10));
    QVERIFY(recheckPaintedBackgrounds());
    QCOMPARE(paintedBackground(unseenPalette(2), QPalette::Text), QColor(0x20, 0x08, 2));
    // What this run drew stands against a line recalled after it.
    recallPaintedBackgrounds({ keptLineFor(palette, QStringLiteral("#000000")) });
    QCOMPARE(paintedBackground(palette, QPalette::Text), drawn);
}

void BindingsTest::aRecalledLineThatIsNoneIsDrawnAfresh_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("tail");
    QTest::newRow("a colour by name") << 3 << QStringLiteral("=skyblue");
    QTest::newRow("short") << 4 << QStringLiteral("=#12345");
    QTest::newRow("not hexadecimal") << 5 << QStringLiteral("=#12345g");
    QTest::newRow("with its alpha") << 6 << QStringLiteral("=#ff123456");
    QTest::newRow("no colour") << 7 << QStringLiteral("=");
    QTest::newRow("no equals sign") << 8 << QString();
    QTest::newRow("space in the key") << 9 << QStringLiteral(" x=#123456");
}

void BindingsTest::aRecalledLineThatIsNoneIsDrawnAfresh()
{
    QFETCH(int, field);
    QFETCH(QString, tail);
    const QPalette palette = unseenPalette(field);
    const QString key = keptKeyFor(palette);
    QVERIFY(!key.isEmpty());
    recallPaintedBackgrounds({ key + tail });
    WindowCount windows;
    qApp->installEventFilter(&windows);
    QCOMPARE(paintedBackground(palette, QPalette::Text), QColor(0x20, 0x08, field));
    qApp->removeEventFilter(&windows);
    QCOMPARE(windows.made, 1);
}

void BindingsTest::closeBoxAsksTheWindowLogicAndTheStoreHides()
{
    Field field = testField("TestWindow", FieldKind::Window);
    field.text = "Номограмма";
    field.visible = false;
    form_->store().add(field);
    auto* window = new QWidget(root_.get(), Qt::Window);
    bind<WindowBinding>("TestWindow", window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Номограмма"));
    form_->store().setVisible("TestWindow", true);
    QVERIFY(window->isVisible());

    // The close box asks the window logic, which hides the field: the store's
    // change, not the close event, hides the window.
    QVERIFY(!window->close());
    QVERIFY(!form_->store().visible("TestWindow"));
    QVERIFY(!window->isVisible());

    // An empty title stays empty instead of Qt's program name.
    form_->store().setText("TestWindow", "");
    QCOMPARE(window->windowTitle(), QStringLiteral(" "));
}

void BindingsTest::lengthsGrowWithTheFontAndNeverShrink_data()
{
    QTest::addColumn<int>("fontPixels");
    QTest::addColumn<int>("design");
    QTest::addColumn<int>("laid");
    QTest::addColumn<QSize>("laidSize"); // of 20 x 10

    QTest::newRow("the standard font") << 12 << 80 << 80 << QSize(20, 10);
    QTest::newRow("half as large again") << 18 << 80 << 120 << QSize(30, 15);
    QTest::newRow("twice as large") << 24 << 80 << 160 << QSize(40, 20);
    QTest::newRow("rounded to the pixel") << 13 << 20 << 22 << QSize(22, 11);
    QTest::newRow("a smaller font keeps the design") << 8 << 80 << 80 << QSize(20, 10);
}

void BindingsTest::lengthsGrowWithTheFontAndNeverShrink()
{
    QFETCH(int, fontPixels);
    QFETCH(int, design);
    QFETCH(int, laid);
    QFETCH(QSize, laidSize);
    const QFont standard = QApplication::font();
    QFont font = standard;
    font.setPixelSize(fontPixels);
    QApplication::setFont(font);
    QCOMPARE(QFontInfo(QApplication::font()).pixelSize(), fontPixels);

    const int length = fromFont(design);
    const QSize size = fromFont(QSize(20, 10));

    QApplication::setFont(standard);
    QCOMPARE(length, laid);
    QCOMPARE(size, laidSize);
}

QTEST_MAIN(BindingsTest)
#include "BindingsTest.moc"
