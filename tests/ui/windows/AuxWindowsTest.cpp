// The auxiliary windows in the desktop program: the splash closed by its timer,
// the designations window shown and raised by its two commands, and the About
// window with its labels and the mail command, whose failure shows the error box.
#include "BinderProbe.h"
#include "DesktopHarness.h"
#include "RecordingToolkit.h"

#include "shell/FormMain.h"
#include "ui/Desktop.h"
#include "ui/FieldBinder.h"
#include "ui/MainWindow.h"
#include "ui/QtToolkit.h"
#include "ui/pictures/JpegPicture.h"
#include "ui/pictures/PictureLabel.h"
#include "ui/windows/AboutWindow.h"
#include "ui/windows/HelpWindow.h"
#include "ui/windows/IdleBuild.h"
#include "ui/windows/MailtoHandOff.h"
#include "ui/windows/SplashWindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using namespace millcalc;

namespace {

// Records which windows the window logic brings to the front.
struct RaiseRecordingToolkit : RecordingToolkit {
    std::vector<std::string> raised;
    void raise(const std::string& window) override { raised.push_back(window); }
};

// A mail program that takes the letter or refuses it at once, as told.
struct FakeMail : MailHandOff {
    bool answer = false;
    QList<MailMessage> letters;
    void compose(const MailMessage& message, Outcome done) override
    {
        letters.append(message);
        done(answer);
    }
};

// A stand-in for xdg-email: writes its arguments one a line into `arguments`
// beside it, waits `seconds`, and exits with `status`.
QString standInLauncher(const QTemporaryDir& dir, int status, const char* seconds = "0.2")
{
    const QString path = dir.filePath(QStringLiteral("launcher"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the stand-in launcher");
    file.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\nsleep %2\nexit %3\n")
            .arg(dir.filePath(QStringLiteral("arguments")), QString::fromLatin1(seconds))
            .arg(status)
            .toUtf8());
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

// Records every message box that opens and presses its OK, as a user who has
// read it.
class BoxRecorder : public QObject {
public:
    struct Box {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        qsizetype buttons;
        QWidget* owner;
    };

    BoxRecorder()
    {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen.append({ box->windowTitle(), box->text(), box->icon(), box->buttons().size(),
                box->parentWidget() });
            box->button(QMessageBox::Ok)->click();
        });
        timer_.start();
    }

    QList<Box> seen;

private:
    QTimer timer_;
};

QLabel* labelWithText(const QWidget& window, const QString& text)
{
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

bool roughlyEqual(const QPoint& a, const QPoint& b)
{
    return (a - b).manhattanLength() <= 4;
}

} // namespace

class AuxWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void splashIsAFramelessPictureCentredOnTheMainWindow();
    void splashTimerClosesItThroughTheWindowLogicAboutASecondLater();
    void designationsWindowIsAToolWindowFittingItsScheme();
    void designationsCommandsShowAndRaiseIt();
    void aboutWindowShowsItsLabelsOverItsBackground();
    void aboutWindowIsModalCentredAndFreshEachTime();
    void mailLinkLooksLikeALink();
    void mailLinkAndPictureHandOverTheLetter();
    void mailFailureShowsTheErrorBoxOverTheAboutWindow();
    void failingMailLauncherShowsTheErrorBoxWithoutBlocking();
    void mailLauncherStillRunningAtTheVerdictCountsAsHandedOver();
    void mailUrlCarriesSubjectAndBodyEncodedAndNoRecipient();
    void mailUrlKeepsQueryCharactersInsideTheTexts();

private:
    template <typename T> T* find(const char* name) const { return app_->find<T>(name); }

    std::unique_ptr<RaiseRecordingToolkit> toolkit_;
    std::unique_ptr<DesktopHarness> app_;
};

void AuxWindowsTest::init()
{
    toolkit_ = std::make_unique<RaiseRecordingToolkit>();
    app_ = std::make_unique<DesktopHarness>(*toolkit_);
}

void AuxWindowsTest::cleanup()
{
    app_.reset();
    toolkit_.reset();
}

void AuxWindowsTest::splashIsAFramelessPictureCentredOnTheMainWindow()
{
    auto* splash = qobject_cast<SplashWindow*>(app_->desktop->window("FormMiniature"));
    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    QCOMPARE(splash->size(), QSize(200, 200));
    QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY2(
        !splash->picture().picture().isNull(), qPrintable(splash->picture().picture().error()));
    QCOMPARE(splash->picture().size(), QSize(200, 200));
    QVERIFY(roughlyEqual(
        splash->frameGeometry().center(), app_->desktop->mainWindow().frameGeometry().center()));
    // The main window keeps the focus on "Расчет" while the splash is up.
    QCOMPARE(app_->form.store().focused(), std::string("BitCalcs"));
}

