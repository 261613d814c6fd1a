// The program on a real desktop (run by run-desktop-geometry.sh: X screens of
// several sizes, font resolutions and palettes under a window manager, and a
// Wayland compositor): started as main() starts it, driven by key presses,
// its windows checked where the desktop put them. After each method's
// calculation, with the aluminium panels opened before the later ones: every
// input of the active page and every result just computed is on the screen,
// whole inside its window, under no other window of the program, and
// readable: its text at a contrast of 4.5:1 or more against its field in a
// screenshot. Under Wayland, where a program places no window, they all live
// in the main window.
#include "BinderProbe.h"
#include "DesktopHarness.h"

#include "shell/FormMain.h"
#include "ui/Desktop.h"
#include "ui/MainWindow.h"
#include "ui/QtToolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace millcalc;

namespace {

constexpr double kLeastContrast = 4.5;
// The red of a warning on a white field, exactly as the calculations define
// it for a light desktop, reaches 4.0:1 (3.998) and no more.
constexpr QRgb kWarningRed = 0xffff0000;
constexpr double kLeastContrastOfWarningRed = 3.99;

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The client windows from the bottom of the stack to its top, as the window
// manager keeps them.
QList<WId> stackingOrder()
{
    const QString line = run(QStringLiteral("xprop"),
        { QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING") });
    QList<WId> ids;
    const QRegularExpression id(QStringLiteral("0x[0-9a-fA-F]+"));
    for (auto it = id.globalMatch(line); it.hasNext();)
        ids << it.next().captured().toULongLong(nullptr, 16);
    return ids;
}

int number(const QString& text, const char* label)
{
    const QRegularExpression pattern(QString::fromLatin1(label) + QStringLiteral(":\\s*(-?\\d+)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        qFatal("xwininfo gave no %s", label);
    return match.captured(1).toInt();
}

// The frame of a client window on the screen, from the X server and the window
// manager's frame extents, in the program's (scaled) coordinates.
QRect realFrame(WId window)
{
    const QString info
        = run(QStringLiteral("xwininfo"), { QStringLiteral("-id"), QString::number(window) });
    QRect client(number(info, "Absolute upper-left X"), number(info, "Absolute upper-left Y"),
        number(info, "Width"), number(info, "Height"));
    const QString extents = run(QStringLiteral("xprop"),
        { QStringLiteral("-id"), QString::number(window), QStringLiteral("_NET_FRAME_EXTENTS") });
    const QRegularExpressionMatch m
        = QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)")).match(extents);
    if (m.hasMatch())
        client.adjust(-m.captured(1).toInt(), -m.captured(3).toInt(), m.captured(2).toInt(),
            m.captured(4).toInt());
    const qreal scale = qApp->devicePixelRatio();
    return QRect(qRound(client.x() / scale), qRound(client.y() / scale),
        qRound(client.width() / scale), qRound(client.height() / scale));
}

QRect globalRect(const QWidget* widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// What of the widget its parents leave in view (a scroll area's viewport, a
// splitter), up to its window.
QRect shownRect(const QWidget* widget)
{
    QRect shown = globalRect(widget);
    for (const QWidget* parent = widget->parentWidget(); parent && !shown.isEmpty();
        parent = parent->parentWidget()) {
        shown &= globalRect(parent);
        if (parent->isWindow())
            break;
    }
    return shown;
}

QString describe(const QWidget* widget)
{
    QString name = widget->objectName();
    if (name.isEmpty())
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            name = button->text();
    if (name.isEmpty())
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            name = QLatin1Char('"') + label->text().left(24) + QLatin1Char('"');
    return name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : name;
}

QString rectText(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// What a user types into, picks or presses on a page, with the captions that
// say what it is: every such control the page shows, whether or not its
// window is in view now.
QList<QWidget*> controlsOf(QWidget* page, bool buttons)
{
    QList<QWidget*> controls;
    if (!page)
        return controls;
    for (QWidget* child : page->findChildren<QWidget*>()) {
        if (!child->isVisibleTo(page))
            continue;
        if (qobject_cast<QLineEdit*>(child) && qobject_cast<QComboBox*>(child->parentWidget()))
            continue; // the line of an editable list: the list counts
        const auto* label = qobject_cast<QLabel*>(child);
        if (qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child)
            || qobject_cast<QTableWidget*>(child)
            || (buttons && qobject_cast<QAbstractButton*>(child))
            || (label && !label->text().trimmed().isEmpty()))
            controls << child;
    }
    return controls;
}

// The cell a table's text is measured on: its last filled one, a value.
const QTableWidgetItem* sampleCell(const QTableWidget* table)
{
    for (int row = table->rowCount() - 1; row >= 0; --row)
        for (int column = table->columnCount() - 1; column >= 0; --column)
            if (const QTableWidgetItem* item = table->item(row, column);
                item && !item->text().trimmed().isEmpty())
                return item;
    return nullptr;
}

QString shownText(const QWidget* widget)
{
    if (const auto* table = qobject_cast<const QTableWidget*>(widget)) {
        const QTableWidgetItem* cell = sampleCell(table);
        return cell ? cell->text() : QString();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* box = qobject_cast<const QComboBox*>(widget))
        return box->currentText();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return QString();
}

// Where the widget draws its text, in its own coordinates: the band of one
// line of its font across the field inside its frame (a list's edit field
// without its arrow).
QRect textBand(const QWidget* widget)
{
    QRect area = widget->rect();
    if (const auto* table = qobject_cast<const QTableWidget*>(widget)) {
        const QTableWidgetItem* cell = sampleCell(table);
        if (!cell)
            return QRect();
        const QRect inView = table->visualItemRect(cell);
        area = QRect(table->viewport()->mapTo(table, inView.topLeft()), inView.size());
    } else if (const auto* box = qobject_cast<const QComboBox*>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = box->isEditable();
        area = box->style()->subControlRect(
            QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    } else if (!qobject_cast<const QLabel*>(widget)) {
        const int frame
            = widget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget);
        area.adjust(frame + 1, 0, -frame - 1, 0);
    }
    const int line = widget->fontMetrics().height();
    const int top = area.top() + std::max(0, (area.height() - line) / 2);
    return QRect(area.left(), top, area.width(), std::min(line, area.height()));
}

// A text cut at the edge of the control that shows it: a caption narrower
// than its line or lower than its broken lines, a button narrower than its
// text, a value longer than its field. Empty where the text shows whole.
QString clippedText(const QWidget* widget)
{
    int shown = 0;
    int needed = 0;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->wordWrap()) {
            shown = label->height();
            needed = label->heightForWidth(label->width());
        } else {
            shown = label->width();
            needed = label->minimumSizeHint().width();
        }
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        if (button->text().isEmpty())
            return QString();
        shown = button->width();
        needed = button->minimumSizeHint().width();
    } else if (const auto* table = qobject_cast<const QTableWidget*>(widget)) {
        // Its rows and columns whole in its viewport, which scrolls no cell away.
        const QSize cells(table->horizontalHeader()->length(), table->verticalHeader()->length());
        const QSize viewport = table->viewport()->size();
        if (cells.width() <= viewport.width() && cells.height() <= viewport.height())
            return QString();
        return QStringLiteral(" shows %1x%2 of the %3x%4 pixels of its cells")
            .arg(viewport.width())
            .arg(viewport.height())
            .arg(cells.width())
            .arg(cells.height());
    } else if (!shownText(widget).isEmpty()) {
        shown = textBand(widget).width();
        needed = widget->fontMetrics().horizontalAdvance(shownText(widget));
    }
    if (shown >= needed)
        return QString();
    return QStringLiteral(" shows its text in %1 of the %2 pixels it needs").arg(shown).arg(needed);
}

QString colourText(QRgb colour)
{
    return QColor(colour).name();
}

} // namespace

class DesktopGeometryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void startUpShowsTheMainWindowWhole();
    void everyInputAndFreshResultInView_data();
    void everyInputAndFreshResultInView();
    void comparisonShowsWhatLimitsEachMachine_data();
    void comparisonShowsWhatLimitsEachMachine();
    void warningBoxOpensOverTheLog();
    void escapeClosesTheWindows();

private:
    template <typename T> T* find(const char* name) const
    {
        T* typed = qobject_cast<T*>(controlOf(*desktop_, name));
        if (!typed)
            qFatal("no widget %s", name);
        return typed;
    }
    QWidget* window(const char* name) const { return desktop_->window(name); }

    void settle();
    void pressKey(QWidget* target, const char* key, Qt::Key qtKey);
    void activateMain();
    QImage screenshot(const QString& name);
    QRect inShot(const QWidget* widget, const QRect& local) const;
    QStringList faultsInView(const QList<QWidget*>& controls, const QString& when);
    void checkOnScreen();
    void checkMainWindowFree();
    QList<QWidget*> shownWindows() const;

    QtToolkit toolkit_;
    std::unique_ptr<FormMain> form_;
    std::unique_ptr<Desktop> desktop_;
    QRect screen_;
    bool x11_ = false;
};

void DesktopGeometryTest::initTestCase()
{
    const QString platform = QGuiApplication::platformName();
    x11_ = platform == QLatin1String("xcb");
    QVERIFY2(x11_ || platform.startsWith(QLatin1String("wayland")),
        "the test needs an X server with a window manager or a Wayland compositor: run it "
        "through run-desktop-geometry.sh");
    form_ = std::make_unique<FormMain>(toolkit_);
    form_->start();
    desktop_ = std::make_unique<Desktop>(*form_);
    toolkit_.setMainWindow(&desktop_->mainWindow());
    desktop_->show();
    QVERIFY(QTest::qWaitForWindowExposed(&desktop_->mainWindow()));
    screen_ = desktop_->mainWindow().screen()->availableGeometry();
    // The splash closes itself after a second.
    QTRY_VERIFY_WITH_TIMEOUT(!window("FormMiniature")->isVisible(), 5000);
    settle();
}

void DesktopGeometryTest::cleanupTestCase()
{
    desktop_.reset();
    form_.reset();
}

void DesktopGeometryTest::settle()
{
    // The window manager maps, frames and stacks in its own time.
    QTest::qWait(400);
    QApplication::processEvents();
}

// The key on the focused target: a real key through the X server; a Wayland
// client cannot send one, and the compositor may keep the keyboard from a
// window it did not activate, so it goes to the target there.
void DesktopGeometryTest::pressKey(QWidget* target, const char* key, Qt::Key qtKey)
{
    target->setFocus();
    if (x11_)
        run(QStringLiteral("xdotool"), { QStringLiteral("key"), QString::fromLatin1(key) });
    else
        QTest::keyClick(target, qtKey);
    settle();
}

void DesktopGeometryTest::activateMain()
{
    MainWindow& main = desktop_->mainWindow();
    main.activateWindow();
    // A Wayland compositor activates a window on its own terms.
    if (x11_)
        QVERIFY(QTest::qWaitForWindowActive(&main));
}

QList<QWidget*> DesktopGeometryTest::shownWindows() const
{
    QList<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->winId())
            shown << w;
    }
    return shown;
}

