// The desktop program as a Russian desktop starts it, with the real boxes: a
// warning box hands the focus back to the field just corrected, numbers are
// read and written with a point whatever the locale says, and Qt's own menus
// and buttons speak Russian and show their pictures.
#include "DesktopHarness.h"

#include "ui/MainWindow.h"
#include "ui/QtToolkit.h"
#include "ui/StartUp.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <clocale>
#include <cstdio>
#include <memory>

using namespace millcalc;

namespace {

// Presses OK on every message box that opens, as a user who has read it.
class BoxCloser : public QObject {
public:
    BoxCloser()
    {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen << box->windowTitle() + QLatin1Char('|') + box->text();
            box->button(QMessageBox::Ok)->click();
        });
        timer_.start();
    }

    QStringList seen;

private:
    QTimer timer_;
};

// The field that has the keyboard: an editable list takes it for its line.
bool hasKeyboard(QWidget* field)
{
    QWidget* focused = QApplication::focusWidget();
    if (auto* box = qobject_cast<QComboBox*>(field))
        return focused == box || focused == box->lineEdit();
    return focused == field;
}

QLineEdit* lineOf(QWidget* field)
{
    if (auto* box = qobject_cast<QComboBox*>(field))
        return box->lineEdit();
    return qobject_cast<QLineEdit*>(field);
}

} // namespace

class RussianDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void desktopLocaleWouldWriteACommaItself();
    void pointNumbersAreReadAndWrittenUnderTheRussianLocale();
    void correctedFieldHasTheFocusAfterTheWarningBox();
    void correctedListHasTheFocusAfterTheWarningBox();
    void correctionFromTheResultsWindowTakesTheFocusBackToTheMainWindow();
    void qtsOwnMenusAndButtonsSpeakRussian();
    void aNarrowMenuBarShowsThePictureOfItsMoreButton();

private:
    template <typename T> T* find(const char* name) const { return app_->find<T>(name); }
    void expectFocusOnCorrectedField(const char* name, const QString& text);

    std::unique_ptr<QtToolkit> toolkit_;
    std::unique_ptr<DesktopHarness> app_;
    std::unique_ptr<BoxCloser> closer_;
};

void RussianDesktopTest::init()
{
    toolkit_ = std::make_unique<QtToolkit>();
    app_ = std::make_unique<DesktopHarness>(*toolkit_);
    toolkit_->setMainWindow(&app_->desktop->mainWindow());
    app_->form.close("FormMiniature");
    // The user works in the main window, with "Расчет" focused.
    QWidget& main = app_->desktop->mainWindow();
    main.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &main);
    QCOMPARE(QApplication::focusWidget(), find<QPushButton>("BitCalcs"));
    closer_ = std::make_unique<BoxCloser>();
}

void RussianDesktopTest::cleanup()
{
    closer_.reset();
    app_.reset();
    toolkit_.reset();
}

void RussianDesktopTest::expectFocusOnCorrectedField(const char* name, const QString& text)
{
    auto* field = find<QWidget>(name);
    QWidget& main = app_->desktop->mainWindow();
    // The box has closed; the window it came back to is the main window.
    QTRY_COMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(nullptr));
    QTRY_COMPARE(QApplication::activeWindow(), &main);
    QVERIFY2(hasKeyboard(field),
        qPrintable(QStringLiteral("focus on %1 instead of %2")
                .arg(name,
                    QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                : QStringLiteral("nothing"))));
    QCOMPARE(lineOf(field)->text(), text);
    QCOMPARE(lineOf(field)->selectedText(), text);
    // The next keystroke replaces the corrected text.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
    QCOMPARE(app_->store().text(name), std::string("7"));
}

void RussianDesktopTest::desktopLocaleWouldWriteACommaItself()
{
    // The environment the program must withstand: Qt and, where the locale is
    // installed, the C library write a decimal comma.
    QCOMPARE(QLocale().toString(12.5, 'f', 1), QStringLiteral("12,5"));
    if (std::setlocale(LC_NUMERIC, nullptr) != std::string("C")) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", 13496.339);
        QCOMPARE(QString::fromLatin1(text), QStringLiteral("13496,339"));
    }
}

void RussianDesktopTest::pointNumbersAreReadAndWrittenUnderTheRussianLocale()
{
    QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    QCOMPARE(find<QLineEdit>("EditStn")->text(), QStringLiteral("13496.339"));

    auto* diameter = find<QComboBox>("BaseD");
    diameter->lineEdit()->selectAll();
    QTest::keyClicks(diameter->lineEdit(), QStringLiteral("12.5"));
    QCOMPARE(app_->store().real("BaseD"), 12.5);
    QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    // Half the diameter, twice the spindle speed: 12.5 was not read as 12.
    QCOMPARE(find<QLineEdit>("EditStn")->text(), QStringLiteral("26992.679"));

    QTabBar* tabs = find<QTabWidget>("PageControlParam")->tabBar();
    for (const int page : { 1, 2 }) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
        QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    }
    QCOMPARE(find<QLineEdit>("EditTin")->text(), QStringLiteral("416.264"));
    for (const QLineEdit* edit : app_->desktop->mainWindow().findChildren<QLineEdit*>())
        QVERIFY2(!edit->text().contains(QLatin1Char(',')),
            qPrintable(edit->objectName() + QStringLiteral(": ") + edit->text()));
}