void AuxWindowsTest::splashTimerClosesItThroughTheWindowLogicAboutASecondLater()
{
    auto* splash = qobject_cast<SplashWindow*>(app_->desktop->window("FormMiniature"));
    QCOMPARE(splash->timer().objectName(), QStringLiteral("Timer1"));
    QCOMPARE(splash->timer().interval(), 1000);
    QElapsedTimer clock;
    clock.start();
    QTRY_VERIFY_WITH_TIMEOUT(!splash->isVisible(), 5000);
    QVERIFY2(clock.elapsed() >= 900, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!app_->form.store().visible("FormMiniature"));
    QVERIFY(app_->desktop->mainWindow().isVisible());
    // Nothing is left to close: the timer rests.
    QVERIFY(!splash->timer().isActive());
}

void AuxWindowsTest::designationsWindowIsAToolWindowFittingItsScheme()
{
    auto* help = qobject_cast<HelpWindow*>(app_->desktop->window("FormHelp"));
    QVERIFY(help);
    QVERIFY(!help->isVisible());
    QCOMPARE(help->windowTitle(), QStringLiteral("Обозначения"));
    QCOMPARE(help->windowType(), Qt::Tool);
    QVERIFY2(!help->scheme().picture().isNull(), qPrintable(help->scheme().picture().error()));
    QCOMPARE(help->scheme().picture().image().size(), QSize(304, 600));
    QCOMPARE(help->size(), QSize(304, 600));
    QCOMPARE(help->pos(), QPoint(HelpWindow::kLeft, HelpWindow::kTop));
    QCOMPARE(help->pos(), QPoint(259, 132));
    // Sizeable: the picture follows the window.
    QVERIFY(help->minimumSize() != help->maximumSize());
}

void AuxWindowsTest::designationsCommandsShowAndRaiseIt()
{
    QWidget* help = app_->desktop->window("FormHelp");
    find<QPushButton>("BitBtnHelp")->click();
    QVERIFY(help->isVisible());
    QVERIFY(app_->form.store().visible("FormHelp"));
    QCOMPARE(toolkit_->raised, std::vector<std::string> { "FormHelp" });

    QVERIFY(!help->close());
    QVERIFY(!help->isVisible());
    QVERIFY(!app_->form.store().visible("FormHelp"));

    find<QAction>("N8")->trigger();
    QVERIFY(help->isVisible());
    QCOMPARE(toolkit_->raised, (std::vector<std::string> { "FormHelp", "FormHelp" }));
    QCOMPARE(find<QAction>("N8")->text(), QStringLiteral("&Схема параметров.."));
}

void AuxWindowsTest::aboutWindowShowsItsLabelsOverItsBackground()
{
    FakeMail mail;
    AboutWindow window(&app_->desktop->mainWindow(), mail);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.objectName(), QStringLiteral("FormAbout"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Об авторе ..."));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY2(
        !window.background().picture().isNull(), qPrintable(window.background().picture().error()));
    QCOMPARE(window.size(), QSize(280, 199));
    QCOMPARE(window.minimumSize(), QSize(280, 199));
    QCOMPARE(window.maximumSize(), QSize(280, 199));

    QLabel* author = labelWithText(window, QStringLiteral("Автор программы:"));
    QLabel* idea = labelWithText(window, QStringLiteral("Идея, вдохновитель:"));
    QVERIFY(author && idea);
    QVERIFY(author->font().bold());
    QVERIFY(idea->font().bold());
    // The author's name follows its label, the second name the other one.
    QVERIFY(author->geometry().bottom() < window.mailLink()->geometry().top());
    QVERIFY(window.mailLink()->geometry().bottom() < idea->geometry().top());
    // Nothing is cut off: every label fits the window and its own text.
    const QRect inside(QPoint(0, 0), window.size());
    for (QLabel* label : window.findChildren<QLabel*>()) {
        const QRect placed(label->mapTo(&window, QPoint(0, 0)), label->size());
        QVERIFY2(inside.contains(placed), qPrintable(label->text()));
        QVERIFY2(label->width() >= label->sizeHint().width()
                && label->height() >= label->sizeHint().height(),
            qPrintable(label->text()));
        QVERIFY(!label->text().isEmpty());
    }
    const QRect picture(
        window.mailPicture()->mapTo(&window, QPoint(0, 0)), window.mailPicture()->size());
    QVERIFY(inside.contains(picture));
    QCOMPARE(window.mailPicture()->source(), QStringLiteral(":/pictures/MailPicture.svg"));
}