// The pixels on the screen: the X server's root window; under Wayland, where
// a client sees no other's pixels, the main window as the program hands it to
// the compositor. Kept in MILLCALC_SCREENSHOTS when that names a folder, with
// the compositor's whole output when MILLCALC_HOST_DISPLAY names the X
// display it runs in.
QImage DesktopGeometryTest::screenshot(const QString& name)
{
    QWidget& main = desktop_->mainWindow();
    const QImage shot = x11_ ? main.screen()->grabWindow(0).toImage() : main.grab().toImage();
    const QString folder = qEnvironmentVariable("MILLCALC_SCREENSHOTS");
    if (!folder.isEmpty()) {
        // A folder named but not yet made is made, so that neither Qt nor
        // import fails to write into it.
        QDir().mkpath(folder);
        QString file
            = qEnvironmentVariable("MILLCALC_DESKTOP", QStringLiteral("desktop")) + '-' + name;
        file.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9.-]+")), QStringLiteral("-"));
        shot.save(QDir(folder).filePath(file + QStringLiteral(".png")));
        // The compositor's whole output too, where it is an X window.
        const QString host = qEnvironmentVariable("MILLCALC_HOST_DISPLAY");
        if (!x11_ && !host.isEmpty())
            run(QStringLiteral("import"),
                { QStringLiteral("-display"), host, QStringLiteral("-window"),
                    QStringLiteral("root"),
                    QDir(folder).filePath(file + QStringLiteral("-screen.png")) });
    }
    return shot;
}