void RussianDesktopTest::correctedFieldHasTheFocusAfterTheWarningBox()
{
    auto* speed = find<QLineEdit>("BaseVc");
    speed->selectAll();
    QTest::keyClicks(speed, QStringLiteral("abc"));
    QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    QCOMPARE(closer_->seen,
        QStringList { QStringLiteral("Предупреждение...|Ошибка задания 'Скорости резания' - vc") });
    expectFocusOnCorrectedField("BaseVc", QStringLiteral("0.000"));
}

void RussianDesktopTest::correctedListHasTheFocusAfterTheWarningBox()
{
    auto* teeth = find<QComboBox>("BaseZ");
    teeth->lineEdit()->selectAll();
    QTest::keyClicks(teeth->lineEdit(), QStringLiteral("abc"));
    QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    QCOMPARE(closer_->seen,
        QStringList { QStringLiteral("Предупреждение...|Ошибка задания 'Числа зубьев' - z") });
    expectFocusOnCorrectedField("BaseZ", QStringLiteral("0"));
}

void RussianDesktopTest::correctionFromTheResultsWindowTakesTheFocusBackToTheMainWindow()
{
    // The user works in the floating results window; the correction moves to the main
    // window, whose activation the platform delivers only after the box has
    // opened. The box must still come back to the main window, not to the
    // window that was active when it opened.
    QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    QWidget* results = app_->window("PanelCalc");
    // Floated off the main window, the results dock is a window of its own.
    qobject_cast<QDockWidget*>(results)->setFloating(true);
    results->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), results);

    auto* diameter = find<QComboBox>("BaseD");
    diameter->lineEdit()->selectAll();
    QTest::keyClicks(diameter->lineEdit(), QStringLiteral("-5"));
    // The spindle-speed step of the results window finds no diameter.
    QTest::mouseClick(find<QPushButton>("BitBtnSt1"), Qt::LeftButton);
    QCOMPARE(closer_->seen,
        QStringList {
            QStringLiteral("Предупреждение...|Ошибка задания 'диаметра инструмента' - D") });
    expectFocusOnCorrectedField("BaseD", QStringLiteral("0.00"));
}

void RussianDesktopTest::qtsOwnMenusAndButtonsSpeakRussian()
{
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    QVERIFY2(QFile::exists(QDir(translations).filePath(QStringLiteral("qtbase_ru.qm"))),
        qPrintable(QStringLiteral("no qtbase_ru.qm in %1: install the Debian package "
                                  "qt6-translations-l10n (tools/setup.sh --tests)")
                .arg(translations)));

    // The field's own menu, as a right click opens it; the shortcut keys and
    // the letter underlined are the translation's business.
    auto* speed = find<QLineEdit>("BaseVc");
    QContextMenuEvent click(QContextMenuEvent::Mouse, speed->rect().center(),
        speed->mapToGlobal(speed->rect().center()));
    QApplication::sendEvent(speed, &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QStringList items;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            items << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    menu->close();
    QCOMPARE(items,
        QStringList({ QStringLiteral("Отменить действие"), QStringLiteral("Повторить действие"),
            QStringLiteral("Вырезать"), QStringLiteral("Копировать"), QStringLiteral("Вставить"),
            QStringLiteral("Удалить"), QStringLiteral("Выделить всё") }));

    const QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
}

void RussianDesktopTest::aNarrowMenuBarShowsThePictureOfItsMoreButton()
{
    // The style's picture for the button of the menus without room, which
    // the prepared program reads when first painted, is there once shown.
    QMenuBar bar;
    for (int i = 1; i <= 8; ++i)
        bar.addMenu(QStringLiteral("Меню %1").arg(i));
    bar.resize(bar.sizeHint().width() / 3, bar.sizeHint().height());
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    auto* more = bar.findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
    QVERIFY(more);
    QTRY_VERIFY(more->isVisible());
    const QImage shown = more->grab().toImage();
    const QImage picture = more->icon().pixmap(more->iconSize()).toImage();
    QVERIFY(!picture.isNull());
    int ink = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ink += picture.pixelColor(x, y).alpha() >= 128;
    QVERIFY(ink > 0);
    // On the button's face: more colours than its plain background.
    QSet<QRgb> colours;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            colours.insert(shown.pixel(x, y));
    QVERIFY(colours.size() > 2);
}

int main(int argc, char** argv)
{
    // Started from a Russian desktop session.
    qputenv("LANG", "ru_RU.UTF-8");
    qputenv("LC_ALL", "ru_RU.UTF-8");
    QApplication app(argc, argv);
    // As the program's main() prepares it: Qt's translations among the rest.
    prepareApplication(app);
    if (!std::setlocale(LC_ALL, "ru_RU.UTF-8"))
        qWarning("the ru_RU.UTF-8 locale is not installed: only Qt's locale is Russian");
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    RussianDesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RussianDesktopTest.moc"