void AuxWindowsTest::aboutWindowIsModalCentredAndFreshEachTime()
{
    QtToolkit qt;
    qt.setMainWindow(&app_->desktop->mainWindow());
    QWidget* owner = &app_->desktop->mainWindow();
    // The window as the idle build and its queued relayouts leave it (the
    // inputs at one width): settled once a few turns pass without a move.
    QTRY_VERIFY_WITH_TIMEOUT(app_->desktop->idleBuild().done(), 20000);
    QRect settled;
    int still = 0;
    for (int turn = 0; turn < 400 && still < 5; ++turn) {
        QTest::qWait(20);
        still = owner->geometry() == settled ? still + 1 : 0;
        settled = owner->geometry();
    }
    QCOMPARE(still, 5);
    for (int time = 0; time < 2; ++time) {
        QPointer<QWidget> seen;
        bool appeared = false;
        bool modal = false;
        bool centred = false;
        QString title;
        QTimer::singleShot(0, this, [&] {
            QWidget* window = QApplication::activeModalWidget();
            if (!window)
                return;
            seen = window;
            appeared = true;
            modal = window->isModal();
            title = window->windowTitle();
            centred = roughlyEqual(window->geometry().center(), owner->geometry().center());
            window->close();
        });
        qt.showModal("FormAbout", "Об авторе ...");
        QVERIFY(appeared);
        QVERIFY(modal);
        QCOMPARE(title, QStringLiteral("Об авторе ..."));
        QVERIFY(centred);
        // Destroyed once closed: the next command creates a fresh one.
        QVERIFY(seen.isNull());
    }
    // The commands reach the toolkit's modal window.
    find<QAction>("N10")->trigger();
    find<QAction>("N1")->trigger();
    QCOMPARE(toolkit_->modals, (std::vector<std::string> { "FormAbout", "FormAbout" }));
}

void AuxWindowsTest::mailLinkLooksLikeALink()
{
    FakeMail mail;
    AboutWindow window(nullptr, mail);
    QLabel* link = window.mailLink();
    QVERIFY(link->font().underline());
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(link->text().contains(QLatin1Char('@')));
    QVERIFY(window.mailPicture()->isClickable());
    QCOMPARE(window.mailPicture()->cursor().shape(), Qt::PointingHandCursor);
}

void AuxWindowsTest::mailLinkAndPictureHandOverTheLetter()
{
    FakeMail mail;
    mail.answer = true;
    AboutWindow window(nullptr, mail);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    BoxRecorder boxes;
    QTest::mouseClick(window.mailLink(), Qt::RightButton);
    QCOMPARE(mail.letters.size(), 0);
    QTest::mouseClick(window.mailLink(), Qt::LeftButton);
    QCOMPARE(mail.letters.size(), 1);
    QTest::mouseClick(window.mailPicture(), Qt::LeftButton);
    QCOMPARE(mail.letters.size(), 2);
    for (const MailMessage& letter : mail.letters) {
        QCOMPARE(letter.subject, QStringLiteral("Замечание к программе..."));
        QCOMPARE(letter.body, QStringLiteral("Привет. Меня зовут ...."));
    }
    // Handed over: no box.
    QTest::qWait(50);
    QVERIFY(boxes.seen.isEmpty());
}

void AuxWindowsTest::mailFailureShowsTheErrorBoxOverTheAboutWindow()
{
    FakeMail mail;
    mail.answer = false;
    AboutWindow window(&app_->desktop->mainWindow(), mail);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    BoxRecorder boxes;
    QTest::mouseClick(window.mailLink(), Qt::LeftButton);
    QCOMPARE(mail.letters.size(), 1);
    QCOMPARE(boxes.seen.size(), 1);
    const BoxRecorder::Box& box = boxes.seen.first();
    QCOMPARE(box.caption, QStringLiteral("Ошибка"));
    QCOMPARE(box.text, QStringLiteral("Ошибка посылки письма..."));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, 1);
    // Over the About window, which stays on top of the main window.
    QCOMPARE(box.owner, &window);
    // The window stays open for another try.
    QVERIFY(window.isVisible());
    QTest::mouseClick(window.mailPicture(), Qt::LeftButton);
    QCOMPARE(boxes.seen.size(), 2);
    // Nothing reached the window logic.
    QVERIFY(toolkit_->boxes.empty());
}