// A rectangle of the widget in the screenshot's pixels.
QRect DesktopGeometryTest::inShot(const QWidget* widget, const QRect& local) const
{
    QPointF origin;
    qreal scale = 1;
    if (x11_) {
        const QScreen* screen = desktop_->mainWindow().screen();
        origin = widget->mapToGlobal(local.topLeft()) - screen->geometry().topLeft();
        scale = screen->devicePixelRatio();
    } else {
        origin = widget->mapTo(&desktop_->mainWindow(), local.topLeft());
        scale = desktop_->mainWindow().devicePixelRatio();
    }
    return QRectF(origin * scale, QSizeF(local.size()) * scale).toAlignedRect();
}

// Each control must be in view and readable; returns what is not.
QStringList DesktopGeometryTest::faultsInView(const QList<QWidget*>& controls, const QString& when)
{
    QStringList faults;
    const QList<WId> stack = x11_ ? stackingOrder() : QList<WId>();
    QHash<WId, QRect> frames;
    const auto frameOf = [&](const QWidget* w) {
        if (!frames.contains(w->winId()))
            frames.insert(w->winId(), realFrame(w->winId()));
        return frames.value(w->winId());
    };
    const QList<QWidget*> windows = shownWindows();
    const QImage shot = screenshot(when);
    MainWindow& main = desktop_->mainWindow();
    if (!x11_ && main.frameGeometry().width() > screen_.width())
        faults << QStringLiteral("the main window is wider than the screen");
    if (!x11_ && main.frameGeometry().height() > screen_.height())
        faults << QStringLiteral("the main window is taller than the screen");
    for (const QWidget* control : controls) {
        const QString name = describe(control);
        if (!control->isVisible()) {
            faults << name + QStringLiteral(" is hidden (its window or tab is not shown)");
            continue;
        }
        const QWidget* own = control->window();
        if (!x11_ && own != &main) {
            faults << name + QStringLiteral(" is in a window of its own, not in the main window");
            continue;
        }
        const QRect whole = globalRect(control);
        if (shownRect(control) != whole) {
            faults << name
                    + QStringLiteral(" is cut by its window (%1 of %2 shown)")
                          .arg(rectText(shownRect(control)), rectText(whole));
            continue;
        }
        if (const QString clipped = clippedText(control); !clipped.isEmpty()) {
            faults << name + clipped;
            continue;
        }
        if (x11_) {
            if (!screen_.contains(whole)) {
                faults << name + QStringLiteral(" at %1 leaves the screen").arg(rectText(whole));
                continue;
            }
            const qsizetype ownAt = stack.indexOf(own->winId());
            bool covered = false;
            for (const QWidget* other : windows) {
                const qsizetype otherAt = stack.indexOf(other->winId());
                if (other == own || otherAt < ownAt || !frameOf(other).intersects(whole))
                    continue;
                faults << name
                        + QStringLiteral(" is under %1 at %2")
                              .arg(describe(other), rectText(frameOf(other)));
                covered = true;
                break;
            }
            if (covered)
                continue;
        }
        // A selected text is drawn in the desktop's selection colours.
        const auto* box = qobject_cast<const QComboBox*>(control);
        const auto* edit = box ? box->lineEdit() : qobject_cast<const QLineEdit*>(control);
        if (shownText(control).trimmed().isEmpty() || (edit && edit->hasSelectedText()))
            continue;
        const InkOnField read = inkOnField(shot, inShot(control, textBand(control)));
        const QRgb field = read.field.rgb();
        const QRgb text = read.ink.rgb();
        const double ratio = read.ink.isValid() ? contrastRatio(read.ink, read.field) : 0;
        const double least = text == kWarningRed && field == 0xffffffffu
            ? kLeastContrastOfWarningRed
            : kLeastContrast;
        if (ratio < least)
            faults << name
                    + QStringLiteral(" reads at %1:1 (%2 on %3)")
                          .arg(ratio, 0, 'f', 2)
                          .arg(colourText(text), colourText(field));
    }
    for (QString& fault : faults)
        fault.prepend(when + QStringLiteral(": "));
    return faults;
}

