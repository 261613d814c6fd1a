// The desktop program over the window logic: each widget shows its field and
// hands the user's actions back, commands reach the core, boxes appear.
#include "BinderProbe.h"
#include "DesktopHarness.h"
#include "RecordingToolkit.h"

#include "app/FieldCaptions.h"
#include "shell/FormMain.h"
#include "shell/WindowPanels.h"
#include "ui/Desktop.h"
#include "ui/MainWindow.h"
#include "ui/StaleMarks.h"
#include "ui/StartUp.h"
#include "ui/bind/Binding.h"
#include "ui/bind/PaletteColours.h"
#include "ui/pages/WidgetKit.h"
#include "ui/pictures/PictureLabel.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

using namespace millcalc;

namespace {

// Counts the paint events a widget gets.
class PaintCount : public QObject {
public:
    // look, where given, tells what each paint shows, kept in looks.
    explicit PaintCount(QWidget* widget, std::function<QString()> look = {})
        : look_(std::move(look))
    {
        widget->installEventFilter(this);
    }
    int paints = 0;
    QStringList looks;

    // Waits until a spell of 150 ms passes without a paint (at most 3 s): a
    // slow machine, or a sanitized build, may still be painting what came
    // before, and a fixed wait would count that too, or miss what follows.
    void settle()
    {
        QElapsedTimer waited;
        waited.start();
        int before = -1;
        while (paints != before && waited.elapsed() < 3000) {
            before = paints;
            QTest::qWait(150);
        }
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            if (look_)
                looks << look_();
        }
        return false;
    }

private:
    std::function<QString()> look_;
};

// A menu line as the user reads it; a null name is a separator.
struct MenuLine {
    const char* name;
    const char* caption;
};

constexpr MenuLine kHelpMenu[] = {
    { nullptr, nullptr },
    { "NMesWin", "Показывать 'Окно сообщений'" },
    { nullptr, nullptr },
    { "N8", "Схема параметров.." },
    { nullptr, nullptr },
    { "N22", "Панель: Материалы" },
    { "N21", "Панель: Формулы (Алюминий)" },
    { "N23", "Панель: Температуры (Алюминий)" },
    { "N27", "Панель: Сравнение станков" },
    { "NResetLayout", "Восстановить расположение окон" },
    { nullptr, nullptr },
    { "N25", "Литература" },
    { nullptr, nullptr },
    { "N10", "Об авторах.." },
};

constexpr MenuLine kContextMenu[] = {
    { "N14", "Выполнить Расчет" },
    { "N16", "Номограмма" },
    { "N2", "Автозаполнение" },
    { nullptr, nullptr },
    { "N19", "Панель: Материалы" },
    { "N18", "Панель: Формулы (Алюминий)" },
    { "N24", "Панель: Температуры (Алюминий)" },
    { "N28", "Панель: Сравнение станков" },
    { nullptr, nullptr },
    { "N13", "Показать окно сообщений" },
    { nullptr, nullptr },
    { "N1", "Об авторах" },
    { nullptr, nullptr },
    { "N4", "Закрыть" },
};

template <std::size_t N>
void compareMenu(const QList<QAction*>& actions, const MenuLine (&expected)[N])
{
    QCOMPARE(actions.size(), static_cast<qsizetype>(N));
    for (std::size_t i = 0; i < N; ++i) {
        const QAction* action = actions[static_cast<qsizetype>(i)];
        if (!expected[i].name) {
            QVERIFY2(action->isSeparator(), qPrintable(QStringLiteral("line %1").arg(i)));
            continue;
        }
        QCOMPARE(action->objectName(), QString::fromUtf8(expected[i].name));
        // As the user reads it: the "&" only underlines the letter of the item.
        QCOMPARE(QString(action->text()).remove(QLatin1Char('&')),
            QString::fromUtf8(expected[i].caption));
        QVERIFY2(action->text().count(QLatin1Char('&')) == 1, qPrintable(action->text()));
    }
}

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyControlHasAWidgetOfItsName();
    void everyInputCaptionComesFromTheTableOfCaptions();
    void typingIntoAnEditableListReachesTheStore();
    void typedDecimalCommaStaysAsTypedAndReadsAsAPoint();
    void aStoreWriteReachesTheWidget();
    void aResultColourReachesTheField();
    void resultColoursReadOnADarkPaletteInTheirOwnHue_data();
    void resultColoursReadOnADarkPaletteInTheirOwnHue();
    void aPaletteChangeRecoloursTheResults();
    void calculateShowsTheResultsWindow();
    void enterOnTheFocusedCalculateButtonRunsTheCalculation();
    void pickingAResultPageSwitchesTheInputPageAndTheTitle();
    void blankResultPageLeavesNoInputPageAndCalculateSaysNothing();
    void mainMenuHasEveryItemInOrder();
    void contextMenuHasEveryItemInOrder();
    void messageWindowSwitchFollowsTheStore();
    void closeBoxHidesAPanelThroughTheStore();
    void everySidePanelIsADockThatItsMenuLinesShow();
    void logLinesReachTheLogWindowAndClearEmptiesIt();
    void correctedFieldTakesTheFocusWithItsTextSelected();
    void radioGroupClickMovesTheForceHighlight();
    void gridCellSelectionDescribesTheRowInTheGroupColour();
    void copyBackPictureIsClickable();
    void splashIsShownUntilItIsClosed();
    void clickOnTheCheckedGroupButtonLeavesTheGridAlone();
    void closingTheMainWindowEndsTheProgram();
    void startUpErrorIsShownAndEndsWithFailure();
    void aSessionBusIsNamedByItsAddressOrItsSocket_data();
    void aSessionBusIsNamedByItsAddressOrItsSocket();
    void pickFromADropDownListRunsItsChangeStep();
    void pictureFollowsItsImageListIndex();
    void gridHeadingsAreNeverClipped();
    void machinesPanelFollowsTheMethodInColourAndPicksAMachine();
    void fitButtonsAndResultsMenuFitEachMethod();
    void theSelectedMachinesRedReadsOnItsHighlight();
    void aTextOnAHighlightKeepsItsHueAndReads();
    void theMachineColumnStaysWhileTheSharesScroll();
    void theInputsKeepOneWidthForEveryMethod();
    void aShortScreenKeepsOneWidthWhereEveryPageFits_data();
    void aShortScreenKeepsOneWidthWhereEveryPageFits();
    void aChangedInputMarksTheResultsStaleUntilCalculated();
    void aStaleComparisonRefreshedIsPaintedOnce_data();
    void aStaleComparisonRefreshedIsPaintedOnce();
    void aCutCellOfTheComparisonReadsWholeInItsTooltip();

private:
    template <typename T> T* find(const char* name) const
    {
        QObject* object = controlOf(*desktop_, name);
        T* typed = qobject_cast<T*>(object);
        if (!typed)
            qFatal("no widget %s of the expected type", name);
        return typed;
    }

    std::unique_ptr<RecordingToolkit> toolkit_;
    std::unique_ptr<FormMain> form_;
    std::unique_ptr<Desktop> desktop_;
    QPalette palette_; // the desktop's, put back after a test that changed it
};

void DesktopTest::init()
{
    palette_ = QApplication::palette();
    toolkit_ = std::make_unique<RecordingToolkit>();
    form_ = std::make_unique<FormMain>(*toolkit_);
    form_->start();
    desktop_ = std::make_unique<Desktop>(*form_);
    desktop_->show();
}

void DesktopTest::cleanup()
{
    desktop_.reset();
    form_.reset();
    toolkit_.reset();
    QApplication::setPalette(palette_);
}

void DesktopTest::everyControlHasAWidgetOfItsName()
{
    QCOMPARE(missingControls(*desktop_, form_->store()), QStringList());
    for (const auto& [name, field] : form_->store().fields()) {
        QObject* object = controlOf(*desktop_, name);
        QVERIFY2(object, name.c_str());
        QCOMPARE(object->objectName(), qs(name));
    }
}