void AuxWindowsTest::failingMailLauncherShowsTheErrorBoxWithoutBlocking()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // xdg-email exits with 3 when no mail program is set up.
    MailtoHandOff mail(standInLauncher(dir, 3));
    AboutWindow window(&app_->desktop->mainWindow(), mail);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    BoxRecorder boxes;
    QTest::mouseClick(window.mailLink(), Qt::LeftButton);
    // The click returns before the launcher has exited; a second one waits.
    QVERIFY(window.mailPending());
    QVERIFY(boxes.seen.isEmpty());
    QTest::mouseClick(window.mailPicture(), Qt::LeftButton);
    QTRY_COMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.first().text, QStringLiteral("Ошибка посылки письма..."));
    QCOMPARE(boxes.seen.first().icon, QMessageBox::Critical);
    QCOMPARE(boxes.seen.first().owner, &window);
    QVERIFY(!window.mailPending());
    // The letter went as one argument, a mailto: URL, no shell between.
    QFile arguments(dir.filePath(QStringLiteral("arguments")));
    QVERIFY(arguments.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(arguments.readAll()),
        MailtoHandOff::url({ QString::fromUtf8(AboutWindow::kMailSubject),
                               QString::fromUtf8(AboutWindow::kMailBody) })
                .toString(QUrl::FullyEncoded)
            + QLatin1Char('\n'));

    // No launcher at all; the About window closed before the outcome: the box
    // opens over the main window.
    MailtoHandOff missing(dir.filePath(QStringLiteral("no-such-launcher")));
    auto closed = std::make_unique<AboutWindow>(&app_->desktop->mainWindow(), missing);
    closed->sendMail();
    closed.reset();
    QTRY_COMPARE(boxes.seen.size(), 2);
    QCOMPARE(boxes.seen.last().text, QStringLiteral("Ошибка посылки письма..."));
    QCOMPARE(boxes.seen.last().owner, &app_->desktop->mainWindow());
    QVERIFY(!QApplication::overrideCursor());
}

void AuxWindowsTest::mailLauncherStillRunningAtTheVerdictCountsAsHandedOver()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // As xdg-email waiting for a Thunderbird it started, which later fails.
    MailtoHandOff mail(standInLauncher(dir, 4, "0.5"), 100);
    AboutWindow window(&app_->desktop->mainWindow(), mail);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    BoxRecorder boxes;
    QTest::mouseClick(window.mailLink(), Qt::LeftButton);
    QVERIFY(window.mailPending());
    QTRY_VERIFY(!window.mailPending());
    QVERIFY(!QApplication::overrideCursor());
    QTest::qWait(800);
    QVERIFY(boxes.seen.isEmpty());
}

void AuxWindowsTest::mailUrlCarriesSubjectAndBodyEncodedAndNoRecipient()
{
    const QUrl url = MailtoHandOff::url(
        { QStringLiteral("Замечание к программе..."), QStringLiteral("Привет. Меня зовут ....") });
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QVERIFY(url.path().isEmpty());
    QCOMPARE(url.toString(QUrl::FullyEncoded),
        QStringLiteral("mailto:?subject="
                       "%D0%97%D0%B0%D0%BC%D0%B5%D1%87%D0%B0%D0%BD%D0%B8%D0%B5%20%D0%BA%20"
                       "%D0%BF%D1%80%D0%BE%D0%B3%D1%80%D0%B0%D0%BC%D0%BC%D0%B5..."
                       "&body="
                       "%D0%9F%D1%80%D0%B8%D0%B2%D0%B5%D1%82.%20%D0%9C%D0%B5%D0%BD%D1%8F%20"
                       "%D0%B7%D0%BE%D0%B2%D1%83%D1%82%20...."));
}

void AuxWindowsTest::mailUrlKeepsQueryCharactersInsideTheTexts()
{
    const MailMessage letter { QStringLiteral("a&b=c+d #1?"), QStringLiteral("100% \"ok\"\nnext") };
    const QUrl url = MailtoHandOff::url(letter);
    const QUrlQuery query(url);
    QCOMPARE(query.queryItems().size(), 2);
    QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), letter.subject);
    QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded), letter.body);
    QVERIFY(url.path().isEmpty());
    QVERIFY(url.fragment().isNull());
}

QTEST_MAIN(AuxWindowsTest)
#include "AuxWindowsTest.moc"