void DesktopGeometryTest::checkOnScreen()
{
    if (!x11_)
        return; // a Wayland client does not learn where it is
    const QList<WId> stack = stackingOrder();
    for (QWidget* w : shownWindows()) {
        QVERIFY2(stack.contains(w->winId()), qPrintable(describe(w) + " is not managed"));
        const QRect frame = realFrame(w->winId());
        QVERIFY2(screen_.contains(frame),
            qPrintable(QStringLiteral("%1 at %2 leaves the screen %3")
                    .arg(describe(w), rectText(frame), rectText(screen_))));
    }
}

// No window of the program covers the main window's menu bar, its buttons or
// an input of its active page.
void DesktopGeometryTest::checkMainWindowFree()
{
    MainWindow& main = desktop_->mainWindow();
    QList<QWidget*> guarded { main.menuBar(), find<QWidget>("BitBtnGraphic"),
        find<QWidget>("BitBtnHelp"), find<QWidget>("BitCalcs") };
    guarded << controlsOf(find<QTabWidget>("PageControlParam")->currentWidget(), true);
    for (QLabel* label : main.centralWidget()->findChildren<QLabel*>()) {
        if (label->isVisible() && !label->text().trimmed().isEmpty() && !guarded.contains(label))
            guarded << label;
    }
    const QStringList faults = faultsInView(guarded, QStringLiteral("main window"));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void DesktopGeometryTest::startUpShowsTheMainWindowWhole()
{
    QCOMPARE(desktop_->mainWindow().focusWidget(), find<QWidget>("BitCalcs"));
    checkOnScreen();
    checkMainWindowFree();
}

void DesktopGeometryTest::everyInputAndFreshResultInView_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("panels");
    QTest::newRow("Walter") << 0 << QStringLiteral("EditStn") << false;
    QTest::newRow("aluminium") << 1 << QStringLiteral("Editn") << false;
    QTest::newRow("titanium") << 2 << QStringLiteral("EditTin") << false;
    QTest::newRow("aluminium, its panels open") << 1 << QStringLiteral("Editn") << true;
    QTest::newRow("titanium, the aluminium panels open") << 2 << QStringLiteral("EditTin") << true;
    QTest::newRow("Walter, the aluminium panels open") << 0 << QStringLiteral("EditStn") << true;
}