// The captions of the inputs on the input pages and the panels are the table's
// (app/FieldCaptions.h): each label beside an input names it as its buddy and
// shows the table's text, every input the table gives a caption has one, and
// no other text stands on the input pages and the formula panel but a
// heading. A label that names a result as its buddy shows the result's text.
void DesktopTest::everyInputCaptionComesFromTheTableOfCaptions()
{
    std::vector<const FieldCaption*> inputs;
    for (const Method& method : methods()) {
        for (const FieldCaption& entry : method.inputs)
            inputs.push_back(&entry);
        for (const CoefficientGroup& group : method.coefficients) {
            for (const FieldCaption& entry : group.coefficients)
                inputs.push_back(&entry);
        }
    }
    const QStringList headings { QStringLiteral("Коэф. материала:") };
    QHash<QString, QList<QLabel*>> labelsOf;
    for (const char* name :
        { "TabSheet1", "TabSheet2", "TabSheet3", "PanelFormulaAl", "PanelCalc" }) {
        QWidget* window = desktop_->window(name);
        QVERIFY2(window, name);
        const bool inputsOnly = QByteArray(name) != "PanelCalc";
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (QWidget* buddy = label->buddy()) {
                labelsOf[buddy->objectName()].append(label);
                continue;
            }
            // The results' captions, a control's own text, a picture.
            if (!inputsOnly || !label->objectName().isEmpty() || label->text().isEmpty())
                continue;
            QVERIFY2(headings.contains(label->text()),
                qPrintable(QStringLiteral("%1: \"%2\" names no field").arg(name, label->text())));
        }
    }
    int captioned = 0;
    for (const FieldCaption* entry : inputs) {
        const QList<QLabel*> labels = labelsOf.take(QString::fromUtf8(entry->field));
        if (!entry->pageLabel) {
            QVERIFY2(labels.isEmpty(), entry->field);
            continue;
        }
        QVERIFY2(labels.size() == 1, entry->field);
        QCOMPARE(labels[0]->text(), caption(entry->pageLabel));
        QCOMPARE(labels[0]->buddy(), qobject_cast<QWidget*>(controlOf(*desktop_, entry->field)));
        ++captioned;
    }
    int results = 0;
    for (const Method& method : methods()) {
        for (const FieldCaption& entry : method.results) {
            const QList<QLabel*> labels = labelsOf.take(QString::fromUtf8(entry.field));
            if (labels.isEmpty())
                continue;
            QVERIFY2(entry.pageLabel != nullptr && labels.size() == 1, entry.field);
            QCOMPARE(labels[0]->text(), caption(entry.pageLabel));
            ++results;
        }
    }
    // Every result with a caption on its page: 6 Walter (its group's title
    // names each other one), 14 aluminium and 12 titanium.
    QCOMPARE(results, 32);
    // No label names a field that is neither an input nor a result.
    QVERIFY2(labelsOf.isEmpty(), qPrintable(labelsOf.keys().join(QLatin1Char(' '))));
    // 15 Walter, 10 aluminium and 12 titanium inputs, 19 coefficients.
    QCOMPARE(captioned, 56);
}

void DesktopTest::typingIntoAnEditableListReachesTheStore()
{
    auto* diameter = find<QComboBox>("BaseD");
    QCOMPARE(diameter->currentText(), QStringLiteral("25.0"));
    diameter->lineEdit()->selectAll();
    QTest::keyClicks(diameter->lineEdit(), QStringLiteral("11"));
    QCOMPARE(form_->store().text("BaseD"), std::string("11"));
    QCOMPARE(diameter->count(), 22); // a typed value is not added to the list

    diameter->setCurrentIndex(-1);
    emit diameter->activated(13); // the user picks "25" from the list
    QCOMPARE(form_->store().text("BaseD"), std::string("25"));
    QCOMPARE(form_->store().index("BaseD"), 13);
}

void DesktopTest::typedDecimalCommaStaysAsTypedAndReadsAsAPoint()
{
    auto* width = find<QLineEdit>("BaseB");
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("12,5"));
    // The text is the value: no locale turns the comma into anything else.
    QCOMPARE(form_->store().text("BaseB"), std::string("12,5"));
    QCOMPARE(width->text(), QStringLiteral("12,5"));
    // The comma of a Russian keypad is read as the decimal point: 12.5 · 5 · 4048.90 / 1000.
    QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    QCOMPARE(find<QLineEdit>("EditStQ")->text(), QStringLiteral("253.05625"));
    QCOMPARE(width->text(), QStringLiteral("12,5"));
}

void DesktopTest::aStoreWriteReachesTheWidget()
{
    form_->store().setText("EditStn", "13496.339");
    QCOMPARE(find<QLineEdit>("EditStn")->text(), QStringLiteral("13496.339"));
    form_->store().setText("BaseTiD", "40");
    QCOMPARE(find<QComboBox>("BaseTiD")->currentText(), QStringLiteral("40"));
    form_->store().setIndex("ComboBoxTkpd", 3);
    QCOMPARE(find<QComboBox>("ComboBoxTkpd")->currentText(), QStringLiteral("0.85"));
    form_->store().setItems("EditV", { "2296.103", "751.968" });
    form_->store().setIndex("EditV", 1);
    QCOMPARE(find<QComboBox>("EditV")->count(), 2);
    QCOMPARE(find<QComboBox>("EditV")->currentText(), QStringLiteral("751.968"));
    form_->store().setEnabled("EditStKc", false);
    QVERIFY(!find<QLineEdit>("EditStKc")->isEnabled());
    form_->store().setText("StaticTextStMaterial", "Сталь (P)");
    QCOMPARE(find<QLabel>("StaticTextStMaterial")->text(), QStringLiteral("Сталь (P)"));
    QVERIFY(find<QLineEdit>("EditStVc")->isReadOnly());
    QVERIFY(!find<QLineEdit>("EditStn")->isReadOnly());
}

namespace {

QPalette darkPalette()
{
    // The fields and windows of Adwaita's dark variant.
    QPalette dark(QColor(0xf0, 0xf0, 0xf0), QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    dark.setColor(QPalette::Text, QColor(0xff, 0xff, 0xff));
    dark.setColor(QPalette::WindowText, QColor(0xff, 0xff, 0xff));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    return dark;
}

// Where a widget draws its text, or the picture of a button that shows one
// instead: in which widget (a text box draws in its viewport) and where in it;
// nothing for a widget that draws neither.
struct Ink {
    QRect rect;
    bool picture = false;
    QWidget* canvas = nullptr; // the widget itself where null
};

std::optional<Ink> inkOf(QWidget* widget)
{
    const QStyle* style = widget->style();
    const auto textIn = [widget](const QRect& area, Qt::Alignment align, const QString& text) {
        return widget->style()->itemTextRect(
                   widget->fontMetrics(), area, static_cast<int>(align), true, text)
            & area;
    };
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty())
            return std::nullopt;
        return Ink { textIn(label->contentsRect(), label->alignment(), label->text()) };
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text().isEmpty())
            return std::nullopt;
        return Ink { edit->rect().adjusted(3, 3, -3, -3) };
    }
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        if (memo->toPlainText().isEmpty())
            return std::nullopt;
        return Ink { memo->viewport()->rect(), false, memo->viewport() };
    }
    if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        if (box->title().isEmpty())
            return std::nullopt;
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.textAlignment = box->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        return Ink { style->subControlRect(
            QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box) };
    }
    // Qt's own buttons (a dock's title bar) draw the style's pictures.
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (!button || button->objectName().startsWith(QLatin1String("qt_")))
        return std::nullopt;
    if (qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button)) {
        if (button->text().isEmpty())
            return std::nullopt;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool radio = qobject_cast<QRadioButton*>(button);
        return Ink { style->subElementRect(
            radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option,
            button) };
    }
    if (!button->text().isEmpty())
        return Ink { textIn(button->rect(), Qt::AlignCenter, button->text()) };
    if (button->icon().isNull())
        return std::nullopt;
    QRect picture(QPoint(), button->iconSize());
    picture.moveCenter(button->rect().center());
    return Ink { picture, true };
}

