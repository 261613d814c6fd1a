// The habits of a desktop program: Esc closes a window as its close box does,
// Enter in an input field presses "Расчет", picture-only controls say what
// they do, pictures are sharp at scale 2, Ctrl+C copies the calculation sheet
// as a table, and the panels dock in the main window, "Расчет" bringing its
// results to the front of them.
#include "BinderProbe.h"
#include "DesktopHarness.h"
#include "RecordingToolkit.h"

#include "ui/bind/PaletteColours.h"
#include "ui/pictures/JpegPicture.h"
#include "ui/pictures/PictureLabel.h"
#include "ui/windows/IdleBuild.h"
#include "ui/windows/LaterWindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace millcalc;

namespace {

// Makes the window the one that takes the keys (a tool window counts as
// active already while its owner is, so wait for the application's word).
void activate(QWidget* window)
{
    if (!window->isWindow()) {
        // A dock: its window takes the keys, the dock the focus.
        activate(window->window());
        window->show();
        window->setFocus();
        return;
    }
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window);
}

} // namespace

class DesktopHabitsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void escapeClosesTheWindowAsItsCloseBoxDoes_data();
    void escapeClosesTheWindowAsItsCloseBoxDoes();
    void enterInAnInputFieldPressesCalculate_data();
    void enterInAnInputFieldPressesCalculate();
    void pictureOnlyControlsSayWhatTheyDo();
    void doubleResolutionPictureOnAScaledScreen();
    void pictureButtonsShowTheirPictureWhenFirstShown();
    void copyPutsTheResultsOnTheClipboardAsATable();
    void calculateBringsItsResultsToTheFrontOfThePanels_data();
    void calculateBringsItsResultsToTheFrontOfThePanels();

private:
    std::unique_ptr<RecordingToolkit> toolkit_;
    std::unique_ptr<DesktopHarness> app_;
};

void DesktopHabitsTest::init()
{
    toolkit_ = std::make_unique<RecordingToolkit>();
    app_ = std::make_unique<DesktopHarness>(*toolkit_);
    // The splash closes itself after a second; until then it holds the focus
    // on a platform without a window manager.
    app_->store().setVisible("FormMiniature", false);
}

void DesktopHabitsTest::cleanup()
{
    app_.reset();
    toolkit_.reset();
}

void DesktopHabitsTest::escapeClosesTheWindowAsItsCloseBoxDoes_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("focused"); // empty: the window itself
    QTest::newRow("results") << "PanelCalc" << "EditStn";
    QTest::newRow("formulas") << "PanelFormulaAl" << "EditTkoef1";
    QTest::newRow("materials") << "PanelStMaterial" << "StringGridTab";
    QTest::newRow("temperatures") << "PanelTemp" << "";
    QTest::newRow("designations") << "FormHelp" << "";
    QTest::newRow("nomogram") << "FormGraphic" << "";
    QTest::newRow("log") << "FormMessage" << "";
}

void DesktopHabitsTest::escapeClosesTheWindowAsItsCloseBoxDoes()
{
    QFETCH(QString, window);
    QFETCH(QString, focused);
    const std::string name = window.toStdString();
    app_->store().setVisible(name, true);
    QWidget* shown = app_->window(name.c_str());
    if (auto* dock = qobject_cast<QDockWidget*>(shown)) {
        // Docked, Esc belongs to the main window and leaves the dock open.
        activate(app_->window("FormMain"));
        dock->setFocus();
        QTest::keyClick(dock, Qt::Key_Escape);
        QVERIFY(app_->store().visible(name));
        // Floating, it is a window of its own, which Esc closes.
        dock->setFloating(true);
    }
    activate(shown);
    QWidget* target = shown;
    if (!focused.isEmpty()) {
        target = app_->find<QWidget>(focused.toUtf8().constData());
        target->setFocus();
    }
    QTest::keyClick(target, Qt::Key_Escape);
    QVERIFY(!app_->store().visible(name));
    QVERIFY(!shown->isVisible());
    // The main window stays.
    QVERIFY(app_->window("FormMain")->isVisible());
}

void DesktopHabitsTest::enterInAnInputFieldPressesCalculate_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("result");
    // The page's first field, which Shift+Tab leaves for the page tabs.
    QTest::addColumn<QString>("first");
    // An input page not shown at start is built in the idle time after the
    // first paint, or at once when the page control turns to it before then.
    QTest::addColumn<bool>("builtIdle");
    QTest::newRow("editable list") << 0 << "BaseD" << "EditStn" << "BaseD" << false;
    QTest::newRow("text field") << 0 << "Basefz" << "EditStVf" << "BaseD" << false;
    QTest::newRow("drop-down list") << 0 << "ComboBoxStkpd" << "EditStPn" << "BaseD" << false;
    QTest::newRow("aluminium depth") << 1 << "BaseAlT" << "Editn" << "ComboBoxAlCutter" << false;
    QTest::newRow("titanium length") << 2 << "BaseTiL" << "EditTin" << "ComboBoxTiCutter" << false;
    QTest::newRow("aluminium width, built idle")
        << 1 << "BaseAlB" << "Editn" << "ComboBoxAlCutter" << true;
    QTest::newRow("titanium width, built idle")
        << 2 << "BaseTiB" << "EditTin" << "ComboBoxTiCutter" << true;
}