// "Расчет" by Enter, as a user presses it; then every input of the page and
// every result it wrote must be in view and readable.
void DesktopGeometryTest::everyInputAndFreshResultInView()
{
    QFETCH(int, method);
    QFETCH(QString, result);
    QFETCH(bool, panels);
    FieldStore& store = form_->store();
    if (panels && !store.visible("PanelTemp")) {
        // "Показать формулы" and ">>" on the aluminium results.
        form_->pick("PageControlParam", 1);
        form_->click("BitBtnPanelAl");
        form_->click("BitBtnAlTm1");
        settle();
        QVERIFY(store.visible("PanelFormulaAl"));
        QVERIFY(store.visible("PanelTemp"));
    }
    form_->pick("PageControlParam", method);
    activateMain();
    store.setText(result.toStdString(), "0");
    pressKey(find<QWidget>("BitCalcs"), "Return", Qt::Key_Return);
    QTRY_VERIFY(store.visible("PanelCalc"));
    QTRY_VERIFY(store.text(result.toStdString()) != "0");
    settle();
    QCOMPARE(store.index("PageControlMethods"), method);
    checkOnScreen();

    QList<QWidget*> controls { find<QWidget>("BitCalcs") };
    controls << controlsOf(find<QTabWidget>("PageControlParam")->currentWidget(), true);
    controls << controlsOf(find<QTabWidget>("PageControlMethods")->currentWidget(), false);
    controls << find<QWidget>("StatusBarMes");
    QStringList faults = faultsInView(controls, QString::fromUtf8(QTest::currentDataTag()));
    // The results' page fits its dock: no scroll bar takes room from it.
    const auto* scroll = window("PanelCalc")->findChild<QScrollArea*>();
    QVERIFY(scroll);
    for (const QScrollBar* bar : { scroll->horizontalScrollBar(), scroll->verticalScrollBar() })
        if (bar->isVisible())
            faults << QStringLiteral("the results scroll %1 by %2 pixels")
                          .arg(bar->orientation() == Qt::Vertical ? "down" : "sideways")
                          .arg(bar->maximum());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void DesktopGeometryTest::comparisonShowsWhatLimitsEachMachine_data()
{
    QTest::addColumn<int>("method");
    QTest::newRow("Walter comparison") << 0;
    QTest::newRow("aluminium comparison") << 1;
    QTest::newRow("titanium comparison") << 2;
}

// The comparison opened from the menu after "Расчет", in its dock where the
// program puts it: the machines, what limits each and what a fit would
// change are in view without scrolling, each column whole.
void DesktopGeometryTest::comparisonShowsWhatLimitsEachMachine()
{
    QFETCH(int, method);
    form_->pick("PageControlParam", method);
    activateMain();
    pressKey(find<QWidget>("BitCalcs"), "Return", Qt::Key_Return);
    form_->click("N27");
    settle();
    QVERIFY(form_->store().visible("PanelMachines"));
    auto* grid = find<QTableWidget>("StringGridMachines");
    QVERIFY(grid->isVisible());
    const QString when = QString::fromUtf8(QTest::currentDataTag());
    screenshot(when);
    const QWidget* viewport = grid->viewport();
    const QHeaderView* header = grid->horizontalHeader();
    const QRect shownCells = shownRect(viewport);
    QStringList faults;
    for (const char* heading : { "Станок", "Ограничивает", "Подбор" }) {
        int column = 0;
        while (column < grid->columnCount()
            && grid->horizontalHeaderItem(column)->text() != QString::fromUtf8(heading))
            ++column;
        if (column == grid->columnCount()) {
            faults << QStringLiteral("%1: no column %2").arg(when, QString::fromUtf8(heading));
            continue;
        }
        const QRect cells(viewport->mapToGlobal(QPoint(header->sectionViewportPosition(column), 0)),
            QSize(header->sectionSize(column), viewport->height()));
        if (header->sectionViewportPosition(column) < 0 || !shownCells.contains(cells)
            || (x11_ && !screen_.contains(cells)))
            faults << QStringLiteral("%1: the column %2 at %3 is not in view (%4 shown)")
                          .arg(when, QString::fromUtf8(heading), rectText(cells),
                              rectText(shownCells));
    }
    form_->close("PanelMachines");
    settle();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void DesktopGeometryTest::warningBoxOpensOverTheLog()
{
    form_->click("N13"); // the log in view
    settle();
    QWidget* log = window("FormMessage");
    QVERIFY(log->isVisible());
    form_->pick("PageControlParam", 0);
    form_->store().setText("BaseD", "0");
    activateMain();
    find<QWidget>("BitCalcs")->setFocus();
    bool seen = false;
    QString failure;
    QTimer::singleShot(800, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            failure = QStringLiteral("no warning box");
            return;
        }
        seen = true;
        if (x11_) {
            const QList<WId> stack = stackingOrder();
            if (stack.indexOf(box->winId()) < stack.indexOf(log->window()->winId()))
                failure = QStringLiteral("the box lies under the log");
            if (!screen_.contains(realFrame(box->winId())))
                failure = QStringLiteral("the box leaves the screen");
        }
        box->accept();
    });
    // Enter runs the Walter calculation, which stops at the diameter's box.
    if (x11_)
        run(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("Return") });
    else
        QTimer::singleShot(
            0, this, [this] { QTest::keyClick(find<QWidget>("BitCalcs"), Qt::Key_Return); });
    QTRY_VERIFY_WITH_TIMEOUT(seen || !failure.isEmpty(), 5000);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    form_->store().setText("BaseD", "25.0");
}

