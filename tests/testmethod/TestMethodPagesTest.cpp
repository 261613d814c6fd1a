// The page builder over a method that declares its pages and nothing else:
// the test method's input and result pages, built offscreen, hold its field
// with the caption its row gives, and the window shows them in its page
// controls before the blank result page.
#include "TestMethod.h"

#include "shell/table/Methods.h"
#include "ui/pages/MethodPages.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace millcalc {

class TestMethodPagesTest : public QObject {
    Q_OBJECT
private slots:
    void buildsTheDeclaredPagesOffscreen_data();
    void buildsTheDeclaredPagesOffscreen();
    void theTableLooksTheBuilderUp();
    void theResultPageIsTheGroupItsRowDeclares();
};

void TestMethodPagesTest::buildsTheDeclaredPagesOffscreen_data()
{
    QTest::addColumn<bool>("inputs");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("inputs") << true << "TabSheetTest" << "BaseTestN" << false;
    QTest::newRow("results") << false << "TabSheetTestResults" << "EditTestN" << true;
}

void TestMethodPagesTest::buildsTheDeclaredPagesOffscreen()
{
    QFETCH(bool, inputs);
    QFETCH(QString, page);
    QFETCH(QString, field);
    QFETCH(bool, readOnly);
    const std::unique_ptr<QWidget> built(
        inputs ? createInputPage(testMethod()) : createResultPage(testMethod()));
    QCOMPARE(built->objectName(), page);
    built->show();
    QVERIFY(QTest::qWaitForWindowExposed(built.get()));
    auto* edit = built->findChild<QLineEdit*>(field);
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->isReadOnly(), readOnly);
    QVERIFY(edit->isVisible());
    // The caption the row gives stands beside the field as its buddy.
    bool captioned = false;
    for (const QLabel* label : built->findChildren<QLabel*>()) {
        if (label->buddy() == edit)
            captioned = label->text().startsWith(QStringLiteral("Обороты шпинделя, n"));
    }
    QVERIFY(captioned);
}

void TestMethodPagesTest::theTableLooksTheBuilderUp()
{
    const Method& row = methods().back();
    QCOMPARE(QString::fromUtf8(row.caption), QString::fromUtf8(testMethod().caption));
    const std::unique_ptr<QWidget> page(createInputPage(row));
    QCOMPARE(page->objectName(), QStringLiteral("TabSheetTest"));
    QVERIFY(page->findChild<QLineEdit*>(QStringLiteral("BaseTestN")) != nullptr);
    // The program's methods come from the same builder, as their rows lay
    // their pages out.
    const std::unique_ptr<QWidget> walter(createInputPage(methods().front()));
    QCOMPARE(walter->objectName(), QStringLiteral("TabSheet1"));
    QVERIFY(walter->findChild<QWidget*>(QStringLiteral("Imagevs")) != nullptr);
}

void TestMethodPagesTest::theResultPageIsTheGroupItsRowDeclares()
{
    const std::unique_ptr<QWidget> page(createResultPage(methods().back()));
    QCOMPARE(page->objectName(), QStringLiteral("TabSheetTestResults"));
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    auto* edit = page->findChild<QLineEdit*>(QStringLiteral("EditTestN"));
    QVERIFY(edit != nullptr);
    // In the framed group the row titles, its unit on its line after it.
    auto* group = qobject_cast<QGroupBox*>(edit->parentWidget());
    QVERIFY(group != nullptr);
    QCOMPARE(group->title(), QStringLiteral("Проверка оборотов"));
    const QLabel* unit = nullptr;
    for (const QLabel* label : group->findChildren<QLabel*>()) {
        if (label->text() == QStringLiteral("об/мин"))
            unit = label;
    }
    QVERIFY(unit != nullptr);
    QVERIFY(unit->geometry().left() >= edit->geometry().right());
    QVERIFY(unit->geometry().top() < edit->geometry().bottom());
    QVERIFY(unit->geometry().bottom() > edit->geometry().top());
}

} // namespace millcalc

QTEST_MAIN(millcalc::TestMethodPagesTest)
#include "TestMethodPagesTest.moc"
