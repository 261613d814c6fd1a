// The "Фрезы..." window offscreen: a cutter added, an invalid one refused with
// the reason beside its field, "OK" writing the user's file and never the
// shop's, a shop cutter copied, and a cut kept with a cutter and restored.
#include "RecordingToolkit.h"
#include "support/ScratchFolder.h"

#include "app/Controls.h"
#include "shell/FormMain.h"
#include "shell/table/MethodTable.h"
#include "ui/windows/CuttersWindow.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace millcalc;

namespace {

const char* const kShopLibrary = R"({
  "format": "millcalc-cutters",
  "version": 1,
  "cutters": [
    {"id": "shop-16", "name": "Цех: фреза 16 Z3", "d_mm": 16.0, "teeth": 3,
     "stickout_mm": 48.0, "material": "hss", "max_rpm": 6000.0}
  ]
}
)";

QByteArray readAll(const QString& path)
{
    return QByteArray::fromStdString(support::readFile(path.toStdString()));
}

} // namespace

class CuttersWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        home_ = std::make_unique<support::ScratchFolder>("cutters-window");
        home_->write("shop/millcalc/cutters.json", kShopLibrary);
        home_->exportXdg();
        form_ = std::make_unique<FormMain>(toolkit_);
        form_->start();
    }
    void cleanup()
    {
        form_.reset();
        home_.reset();
    }

    void theLibraryIsListed()
    {
        CuttersWindow window(*form_);
        auto* list = window.findChild<QListWidget*>(QStringLiteral("ListCutters"));
        QCOMPARE(list->count(), 1);
        QCOMPARE(window.editor("d")->text(), QStringLiteral("16"));
        QCOMPARE(form_->store().items(kWalterCutter).size(), std::size_t(2));
    }

    void anInvalidCutterIsRefusedBesideItsField()
    {
        const QByteArray shopBefore = readAll(shopFile());
        CuttersWindow window(*form_);
        click(window, "BtnCutterAdd");
        window.editor("d")->setText(QStringLiteral("-3"));
        window.editor("teeth")->setText(QStringLiteral("2.5"));
        click(window, "BtnCuttersOk");
        QVERIFY(!window.fault("d").isEmpty());
        QVERIFY(!window.fault("teeth").isEmpty());
        QVERIFY(window.fault("name").isEmpty());
        QVERIFY(!QFile::exists(userFile()));

        window.editor("d")->setText(QStringLiteral("12,5"));
        window.editor("teeth")->setText(QStringLiteral("4"));
        window.editor("maxRpm")->setText(QStringLiteral("24000"));
        click(window, "BtnCuttersOk");
        QCOMPARE(window.result(), int(QDialog::Accepted));
        const QByteArray user = readAll(userFile());
        QVERIFY(user.contains("\"d_mm\": 12.5"));
        QVERIFY(user.contains("Новая фреза"));
        QVERIFY(!user.contains("shop-16"));
        QCOMPARE(readAll(shopFile()), shopBefore);
        // The choosers list the new cutter after the shop's.
        QCOMPARE(form_->store().items(kTitaniumCutter).back(), std::string("Новая фреза"));
    }

    void aShopCutterIsCopiedIntoTheUsersFile()
    {
        const QByteArray shopBefore = readAll(shopFile());
        CuttersWindow window(*form_);
        click(window, "BtnCutterCopy");
        QCOMPARE(window.editor("name")->text(), QStringLiteral("Цех: фреза 16 Z3 (копия)"));
        click(window, "BtnCuttersOk");
        const QByteArray user = readAll(userFile());
        QVERIFY(user.contains("(копия)"));
        QVERIFY(user.contains("\"max_rpm\": 6000"));
        QCOMPARE(readAll(shopFile()), shopBefore);
        QCOMPARE(form_->cutters().library().cutters().size(), std::size_t(2));
    }

    void anOkWithoutChangesWritesNothing()
    {
        CuttersWindow window(*form_);
        click(window, "BtnCuttersOk");
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(!QFile::exists(userFile()));
    }

    void aCancelWritesNothing()
    {
        CuttersWindow window(*form_);
        click(window, "BtnCutterRemove");
        window.reject();
        QVERIFY(!QFile::exists(userFile()));
        QCOMPARE(form_->cutters().library().cutters().size(), std::size_t(1));
    }

    void aSavedCutIsStoredAndRestored()
    {
        form_->pick(kWalterCutter, 1);
        form_->typeText("BaseVc", "321");
        CuttersWindow window(*form_);
        click(window, "BtnCutterSaveCut");
        auto* cuts = window.findChild<QListWidget*>(QStringLiteral("ListCuts"));
        QCOMPARE(cuts->count(), 1);
        QVERIFY(readAll(userFile()).contains("\"BaseVc\""));

        form_->typeText("BaseVc", "100");
        form_->typeText("BaseD", "40");
        QCOMPARE(form_->store().index(kWalterCutter), 0);
        QTest::mouseClick(
            cuts->viewport(), Qt::LeftButton, {}, cuts->visualItemRect(cuts->item(0)).center());
        QCOMPARE(form_->store().text("BaseVc"), std::string("321"));
        QCOMPARE(form_->store().text("BaseD"), std::string("16"));
        QCOMPARE(form_->store().index(kWalterCutter), 1);
    }

private:
    static void click(CuttersWindow& window, const char* name)
    {
        auto* button = window.findChild<QPushButton*>(QString::fromUtf8(name));
        QVERIFY2(button, name);
        button->click();
    }
    QString shopFile() const
    {
        return QString::fromStdString(home_->path("shop/millcalc/cutters.json"));
    }
    QString userFile() const
    {
        return QString::fromStdString(home_->path("home/millcalc/cutters.json"));
    }

    RecordingToolkit toolkit_;
    std::unique_ptr<support::ScratchFolder> home_;
    std::unique_ptr<FormMain> form_;
};

QTEST_MAIN(CuttersWindowTest)
#include "CuttersWindowTest.moc"