void DesktopHabitsTest::enterInAnInputFieldPressesCalculate()
{
    QFETCH(int, page);
    QFETCH(QString, field);
    QFETCH(QString, result);
    QFETCH(QString, first);
    QFETCH(bool, builtIdle);
    const std::string name = field.toStdString();
    LaterWindows& windows = app_->desktop->laterWindows();
    const std::string pageName = "TabSheet" + std::to_string(page + 1);
    QWidget* main = app_->window("FormMain");
    if (page != 0) {
        QVERIFY(!windows.isBuilt(pageName));
        // What the store holds before the page exists shows in it.
        app_->store().setText(name, "12");
        if (builtIdle) {
            activate(main);
            QTRY_VERIFY(app_->desktop->idleBuild().done());
            QVERIFY(windows.isBuilt(pageName));
        } else {
            // The results open first: the page's fields still follow the
            // page tabs in the focus order, not the results'.
            app_->store().setVisible("PanelCalc", true);
        }
    }
    app_->form.pick("PageControlParam", page);
    // Built, bound and filled the moment it is turned to, before any event.
    QVERIFY(windows.isBuilt(pageName));
    for (const auto& [control, entry] : app_->store().fields()) {
        if (entry.parent != pageName)
            continue;
        auto* widget = qobject_cast<QWidget*>(controlOf(*app_->desktop, control));
        QVERIFY2(widget && widget->isVisible(), control.c_str());
    }
    auto* input = app_->find<QWidget>(name.c_str());
    QWidget* keys = input;
    if (auto* list = qobject_cast<QComboBox*>(input); list && list->lineEdit())
        keys = list->lineEdit();
    if (auto* text = qobject_cast<QLineEdit*>(keys); text && page != 0) {
        QCOMPARE(text->text(), QStringLiteral("12"));
        // Typing reaches the store.
        text->selectAll();
        QTest::keyClicks(text, QStringLiteral("16"));
        QCOMPARE(app_->store().text(name), std::string("16"));
    }
    activate(main);
    auto* firstField = app_->find<QWidget>(first.toUtf8().constData());
    firstField->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    // The page tabs (the row or a scroll button of it) before the first
    // field, and the first field after them.
    QTabBar* tabs = app_->find<QTabWidget>("PageControlParam")->tabBar();
    const auto inTabs = [tabs] {
        QWidget* focused = QApplication::focusWidget();
        return focused == tabs || tabs->isAncestorOf(focused);
    };
    QVERIFY(inTabs());
    for (int step = 0; step < 3 && inTabs(); ++step)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(),
        firstField->focusProxy() ? firstField->focusProxy() : firstField);

    input->setFocus();
    const std::string before = app_->store().text(result.toStdString());
    QTest::keyClick(keys, Qt::Key_Return);
    QVERIFY(app_->store().visible("PanelCalc"));
    QCOMPARE(app_->store().index("PageControlMethods"), page);
    QVERIFY(app_->store().text(result.toStdString()) != before);

    // The keypad's Enter too; a field of the results window leaves it alone.
    app_->store().setText(result.toStdString(), "0");
    QTest::keyClick(keys, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(app_->store().text(result.toStdString()) != "0");
    app_->store().setText(result.toStdString(), "0");
    QTest::keyClick(app_->find<QLineEdit>("EditStQ"), Qt::Key_Return);
    QCOMPARE(app_->store().text(result.toStdString()), std::string("0"));
}

void DesktopHabitsTest::pictureOnlyControlsSayWhatTheyDo()
{
    const QRegularExpression russian(QStringLiteral("[А-Яа-я]{3}"));
    // Every window built, its controls among the main window's children.
    QCOMPARE(missingControls(*app_->desktop, app_->store()), QStringList());
    int buttons = 0;
    for (QAbstractButton* button : app_->window("FormMain")->findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty() || button->icon().isNull()
            || !app_->store().has(button->objectName().toStdString()))
            continue; // Qt's own buttons (the menu bar's) are none of ours
        ++buttons;
        QVERIFY2(button->toolTip().contains(russian), qPrintable(button->objectName()));
    }
    // The help and material buttons, six Walter, six aluminium, one titanium
    // and four formula panel steps, and the titanium fit beside its deflection.
    QCOMPARE(buttons, 20);
    for (PictureLabel* picture : app_->window("FormMain")->findChildren<PictureLabel*>()) {
        if (picture->isClickable())
            QVERIFY2(picture->toolTip().contains(russian), qPrintable(picture->objectName()));
    }
    QVERIFY(!app_->find<PictureLabel>("Image9")->toolTip().isEmpty());
    QCOMPARE(pictureToolTip(QStringLiteral("BitCalcs")), QString());
}