// Esc closes a window of its own (a floating dock, the nomogram), never the
// main window.
void DesktopGeometryTest::escapeClosesTheWindows()
{
    if (!x11_)
        QSKIP("a Wayland client cannot activate its own windows to give them the key");
    form_->click("N22"); // the material panel
    // The designations and the nomogram are windows of their own, which the
    // desktop places where it likes: on the screen, over the main window if
    // it fills the screen.
    form_->click("BitBtnHelp");
    settle();
    checkOnScreen();
    form_->click("BitBtnGraphic");
    settle();
    checkOnScreen();
    for (const char* name : { "FormGraphic", "FormHelp", "PanelTemp", "PanelFormulaAl",
             "PanelStMaterial", "PanelCalc" }) {
        QWidget* w = window(name);
        if (!w->isWindow())
            continue; // docked in the main window
        QVERIFY2(w->isVisible(), name);
        w->raise();
        w->activateWindow();
        // A tool window counts as active while its owner is: wait for the
        // application to say it has the keys.
        QTRY_VERIFY2(QApplication::activeWindow() == w, name);
        pressKey(w, "Escape", Qt::Key_Escape);
        QVERIFY2(!w->isVisible(), name);
        QVERIFY2(!form_->store().visible(name), name);
    }
    QVERIFY(desktop_->mainWindow().isVisible());
}

QTEST_MAIN(DesktopGeometryTest)
#include "DesktopGeometryTest.moc"