// What a text or a button's picture looks like on the screen: the commonest
// colour of its place, and the colour that stands out most from that (the
// cores of the glyphs, which anti-aliasing leaves whole).
struct Seen {
    QColor ink;
    QColor background;
    QImage picture; // a button's picture as its icon gives it
    bool enabled = true;
};

Seen seenIn(const QImage& shot, const QRect& area)
{
    const InkOnField read = inkOnField(shot, area);
    Seen seen;
    seen.ink = read.ink;
    seen.background = read.field;
    return seen;
}

QString describe(QWidget* widget)
{
    QString name = widget->objectName();
    if (name.isEmpty())
        name = widget->property("text").toString().left(24);
    QWidget* named = widget->parentWidget();
    while (named && named->objectName().isEmpty())
        named = named->parentWidget();
    return QStringLiteral("%1/%2 (%3 %4)")
        .arg(named ? named->objectName() : QString(), name,
            QString::fromUtf8(widget->metaObject()->className()))
        .arg(quintptr(widget), 0, 16);
}

// Every text and button picture of the main window and its docks as the
// screen shows it, each method's pages in turn and each dock on top in turn;
// a widget counts where it is first shown whole.
QHash<QString, Seen> inksOnScreen(QMainWindow* main)
{
    QHash<QString, Seen> seen;
    auto* methods = main->findChild<QTabWidget*>(QStringLiteral("PageControlMethods"));
    const QList<QDockWidget*> docks = main->findChildren<QDockWidget*>();
    for (int page = 0; page < 3; ++page) {
        methods->tabBar()->setCurrentIndex(page);
        for (QDockWidget* dock : docks) {
            dock->raise();
            QCoreApplication::processEvents();
            QHash<QWidget*, QImage> shots;
            for (QWidget* widget : main->findChildren<QWidget*>()) {
                const std::optional<Ink> ink = inkOf(widget);
                QWidget* canvas = ink && ink->canvas ? ink->canvas : widget;
                if (!ink || !widget->isVisible() || ink->rect.isEmpty()
                    || !canvas->visibleRegion().contains(ink->rect))
                    continue;
                const QString key = describe(widget);
                if (seen.contains(key))
                    continue;
                QWidget* window = widget->window();
                if (!shots.contains(window))
                    shots.insert(window, window->grab().toImage());
                const QImage& shot = shots[window];
                const qreal ratio = shot.devicePixelRatio();
                Seen& it = seen[key];
                it = seenIn(shot,
                    QRect(canvas->mapTo(window, ink->rect.topLeft()) * ratio,
                        ink->rect.size() * ratio));
                it.enabled = widget->isEnabled();
                if (ink->picture) {
                    auto* button = static_cast<QAbstractButton*>(widget);
                    it.picture = button->icon().pixmap(button->iconSize()).toImage();
                }
            }
        }
    }
    methods->tabBar()->setCurrentIndex(0);
    return seen;
}

} // namespace

void DesktopTest::resultColoursReadOnADarkPaletteInTheirOwnHue_data()
{
    QTest::addColumn<quint32>("logical");
    QTest::addColumn<int>("role");
    QTest::newRow("green result") << quint32(colours::Green) << int(QPalette::Text);
    QTest::newRow("red result") << quint32(colours::Red) << int(QPalette::Text);
    QTest::newRow("blue temperature") << quint32(colours::Blue) << int(QPalette::Text);
    QTest::newRow("navy log") << quint32(colours::Navy) << int(QPalette::Text);
    QTest::newRow("blue machine label") << quint32(colours::Blue) << int(QPalette::WindowText);
    QTest::newRow("maroon group") << quint32(colours::Maroon) << int(QPalette::WindowText);
    QTest::newRow("olive group") << quint32(colours::Olive) << int(QPalette::WindowText);
    QTest::newRow("purple group") << quint32(colours::Purple) << int(QPalette::WindowText);
}

void DesktopTest::resultColoursReadOnADarkPaletteInTheirOwnHue()
{
    QFETCH(quint32, logical);
    QFETCH(int, role);
    const auto colourRole = static_cast<QPalette::ColorRole>(role);
    const QColor exact = qtColour(logical);
    // A light palette shows the colour itself.
    QCOMPARE(textColour(logical, QPalette(Qt::black, Qt::white), colourRole), exact);
    const QPalette dark = darkPalette();
    const QColor shown = textColour(logical, dark, colourRole);
    const QColor field
        = dark.color(colourRole == QPalette::Text ? QPalette::Base : QPalette::Window);
    QVERIFY2(contrastRatio(shown, field) >= 4.5, qPrintable(shown.name()));
    QVERIFY(shown.lightness() > exact.lightness());
    QVERIFY(qAbs(shown.hslHue() - exact.hslHue()) <= 2);
    // Black is the palette's own text.
    QCOMPARE(textColour(colours::Black, dark, colourRole), dark.color(colourRole));
}