void DesktopHabitsTest::doubleResolutionPictureOnAScaledScreen()
{
    for (const char* name : { "Splash", "Designations", "AboutBackground" }) {
        const QString file = QStringLiteral(":/pictures/%1.jpg").arg(QLatin1String(name));
        QCOMPARE(JpegPicture::resourceFor(file, 1.0), file);
        QCOMPARE(JpegPicture::resourceFor(file, 2.0),
            QStringLiteral(":/pictures/%1@2x.jpg").arg(QLatin1String(name)));
        JpegPicture control(file, QSize(10, 10));
        const QSize size = control.picture().image().size();
        QVERIFY2(!size.isEmpty(), name);
        QCOMPARE(control.sizeHint(), size);
        QCOMPARE(control.pictureFor(1.0).image().size(), size);
        QCOMPARE(control.pictureFor(2.0).image().size(), 2 * size);
    }

    // Drawn at scale 2 the control shows the double picture's own pixels.
    JpegPicture splash(QStringLiteral(":/pictures/Splash.jpg"), QSize(200, 200));
    splash.resize(splash.sizeHint());
    QPixmap sharp(splash.size() * 2);
    sharp.setDevicePixelRatio(2);
    splash.render(&sharp);
    QImage shown = sharp.toImage().convertToFormat(QImage::Format_RGB888);
    shown.setDevicePixelRatio(1);
    const QImage doubled = splash.pictureFor(2.0).image().convertToFormat(QImage::Format_RGB888);
    QCOMPARE(shown, doubled);

    // Without a double file the picture of its own size is drawn.
    QTemporaryDir dir;
    const QString single = dir.filePath(QStringLiteral("Single.jpg"));
    QVERIFY(QFile::copy(QStringLiteral(":/pictures/Splash.jpg"), single));
    JpegPicture alone(single, QSize(200, 200));
    QCOMPARE(alone.pictureFor(2.0).image().size(), QSize(200, 200));
}

void DesktopHabitsTest::pictureButtonsShowTheirPictureWhenFirstShown()
{
    // The pictures are drawn when first painted: shown, each button has its
    // picture's ink on its face, and a scaled screen gets the picture drawn
    // at its own pixels, the disabled look the style's.
    QWidget* main = app_->window("FormMain");
    QVERIFY(QTest::qWaitForWindowExposed(main));
    app_->store().setVisible("PanelFormulaAl", true);
    for (const char* name : { "BitBtnHelp", "BitBtnStMaterial", "BitBtn1fz" }) {
        auto* button = app_->find<QPushButton>(name);
        QVERIFY2(button->isVisible(), name);
        const QImage face = button->grab().toImage();
        QRect place(QPoint(), button->iconSize());
        place.moveCenter(button->rect().center());
        const QColor background = face.pixelColor(2, button->height() / 2);
        int ink = 0;
        for (int y = place.top(); y <= place.bottom(); ++y)
            for (int x = place.left(); x <= place.right(); ++x)
                ink += contrastRatio(face.pixelColor(x, y), background) >= 3.0;
        QVERIFY2(ink >= place.width(), name);

        const QIcon icon = button->icon();
        const QImage single = icon.pixmap(button->iconSize(), 1.0).toImage();
        const QImage doubled = icon.pixmap(button->iconSize(), 2.0).toImage();
        QCOMPARE(single.size(), button->iconSize());
        QCOMPARE(doubled.size(), 2 * button->iconSize());
        const auto inked = [](const QImage& image) {
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    count += image.pixelColor(x, y).alpha() >= 128;
            return count;
        };
        QVERIFY2(inked(single) > 0 && inked(doubled) >= 3 * inked(single), name);
        QVERIFY2(icon.pixmap(button->iconSize(), 1.0, QIcon::Disabled).toImage() != single, name);
    }
}

void DesktopHabitsTest::copyPutsTheResultsOnTheClipboardAsATable()
{
    // Numbers with a point, as under the C locale.
    QLocale::setDefault(QLocale::c());
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    QTest::mouseClick(app_->find<QPushButton>("BitCalcs"), Qt::LeftButton);
    QWidget* results = app_->window("PanelCalc");
    activate(results);
    auto* speed = app_->find<QLineEdit>("EditStn");
    speed->setFocus();
    speed->deselect();
    QTest::keyClick(speed, Qt::Key_C, Qt::ControlModifier);
    // The sheet's table: heading and inputs, then the results with their status.
    const auto resultLines = [clipboard] {
        const QStringList lines = clipboard->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return lines.mid(lines.indexOf(QStringLiteral("Результаты")) + 1);
    };
    QVERIFY(clipboard->text().startsWith(QStringLiteral("Расчет режимов резания\t")));
    const QStringList lines = resultLines();
    QCOMPARE(lines.size(), 12);
    QCOMPARE(lines[0],
        QStringLiteral("Обороты шпинделя, n\t%1\tоб/мин\tв норме")
            .arg(QString::fromStdString(app_->store().text("EditStn"))));
    // The torque the machine delivers is shown with no status.
    QCOMPARE(lines[10],
        QStringLiteral("Момент, M\t%1\tНм\t")
            .arg(QString::fromStdString(app_->store().text("EditStM"))));
    QCOMPARE(lines[11],
        QStringLiteral("Отжим фрезы, δ\t%1\tмм\tв норме")
            .arg(QString::fromStdString(app_->store().text("EditStDefl"))));
    for (const QString& line : lines)
        QCOMPARE(line.count(QLatin1Char('\t')), 3);

    // A selection in a field is copied as in any field.
    auto* cut = app_->find<QLineEdit>("EditStVc");
    cut->setFocus();
    cut->selectAll();
    QTest::keyClick(cut, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QString::fromStdString(app_->store().text("EditStVc")));

    // The titanium page, from a control that is not a field.
    app_->form.pick("PageControlMethods", 2);
    QTest::mouseClick(app_->find<QPushButton>("BitCalcs"), Qt::LeftButton);
    activate(results);
    QRadioButton* choice = app_->find<QGroupBox>("RadioGroupTiPz")->findChild<QRadioButton*>();
    choice->setFocus();
    QTest::keyClick(choice, Qt::Key_C, Qt::ControlModifier);
    const QStringList titanium = resultLines();
    QCOMPARE(titanium.size(), 14);
    QCOMPARE(titanium[9],
        QStringLiteral("Отжим фрезы, δ\t%1\tмм\tпревышение 591 %")
            .arg(QString::fromStdString(app_->store().text("EditTiDefl"))));
    QCOMPARE(titanium[2],
        QStringLiteral("Обороты шпинделя, n\t%1\tоб/мин\tв норме")
            .arg(QString::fromStdString(app_->store().text("EditTin"))));

    // The blank page has nothing to copy: the clipboard keeps what it held.
    app_->form.pick("PageControlMethods", 3);
    clipboard->setText(QStringLiteral("kept"));
    activate(results);
    QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("kept"));
    QLocale::setDefault(QLocale::system());
}

void DesktopHabitsTest::calculateBringsItsResultsToTheFrontOfThePanels_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("result");
    QTest::newRow("Walter") << 0 << "EditStM";
    QTest::newRow("aluminium") << 1 << "EditNp";
    QTest::newRow("titanium") << 2 << "EditTiNctsmall";
}

void DesktopHabitsTest::calculateBringsItsResultsToTheFrontOfThePanels()
{
    QFETCH(int, page);
    QFETCH(QString, result);
    auto* main = qobject_cast<QMainWindow*>(app_->window("FormMain"));
    main->resize(1000, 700);
    activate(main);
    app_->form.pick("PageControlParam", 1);
    app_->find<QPushButton>("BitCalcs")->click();
    // The panels open over the results, each in front when it opens.
    app_->find<QPushButton>("BitBtnPanelAl")->click();
    app_->find<QPushButton>("BitBtnAlTm1")->click();
    app_->find<QPushButton>("BitBtnStMaterial")->click();
    for (const char* name : { "PanelCalc", "PanelFormulaAl", "PanelTemp", "PanelStMaterial" }) {
        auto* dock = qobject_cast<QDockWidget*>(app_->window(name));
        QVERIFY2(dock, name);
        QVERIFY2(main->dockWidgetArea(dock) != Qt::NoDockWidgetArea, name);
        QVERIFY2(!dock->isFloating(), name);
        QVERIFY2(app_->store().visible(name), name);
    }
    QTRY_VERIFY(app_->window("PanelStMaterial")->isVisible());
    app_->form.pick("PageControlParam", page);
    app_->find<QPushButton>("BitCalcs")->click();
    auto* field = app_->find<QWidget>(result.toUtf8().constData());
    QTRY_VERIFY(app_->window("PanelCalc")->isVisible());
    QTRY_VERIFY(field->isVisible());
    QCOMPARE(app_->find<QTabWidget>("PageControlMethods")->currentIndex(), page);
    // The panels stay open behind it, a tab away.
    for (const char* name : { "PanelFormulaAl", "PanelTemp", "PanelStMaterial" })
        QVERIFY2(app_->store().visible(name), name);
}

QTEST_MAIN(DesktopHabitsTest)
#include "DesktopHabitsTest.moc"