void DesktopTest::aPaletteChangeRecoloursTheResults()
{
    form_->ResultColour("EditStn", colours::Green);
    form_->ResultColour("EditStVc", colours::Red);
    form_->ResultColour("EditStQ", colours::Blue);
    // Every dock shown, the log with a line in it; two of them float, windows
    // of their own that hear of a new palette apart from the main window.
    for (const char* dock : { "PanelCalc", "FormMessage", "PanelFormulaAl", "PanelStMaterial",
             "PanelTemp", "PanelMachines" })
        form_->store().setVisible(dock, true);
    form_->LogMessage("Превышение числа оборотов");
    auto* main = qobject_cast<QMainWindow*>(desktop_->window("FormMain"));
    QVERIFY(QTest::qWaitForWindowExposed(main));
    for (const char* floating : { "FormMessage", "PanelStMaterial" }) {
        auto* dock = qobject_cast<QDockWidget*>(desktop_->window(floating));
        dock->setFloating(true);
        QVERIFY(QTest::qWaitForWindowExposed(dock));
    }
    const QHash<QString, Seen> light = inksOnScreen(main);
    QVERIFY(light.size() > 100);
    // The log, a panel's radio buttons, the step buttons' pictures among them.
    for (const char* name : { "ElFlatMemoMes", "RadioButton1", "BitBtn1fz", "BitBtnHelp" })
        QVERIFY2(std::any_of(light.keyBegin(), light.keyEnd(),
                     [name](const QString& key) {
                         return key.contains(
                             QLatin1Char('/') + QString::fromUtf8(name) + QLatin1Char(' '));
                     }),
            name);
    const QPalette lightPalette = QApplication::palette();

    // The windows take a new palette once the event loop runs.
    auto* speed = find<QLineEdit>("EditStn");
    QApplication::setPalette(darkPalette());
    QTRY_COMPARE(speed->palette().color(QPalette::Text), textColour(colours::Green, darkPalette()));
    QVERIFY(qAbs(speed->palette().color(QPalette::Text).hslHue() - 120) <= 2);
    for (const auto& [name, logical] : { std::pair { "EditStn", colours::Green },
             std::pair { "EditStVc", colours::Red }, std::pair { "EditStQ", colours::Blue } })
        QCOMPARE(find<QLineEdit>(name)->palette().color(QPalette::Text),
            textColour(logical, darkPalette()));
    // Every text reads and every button's picture is drawn anew; a disabled
    // control need not read (nor does it on a light palette). A picture's
    // contrast is not measured: the face it stands on shifts with hover.
    int unreadable = 0;
    const QHash<QString, Seen> dark = inksOnScreen(main);
    for (auto it = dark.constBegin(); it != dark.constEnd(); ++it) {
        const Seen& shown = it.value();
        const double contrast = contrastRatio(shown.ink, shown.background);
        const bool stale
            = !shown.picture.isNull() && shown.picture == light.value(it.key()).picture;
        const double least = shown.enabled && shown.picture.isNull() ? 4.5 : 1.0;
        if (stale || contrast < least) {
            ++unreadable;
            qWarning("%s: %s on %s (%.1f:1)%s", qPrintable(it.key()), qPrintable(shown.ink.name()),
                qPrintable(shown.background.name()), contrast,
                stale ? ", the picture unchanged" : "");
        }
    }
    QCOMPARE(unreadable, 0);
    // The store keeps the logical colour.
    QCOMPARE(form_->store().field("EditStn").colour, colours::Green);

    QApplication::setPalette(lightPalette);
    QTRY_COMPARE(speed->palette().color(QPalette::Text), QColor(0, 128, 0));
    QCOMPARE(find<QLineEdit>("EditStVc")->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(find<QLineEdit>("EditStQ")->palette().color(QPalette::Text), QColor(0, 0, 255));
    // Back on the light palette, every text and picture is drawn as before
    // (the fields under them may differ where the pointer rests).
    int changed = 0;
    const QHash<QString, Seen> again = inksOnScreen(main);
    for (auto it = light.constBegin(); it != light.constEnd(); ++it) {
        const Seen& before = it.value();
        const Seen& after = again.value(it.key());
        if (after.ink != before.ink || after.picture != before.picture) {
            ++changed;
            qWarning("%s: %s on %s, was %s on %s", qPrintable(it.key()),
                qPrintable(after.ink.name()), qPrintable(after.background.name()),
                qPrintable(before.ink.name()), qPrintable(before.background.name()));
        }
    }
    QCOMPARE(changed, 0);
}

void DesktopTest::aResultColourReachesTheField()
{
    form_->ResultColour("EditStn", colours::Red);
    QCOMPARE(find<QLineEdit>("EditStn")->palette().color(QPalette::Text), QColor(255, 0, 0));
    form_->ResultColour("EditStn", colours::Green);
    QCOMPARE(find<QLineEdit>("EditStn")->palette().color(QPalette::Text), QColor(0, 128, 0));
    // The titanium feed per tooth is green from the start.
    QCOMPARE(find<QLineEdit>("EditTifz")->palette().color(QPalette::Text), QColor(0, 128, 0));
}

void DesktopTest::calculateShowsTheResultsWindow()
{
    QWidget* results = desktop_->window("PanelCalc");
    QVERIFY(!results->isVisible());
    QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    QVERIFY(form_->store().visible("PanelCalc"));
    QVERIFY(results->isVisible());
    // A dock of the main window, on its right.
    auto* main = qobject_cast<QMainWindow*>(desktop_->window("FormMain"));
    QCOMPARE(main->dockWidgetArea(qobject_cast<QDockWidget*>(results)), Qt::RightDockWidgetArea);
    QCOMPARE(results->windowTitle(), QStringLiteral("Фрезерование (Walter)"));
    QCOMPARE(find<QLineEdit>("EditStn")->text(), qs(form_->store().text("EditStn")));
    QVERIFY(find<QLabel>("StatusBarMes")->text().startsWith(QStringLiteral("n=18000 (об/мин)")));
}

void DesktopTest::enterOnTheFocusedCalculateButtonRunsTheCalculation()
{
    auto* calculate = find<QPushButton>("BitCalcs");
    QVERIFY(calculate->isDefault());
    QTest::keyClick(calculate, Qt::Key_Return);
    QVERIFY(desktop_->window("PanelCalc")->isVisible());
}

void DesktopTest::pickingAResultPageSwitchesTheInputPageAndTheTitle()
{
    auto* results = find<QTabWidget>("PageControlMethods");
    results->tabBar()->setCurrentIndex(2); // as the user's click on the tab does
    QCOMPARE(form_->store().index("PageControlMethods"), 2);
    QCOMPARE(find<QTabWidget>("PageControlParam")->currentIndex(), 2);
    QCOMPARE(desktop_->window("PanelCalc")->windowTitle(), QStringLiteral("ТР (Сплавы Титана)..."));

    find<QTabWidget>("PageControlParam")->tabBar()->setCurrentIndex(1);
    QCOMPARE(results->currentIndex(), 1);
    QCOMPARE(
        desktop_->window("PanelCalc")->windowTitle(), QStringLiteral("ТР (Сплавы Алюминия)..."));
}

void DesktopTest::blankResultPageLeavesNoInputPageAndCalculateSaysNothing()
{
    auto* results = find<QTabWidget>("PageControlMethods");
    QCOMPARE(results->tabText(3), QString());
    results->tabBar()->setCurrentIndex(3);
    QCOMPARE(form_->store().index("PageControlParam"), -1);
    auto* inputs = find<QTabWidget>("PageControlParam");
    // The page shown is the hidden empty one: no input page's tab is current.
    QVERIFY(inputs->currentIndex() >= 3);
    QVERIFY(!inputs->isTabVisible(inputs->currentIndex()));
    // Blank: Qt would show the program's name in a title bar without a title.
    QCOMPARE(desktop_->window("PanelCalc")->windowTitle().trimmed(), QString());

    QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    QCOMPARE(toolkit_->boxes, std::vector<std::string> { "information|Nothing" });

    inputs->tabBar()->setCurrentIndex(0);
    QCOMPARE(form_->store().index("PageControlMethods"), 0);
}

void DesktopTest::mainMenuHasEveryItemInOrder()
{
    const QList<QAction*> bar = desktop_->mainWindow().menuBar()->actions();
    // "Файл" first, then the park's editor; the calculation sheet's and the
    // cutters' menus stand between "Закрыть" and "Помощь..".
    QCOMPARE(bar.size(), 6);
    QCOMPARE(bar[0]->text(), QStringLiteral("&Файл"));
    QCOMPARE(bar[1]->objectName(), QStringLiteral("NMachines"));
    QCOMPARE(bar[1]->text(), QStringLiteral("&Станки..."));
    QCOMPARE(bar[2]->objectName(), QStringLiteral("NClose"));
    QCOMPARE(bar[2]->text(), QStringLiteral("&Закрыть"));
    QCOMPARE(bar[3]->text(), QStringLiteral("&Лист расчета"));
    QCOMPARE(bar[4]->text(), QStringLiteral("Ф&резы"));
    QVERIFY(bar[4]->menu());
    const QList<QAction*> cutters = bar[4]->menu()->actions();
    QCOMPARE(cutters.size(), 2);
    QCOMPARE(cutters[0]->objectName(), QStringLiteral("NCutters"));
    QCOMPARE(cutters[0]->text(), QStringLiteral("&Фрезы..."));
    QCOMPARE(cutters[1]->objectName(), QStringLiteral("NSaveCut"));
    QCOMPARE(cutters[1]->text(), QStringLiteral("&Сохранить режим в фрезу"));
    QCOMPARE(bar[5]->objectName(), QStringLiteral("N7"));
    QCOMPARE(bar[5]->text(), QStringLiteral("&Помощь.."));
    QVERIFY(bar[5]->menu());
    compareMenu(bar[5]->menu()->actions(), kHelpMenu);
}

void DesktopTest::contextMenuHasEveryItemInOrder()
{
    compareMenu(desktop_->mainWindow().contextMenu()->actions(), kContextMenu);
}

void DesktopTest::messageWindowSwitchFollowsTheStore()
{
    auto* show = find<QAction>("NMesWin");
    QVERIFY(show->isCheckable());
    QVERIFY(show->isChecked());
    show->trigger();
    QVERIFY(!form_->store().checked("NMesWin"));
    QVERIFY(!show->isChecked());
    form_->LogMessage("строка");
    QVERIFY(!desktop_->window("FormMessage")->isVisible());
    find<QAction>("N13")->trigger();
    QVERIFY(desktop_->window("FormMessage")->isVisible());
}

void DesktopTest::closeBoxHidesAPanelThroughTheStore()
{
    find<QAction>("N19")->trigger();
    QWidget* materials = desktop_->window("PanelStMaterial");
    QVERIFY(materials->isVisible());
    QCOMPARE(materials->windowTitle(), QStringLiteral("Панель: Material->"));
    materials->close();
    QVERIFY(!form_->store().visible("PanelStMaterial"));
    QVERIFY(!materials->isVisible());
    find<QPushButton>("BitBtnStMaterial")->click();
    QVERIFY(materials->isVisible());
}

void DesktopTest::everySidePanelIsADockThatItsMenuLinesShow()
{
    for (const PanelRow& row : windowPanels()) {
        const Panel& panel = *row.panel;
        auto* dock = qobject_cast<QDockWidget*>(desktop_->window(panel.name));
        QVERIFY2(dock, panel.name);
        for (const PanelMenuItem& item : { panel.helpItem, panel.contextItem }) {
            if (item.name == nullptr)
                continue;
            for (const PanelRow& other : windowPanels())
                form_->store().setVisible(other.panel->name, false);
            QVERIFY2(!dock->isVisible(), item.name);
            find<QAction>(item.name)->trigger();
            QVERIFY2(dock->isVisible(), item.name);
            QCOMPARE(dock->windowTitle(), QString::fromUtf8(panel.caption));
            for (const PanelRow& other : windowPanels()) {
                if (other.panel != &panel)
                    QVERIFY2(!form_->store().visible(other.panel->name), other.panel->name);
            }
        }
    }
}

void DesktopTest::logLinesReachTheLogWindowAndClearEmptiesIt()
{
    QWidget* log = desktop_->window("FormMessage");
    QVERIFY(!log->isVisible());
    QVERIFY(qobject_cast<QDockWidget*>(log));
    form_->LogMessage("Превышение числа оборотов");
    form_->LogMessage("Литература..");
    QVERIFY(log->isVisible());
    auto* memo = find<QPlainTextEdit>("ElFlatMemoMes");
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->toPlainText(), QStringLiteral("Превышение числа оборотов\nЛитература.."));
    find<QToolButton>("ClearLog")->click();
    QCOMPARE(memo->toPlainText(), QString());
    QVERIFY(form_->store().items("ElFlatMemoMes").empty());
    log->close();
    QVERIFY(!form_->store().visible("FormMessage"));

    // A line longer than the window, written while it is hidden, still reads from
    // the left when the line brings the window into view.
    form_->LogMessage(std::string(400, 'x'));
    QVERIFY(QTest::qWaitForWindowExposed(log));
    QTest::qWait(20);
    QVERIFY(memo->horizontalScrollBar()->maximum() > 0);
    QCOMPARE(memo->horizontalScrollBar()->value(), 0);
}

void DesktopTest::correctedFieldTakesTheFocusWithItsTextSelected()
{
    // The main window's focused control, whichever window the platform has
    // made active.
    QWidget& main = desktop_->mainWindow();
    QCOMPARE(main.focusWidget(), find<QPushButton>("BitCalcs"));
    form_->CorrectField("BaseVc", "0.00");
    auto* speed = find<QLineEdit>("BaseVc");
    QCOMPARE(main.focusWidget(), speed);
    QCOMPARE(speed->text(), QStringLiteral("0.00"));
    QCOMPARE(speed->selectedText(), QStringLiteral("0.00"));
}

void DesktopTest::radioGroupClickMovesTheForceHighlight()
{
    auto* group = find<QGroupBox>("RadioGroupTiPz");
    QCOMPARE(group->title(), QStringLiteral("Сила Резания Pz, H"));
    auto* buttons = group->findChild<QButtonGroup*>();
    QVERIFY(buttons);
    QCOMPARE(buttons->buttons().size(), 3);
    QCOMPARE(buttons->button(1)->text(), QStringLiteral("(против направ подачи)"));
    QVERIFY(buttons->button(1)->isChecked());
    buttons->button(0)->click();
    QCOMPARE(form_->store().index("RadioGroupTiPz"), 0);
    QCOMPARE(find<QLineEdit>("EditTiPx")->palette().color(QPalette::Text), QColor(0, 128, 0));
    QCOMPARE(find<QLineEdit>("EditTiPy")->palette().color(QPalette::Text), QColor(0, 0, 0));
}

void DesktopTest::gridCellSelectionDescribesTheRowInTheGroupColour()
{
    find<QAction>("N22")->trigger();
    find<QRadioButton>("RadioButton1")->click();
    QVERIFY(form_->store().checked("RadioButton1"));
    QVERIFY(!find<QRadioButton>("RadioButton4")->isChecked());
    auto* grid = find<QTableWidget>("StringGridTab");
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), QStringLiteral("kc1.1 (H/(mm*mm)"));
    QCOMPARE(grid->item(4, 2)->text(), QStringLiteral("1900"));
    QCOMPARE(grid->item(4, 2)->foreground().color(), QColor(0, 0, 255));

    grid->setCurrentCell(4, 1); // the user's click on row 5 of the catalogue
    QCOMPARE(
        find<QLabel>("StaticTextMaterial")->text(), qs(form_->store().cell("StringGridTab", 0, 5)));
    find<QPushButton>("BitBtnStMaterialOut")->click();
    QCOMPARE(find<QLineEdit>("EditStKc11")->text(), QStringLiteral("1900"));
    QCOMPARE(find<QLineEdit>("EditStMc")->text(), QStringLiteral("0.24"));
    QVERIFY(!desktop_->window("PanelStMaterial")->isVisible());
}

void DesktopTest::machinesPanelFollowsTheMethodInColourAndPicksAMachine()
{
    find<QPushButton>("BitCalcs")->click();
    find<QPushButton>("BitBtnMachines")->click();
    QWidget* panel = desktop_->window("PanelMachines");
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->windowTitle(), QStringLiteral("Сравнение станков"));
    auto* grid = find<QTableWidget>("StringGridMachines");
    QCOMPARE(grid->columnCount(), 7);
    QCOMPARE(grid->rowCount(), 5);
    QCOMPARE(grid->horizontalHeaderItem(4)->text(), QStringLiteral("δ"));
    QCOMPARE(grid->horizontalHeaderItem(5)->text(), QStringLiteral("Ограничивает"));
    QCOMPARE(grid->horizontalHeaderItem(6)->text(), QStringLiteral("Подбор"));
    QCOMPARE(grid->item(3, 6)->text(), QStringLiteral("Vc 1060→924"));
    // What limits a machine and what a fit would change stand next to its
    // name, the shares after them; every heading says what it is.
    const QHeaderView* header = grid->horizontalHeader();
    QCOMPARE(header->visualIndex(0), 0);
    QCOMPARE(header->visualIndex(5), 1);
    QCOMPARE(header->visualIndex(6), 2);
    QCOMPARE(header->visualIndex(1), 3);
    for (int column = 0; column < grid->columnCount(); ++column)
        QVERIFY2(!grid->horizontalHeaderItem(column)->toolTip().isEmpty(),
            qPrintable(grid->horizontalHeaderItem(column)->text()));
    QVERIFY(grid->horizontalHeaderItem(1)->toolTip().contains(
        QStringLiteral("наибольшей частоты вращения шпинделя")));
    // DMU-125PA cannot turn the start-up job's 13496 rpm.
    QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("112 %"));
    QCOMPARE(grid->item(3, 1)->foreground().color(), QColor(255, 0, 0));
    QCOMPARE(grid->item(3, 2)->foreground().color(), QColor(0, 0, 0));
    QCOMPARE(grid->item(3, 5)->text(), QStringLiteral("n"));

    // The titanium method has eight checked results; its start-up cutter
    // bends beyond the permissible deflection on every machine.
    find<QTabWidget>("PageControlParam")->setCurrentIndex(2);
    find<QPushButton>("BitCalcs")->click();
    QCOMPARE(grid->columnCount(), 11);
    QCOMPARE(grid->horizontalHeaderItem(5)->text(), QStringLiteral("δ"));
    QCOMPARE(grid->item(1, 5)->foreground().color(), QColor(255, 0, 0));
    QCOMPARE(grid->horizontalHeaderItem(6)->text(), QStringLiteral("n мж"));
    QCOMPARE(grid->horizontalHeaderItem(10)->text(), QStringLiteral("Подбор"));
    QCOMPARE(grid->horizontalHeader()->visualIndex(10), 2);
    // The shares after them in their own order, whatever the method before.
    for (int column = 1; column <= 8; ++column)
        QCOMPARE(grid->horizontalHeader()->visualIndex(column), column + 2);
    QVERIFY(grid->horizontalHeaderItem(6)->toolTip().contains(QStringLiteral("малой жесткости")));
    // The selected machine's row is marked; the names stand whole.
    QCOMPARE(grid->currentRow(), form_->store().index("TabMach"));
    QVERIFY(grid->columnWidth(0)
        >= grid->fontMetrics().horizontalAdvance(QStringLiteral("V-STAR (FOREST-LINE)")));

    emit grid->cellDoubleClicked(3, 0);
    QCOMPARE(form_->store().index("TabMach"), 3);
    QCOMPARE(find<QComboBox>("TabMach")->currentIndex(), 3);
}

void DesktopTest::theSelectedMachinesRedReadsOnItsHighlight()
{
    // DMU-125PA selected: its row is highlighted, and its 112 % of n is red.
    form_->pick("TabMach", 3);
    find<QPushButton>("BitCalcs")->click();
    find<QPushButton>("BitBtnMachines")->click();
    auto* grid = find<QTableWidget>("StringGridMachines");
    QCOMPARE(grid->currentRow(), 3);
    QVERIFY(grid->item(3, 1)->isSelected());
    QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("112 %"));
    // The share in view beside the frozen machine column.
    grid->horizontalScrollBar()->setValue(
        grid->horizontalHeader()->sectionPosition(1) - grid->columnWidth(0));
    QTest::qWait(20);
    const QImage shot = grid->viewport()->grab().toImage();
    const qreal scale = shot.devicePixelRatio();
    const QRect cell = grid->visualItemRect(grid->item(3, 1));
    const InkOnField read = inkOnField(
        shot, QRectF(QPointF(cell.topLeft()) * scale, QSizeF(cell.size()) * scale).toAlignedRect());
    QVERIFY(read.ink.isValid());
    QVERIFY2(read.ink.red() > 2 * std::max(read.ink.green(), read.ink.blue()),
        qPrintable(read.ink.name()));
    QVERIFY2(contrastRatio(read.ink, read.field) >= 4.5,
        qPrintable(read.ink.name() + QStringLiteral(" on ") + read.field.name()));
}

// The colour of a text on a highlight: its own where it reads at 4.5:1,
// else its hue made darker on a light highlight, lighter on a dark one.
void DesktopTest::aTextOnAHighlightKeepsItsHueAndReads()
{
    const struct {
        QColor text;
        QColor highlight;
        bool kept;
    } cases[] = {
        { QColor(0, 0, 0), QColor(203, 226, 240), true }, // black on a light highlight
        { QColor(255, 0, 0), QColor(203, 226, 240), false }, // red, darker
        { QColor(0, 128, 0), QColor(203, 226, 240), false }, // green at 4.1:1, darker
        { QColor(255, 128, 128), QColor(39, 54, 73), true }, // a light red on a dark one
        { QColor(255, 0, 0), QColor(39, 54, 73), false }, // red, lighter
        { QColor(255, 0, 0), QColor(48, 140, 198), false }, // on a mid blue
    };
    for (const auto& c : cases) {
        const QColor drawn = colourOnHighlight(c.text, c.highlight);
        const QString what = c.text.name() + QStringLiteral(" on ") + c.highlight.name()
            + QStringLiteral(" drawn ") + drawn.name();
        QVERIFY2(contrastRatio(drawn, c.highlight) >= 4.5, qPrintable(what));
        QVERIFY2((drawn == c.text) == c.kept, qPrintable(what));
        if (c.text.hslSaturation() > 0)
            QVERIFY2(std::abs(drawn.hslHue() - c.text.hslHue()) <= 2, qPrintable(what));
    }
}

// A cell of "Ограничивает" narrower than its text shows the whole text in
// its tooltip; a cell that shows its text whole adds none.
void DesktopTest::aCutCellOfTheComparisonReadsWholeInItsTooltip()
{
    find<QPushButton>("BitCalcs")->click();
    find<QPushButton>("BitBtnMachines")->click();
    auto* grid = find<QTableWidget>("StringGridMachines");
    QVERIFY(QTest::qWaitForWindowExposed(grid->window()));
    int column = 0;
    while (column < grid->columnCount()
        && grid->horizontalHeaderItem(column)->text() != QStringLiteral("Ограничивает"))
        ++column;
    QVERIFY(column < grid->columnCount());
    const QTableWidgetItem* item = grid->item(0, column);
    QVERIFY(item && !item->text().isEmpty());
    const auto tipAt = [&] {
        QToolTip::hideText();
        if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000))
            return QStringLiteral("(the last tip never hid)");
        const QPoint at = grid->visualItemRect(item).center();
        QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };

    grid->setColumnWidth(column, grid->fontMetrics().horizontalAdvance(item->text()) / 2);
    QCOMPARE(tipAt(), item->text());
    grid->setColumnWidth(column, grid->fontMetrics().horizontalAdvance(item->text()) + 20);
    QVERIFY(tipAt() != item->text());
}

void DesktopTest::theMachineColumnStaysWhileTheSharesScroll()
{
    find<QTabWidget>("PageControlParam")->setCurrentIndex(2);
    find<QPushButton>("BitCalcs")->click();
    find<QPushButton>("BitBtnMachines")->click();
    QWidget* panel = desktop_->window("PanelMachines");
    panel->resize(360, panel->height());
    QApplication::processEvents();
    auto* grid = find<QTableWidget>("StringGridMachines");
    QScrollBar* sideways = grid->horizontalScrollBar();
    QVERIFY(sideways->maximum() > 0);
    sideways->setValue(sideways->maximum());
    QApplication::processEvents();
    auto* frozen = grid->findChild<QTableView*>(QStringLiteral("StringGridMachinesFrozen"));
    QVERIFY(frozen && frozen->isVisible());
    QCOMPARE(frozen->x(), grid->frameWidth());
    QCOMPARE(frozen->columnWidth(0), grid->columnWidth(0));
    for (int column = 1; column < grid->columnCount(); ++column)
        QVERIFY(frozen->isColumnHidden(column));
    // The last share scrolled into view, the first ones under the machines.
    QVERIFY(grid->horizontalHeader()->sectionViewportPosition(1) < grid->columnWidth(0));
    emit frozen->doubleClicked(frozen->model()->index(2, 0));
    QCOMPARE(form_->store().index("TabMach"), 2);
}

void DesktopTest::theInputsKeepOneWidthForEveryMethod()
{
    // The offscreen screen of 800 pixels has room for the inputs alone.
    form_->store().setVisible("PanelCalc", false);
    auto* pages = find<QTabWidget>("PageControlParam");
    QMainWindow& main = desktop_->mainWindow();
    // Every page built, as the idle time after the first paint builds them.
    for (int page = 0; page < MainWindow::inputPageCount(); ++page)
        desktop_->mainWindow().buildInputPage(page);
    QApplication::processEvents();
    desktop_->mainWindow().keepInputWidth();
    int widest = 0;
    for (int page = 0; page < MainWindow::inputPageCount(); ++page)
        widest = std::max(widest, pages->widget(page)->minimumSizeHint().width());
    std::optional<int> width;
    std::optional<QPoint> calculate;
    for (const int page : { 0, 1, 2, 0, 2, 1 }) {
        pages->setCurrentIndex(page);
        QWidget* inputs = main.centralWidget();
        // Fixed at one width, which the window's layout gives it.
        QCOMPARE(inputs->minimumWidth(), inputs->maximumWidth());
        QTRY_COMPARE(inputs->width(), inputs->minimumWidth());
        const QPoint at = find<QPushButton>("BitCalcs")->mapTo(&main, QPoint(0, 0));
        if (!width) {
            width = inputs->width();
            calculate = at;
        }
        QCOMPARE(inputs->width(), *width);
        QCOMPARE(at, *calculate);
        QVERIFY2(pages->currentWidget()->width() >= widest,
            qPrintable(QStringLiteral("page %1: %2 of %3")
                    .arg(page)
                    .arg(pages->currentWidget()->width())
                    .arg(widest)));
    }
}

void DesktopTest::aShortScreenKeepsOneWidthWhereEveryPageFits_data()
{
    // Whether the docks leave the inputs less than the least width of the
    // page that needs the most, or more than that (but less than the width of
    // the widest page).
    QTest::addColumn<bool>("belowLeast");
    QTest::newRow("what the docks leave: one width") << false;
    QTest::newRow("below the least: each page its own") << true;
}

// A screen without room for the widest page beside the docks: one width,
// whichever method is shown, where every page fits in what the docks leave;
// else each page as wide as the docks leave it and no narrower than its least.
void DesktopTest::aShortScreenKeepsOneWidthWhereEveryPageFits()
{
    QFETCH(bool, belowLeast);
    MainWindow& main = desktop_->mainWindow();
    auto* pages = find<QTabWidget>("PageControlParam");
    // Every page built and shown once, as the idle time leaves them.
    for (int page = 0; page < MainWindow::inputPageCount(); ++page) {
        main.buildInputPage(page);
        pages->setCurrentIndex(page);
        QApplication::processEvents();
    }
    QWidget* inputs = main.centralWidget();
    const int available = main.screen()->availableGeometry().width();
    const int wanted = inputs->sizeHint().width();
    const int least = main.widestLeastWidth();
    QVERIFY2(least < wanted, qPrintable(QStringLiteral("%1 of %2").arg(least).arg(wanted)));
    const int room = belowLeast ? least - 1 : (least + wanted) / 2;
    main.setRoomBeside([=] { return available - room; });
    std::optional<QPoint> calculate;
    for (const int page : { 0, 1, 2, 0, 2, 1 }) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        if (belowLeast) {
            QCOMPARE(inputs->minimumWidth(), 0);
            QCOMPARE(inputs->maximumWidth(), QWIDGETSIZE_MAX);
        } else {
            QCOMPARE(inputs->minimumWidth(), room);
            QCOMPARE(inputs->maximumWidth(), room);
            QTRY_COMPARE(inputs->width(), room);
        }
        // No input of the page shown out of view.
        QVERIFY(
            pages->currentWidget()->width() >= pages->currentWidget()->minimumSizeHint().width());
        // The buttons over the pages where they were, whatever the page's
        // width: a click aimed at "Расчет" lands on it.
        QPushButton* calculateButton = find<QPushButton>("BitCalcs");
        const QPoint at = calculateButton->mapTo(&main, QPoint(0, 0));
        if (!calculate)
            calculate = at;
        QCOMPARE(at, *calculate);
        QVERIFY(calculateButton->width() >= calculateButton->minimumSizeHint().width());
        QVERIFY(calculateButton->mapTo(inputs, QPoint(calculateButton->width(), 0)).x()
            <= inputs->width());
    }
}

void DesktopTest::aChangedInputMarksTheResultsStaleUntilCalculated()
{
    find<QPushButton>("BitCalcs")->click();
    find<QPushButton>("BitBtnMachines")->click();
    auto* speed = find<QLineEdit>("EditStn");
    auto* grid = find<QTableWidget>("StringGridMachines");
    const QString shown = speed->text();
    const QColor colour = speed->palette().color(QPalette::Text);
    QVERIFY(!speed->font().italic());
    QVERIFY(!grid->font().italic());

    // As the user types a new cutting speed.
    auto* cuttingSpeed = find<QLineEdit>("BaseVc");
    cuttingSpeed->selectAll();
    QTest::keyClicks(cuttingSpeed, QStringLiteral("500"));
    QVERIFY(speed->font().italic());
    QCOMPARE(speed->toolTip(), QString::fromUtf8(kStaleTip));
    QVERIFY(grid->font().italic());
    QCOMPARE(grid->toolTip(), QString::fromUtf8(kStaleTip));
    // The last calculation's value, in its colour.
    QCOMPARE(speed->text(), shown);
    QCOMPARE(speed->palette().color(QPalette::Text), colour);
    // Another method's results stay as they were.
    QVERIFY(!find<QLineEdit>("Editn")->font().italic());

    find<QPushButton>("BitCalcs")->click();
    QVERIFY(!speed->font().italic());
    QVERIFY(speed->toolTip() != QString::fromUtf8(kStaleTip));
    QVERIFY(!grid->font().italic());
    QCOMPARE(grid->toolTip(), QStringLiteral("Двойной щелчок выбирает станок"));
    QVERIFY(speed->text() != shown);

    // The machine marks every method; a step button freshens what it wrote.
    form_->pick("TabMach", 2);
    QVERIFY(speed->font().italic());
    find<QPushButton>("BitBtnSt1")->click();
    QVERIFY(!speed->font().italic());
}

void DesktopTest::fitButtonsAndResultsMenuFitEachMethod()
{
    form_->typeText("BaseVc", "1600");
    form_->pick("TabMach", 3);
    find<QPushButton>("BitCalcs")->click();
    find<QPushButton>("BitBtnStFit")->click();
    QCOMPARE(find<QLineEdit>("BaseVc")->text(), QStringLiteral("923.628"));
    QCOMPARE(find<QLineEdit>("EditStn")->text(), QStringLiteral("11759.997"));

    // The results' menu fits the method shown: on DMU-125PA the aluminium
    // start-up cut overheats the part, and the depth goes in two passes.
    find<QTabWidget>("PageControlMethods")->setCurrentIndex(1);
    auto* fit = find<QAction>("N29");
    QVERIFY(desktop_->window("PanelCalc")
            ->findChild<QWidget*>(QStringLiteral("PanelCalcContents"))
            ->actions()
            .contains(fit));
    fit->trigger();
    QCOMPARE(find<QTabWidget>("PageControlMethods")->currentIndex(), 1);
    QCOMPARE(find<QLineEdit>("BaseAlPasses")->text(), QStringLiteral("2"));
    QCOMPARE(find<QLineEdit>("BaseAlT")->text(), QStringLiteral("2.5"));

    // The titanium cut on V-STAR: the fewest passes in all are 25 narrow
    // ones across the part at the whole depth, shown beside the results.
    find<QTabWidget>("PageControlMethods")->setCurrentIndex(2);
    form_->pick("TabMach", 0);
    find<QPushButton>("BitBtnTiFit")->click();
    QCOMPARE(find<QLineEdit>("BaseTiPasses")->text(), QStringLiteral("1"));
    QCOMPARE(find<QLineEdit>("BaseTiB")->text(), QStringLiteral("0.62"));
    QCOMPARE(find<QLineEdit>("EditTiWidthPasses")->text(), QStringLiteral("25"));
}

void DesktopTest::copyBackPictureIsClickable()
{
    auto* picture = find<PictureLabel>("Image9");
    QVERIFY(picture->isClickable());
    QVERIFY(!find<PictureLabel>("Imagehm")->isClickable());
    form_->store().setText("EditStVc", "1234.567");
    QTest::mouseClick(picture, Qt::LeftButton);
    QCOMPARE(find<QLineEdit>("BaseVc")->text(), QStringLiteral("1234.567"));
}

void DesktopTest::splashIsShownUntilItIsClosed()
{
    QWidget* splash = desktop_->window("FormMiniature");
    QVERIFY(splash->isVisible());
    form_->close("FormMiniature");
    QVERIFY(!splash->isVisible());
    QVERIFY(desktop_->mainWindow().isVisible());
}

void DesktopTest::clickOnTheCheckedGroupButtonLeavesTheGridAlone()
{
    find<QAction>("N19")->trigger();
    auto* grid = find<QTableWidget>("StringGridTab");
    grid->setCurrentCell(1, 0); // row 2 of group N
    const QString second = qs(form_->store().cell("StringGridTab", 0, 2));
    QCOMPARE(find<QLabel>("StaticTextMaterial")->text(), second);
    auto* nonFerrous = find<QRadioButton>("RadioButton4");
    nonFerrous->click();
    // The group was already chosen: its handler would have shown row 1 again.
    QVERIFY(nonFerrous->isChecked());
    QCOMPARE(find<QLabel>("StaticTextMaterial")->text(), second);
}

void DesktopTest::closingTheMainWindowEndsTheProgram()
{
    QVERIFY(!desktop_->mainWindow().close());
    QVERIFY(toolkit_->quitAsked);
    toolkit_->quitAsked = false;
    find<QAction>("NClose")->trigger();
    QVERIFY(toolkit_->quitAsked);
    QCOMPARE(toolkit_->beeps, 1);
}

void DesktopTest::startUpErrorIsShownAndEndsWithFailure()
{
    RecordingToolkit toolkit;
    QVERIFY(startOrReport(toolkit, [] { }));
    QVERIFY(toolkit.boxes.empty());
    QVERIFY(!startOrReport(toolkit, [] { throw std::runtime_error("unknown control BaseQ"); }));
    QCOMPARE(toolkit.boxes, std::vector<std::string> { "error|unknown control BaseQ" });
}

void DesktopTest::aSessionBusIsNamedByItsAddressOrItsSocket_data()
{
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<bool>("socket");
    QTest::addColumn<bool>("runtimeFolder");
    QTest::addColumn<bool>("named");
    QTest::newRow("an address") << QByteArray("unix:path=/run/user/1000/bus") << false << true
                                << true;
    QTest::newRow("the socket") << QByteArray() << true << true << true;
    QTest::newRow("a runtime folder without one") << QByteArray() << false << true << false;
    QTest::newRow("an empty address, no runtime folder")
        << QByteArray("") << false << false << false;
}

void DesktopTest::aSessionBusIsNamedByItsAddressOrItsSocket()
{
    QFETCH(QByteArray, address);
    QFETCH(bool, socket);
    QFETCH(bool, runtimeFolder);
    QFETCH(bool, named);
    QTemporaryDir folder;
    if (socket) {
        QFile bus(folder.filePath(QStringLiteral("bus")));
        QVERIFY(bus.open(QIODevice::WriteOnly));
    }
    const QByteArray path = QFile::encodeName(folder.path());
    QCOMPARE(sessionBusNamed(address.isNull() ? nullptr : address.constData(),
                 runtimeFolder ? path.constData() : nullptr),
        named);
}

void DesktopTest::pickFromADropDownListRunsItsChangeStep()
{
    auto* roughness = find<QComboBox>("ComboBoxRa");
    QCOMPARE(roughness->count(), 3);
    QCOMPARE(find<QLineEdit>("EditTKs")->text(), QStringLiteral("0.584"));
    roughness->setCurrentIndex(1);
    emit roughness->activated(1); // the user's pick of "1.25<...<=2.5"
    QCOMPARE(form_->store().index("ComboBoxRa"), 1);
    QCOMPARE(find<QLineEdit>("EditTKs")->text(), QStringLiteral("0.885"));
}

void DesktopTest::pictureFollowsItsImageListIndex()
{
    if (PictureLabel::pictureFile(QStringLiteral("Imagevs"), 1).isEmpty())
        QSKIP("the pictures are not built into this test");
    auto* contact = find<PictureLabel>("Imagevs");
    QCOMPARE(contact->source(), QStringLiteral(":/pictures/Imagevs_0.svg"));
    form_->store().setPicture("Imagevs", 1);
    QCOMPARE(contact->source(), QStringLiteral(":/pictures/Imagevs_1.svg"));
    // A fixed picture is the same whatever the index.
    QCOMPARE(find<PictureLabel>("Image20")->source(), QStringLiteral(":/pictures/Image20.svg"));

    // A picture that was never drawn leaves an empty frame of its place.
    PictureLabel missing(QSize(70, 40));
    missing.setObjectName(QStringLiteral("ImageNeverDrawn"));
    missing.setPicture(0);
    QCOMPARE(missing.source(), QString());
    QCOMPARE(missing.sizeHint(), QSize(70, 40));
}

void DesktopTest::gridHeadingsAreNeverClipped()
{
    for (const char* name : { "StringGridTab", "StringGridT", "StringGridP" }) {
        auto* grid = find<QTableWidget>(name);
        // The headings a user cannot select are the cells the scenario runner refuses.
        const Field& field = form_->store().field(name);
        QCOMPARE(grid->rowCount(), field.rows - field.fixedRows);
        QCOMPARE(grid->columnCount(), field.columns - field.fixedColumns);
        QCOMPARE(grid->horizontalHeader()->isHidden(), field.fixedRows == 0);
        QCOMPARE(grid->verticalHeader()->isHidden(), field.fixedColumns == 0);
        const QFontMetrics metrics = grid->horizontalHeader()->fontMetrics();
        for (int column = 0; column < grid->columnCount(); ++column) {
            const QTableWidgetItem* heading = grid->horizontalHeaderItem(column);
            QVERIFY(heading);
            for (const QString& word : heading->text().split(QLatin1Char(' ')))
                QVERIFY2(metrics.horizontalAdvance(word) < grid->columnWidth(column),
                    qPrintable(QStringLiteral("%1 column %2").arg(name).arg(column)));
        }
    }
    // The description column keeps its width; the narrow ones grow to their headings.
    QCOMPARE(find<QTableWidget>("StringGridTab")->columnWidth(0), 379);
    QVERIFY(find<QTableWidget>("StringGridTab")->columnWidth(3) >= 56);
}

void DesktopTest::aStaleComparisonRefreshedIsPaintedOnce_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("sameTexts");
    QTest::newRow("the same cutting speed: the mark alone comes and goes") << "1060" << true;
    QTest::newRow("a new cutting speed: new texts, a column resized") << "500" << false;
}

// The comparison turns stale (italic) when an input changes and upright
// again when calculated: its cells, their new font and texts are painted in
// one pass, with the columns already as wide as the new texts ask, not laid
// out again after it. Where a column's width changes, Qt's table paints it
// once more, in the pass after: what it paints then is what it showed.
void DesktopTest::aStaleComparisonRefreshedIsPaintedOnce()
{
    QFETCH(QString, typed);
    QFETCH(bool, sameTexts);
    find<QPushButton>("BitCalcs")->click();
    find<QPushButton>("BitBtnMachines")->click();
    auto* grid = find<QTableWidget>("StringGridMachines");
    QVERIFY(QTest::qWaitForWindowExposed(grid->window()));
    QTest::qWait(50);
    const auto widths = [grid] {
        QStringList each;
        for (int column = 0; column < grid->columnCount(); ++column)
            each << QString::number(grid->columnWidth(column));
        return each.join(QLatin1Char(' '));
    };
    auto* cuttingSpeed = find<QLineEdit>("BaseVc");
    cuttingSpeed->selectAll();
    QTest::keyClicks(cuttingSpeed, typed);
    QVERIFY(grid->font().italic());
    PaintCount typing(grid->viewport());
    typing.settle();
    const QString before = widths();

    PaintCount cells(grid->viewport(), widths);
    find<QPushButton>("BitCalcs")->click();
    QVERIFY(!grid->font().italic());
    cells.settle();
    QVERIFY(cells.paints >= 1);
    // The mark going resizes no column.
    if (sameTexts) {
        QCOMPARE(widths(), before);
        QCOMPARE(cells.paints, 1);
    } else {
        QCOMPARE(cells.looks.first(), widths());
        QVERIFY2(cells.paints <= 2, qPrintable(QString::number(cells.paints)));
    }
}

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
