// A group under a form stands its fields under the form's: its caption
// column widens by what its first field stands left of the form's, as the
// page is shown and as it is resized; a group whose captions (and frame)
// are wider than the form's keeps its fields where they are.
#include "ui/pages/ColumnAligner.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace millcalc {

class ColumnAlignerTest : public QObject {
    Q_OBJECT
private slots:
    void theGroupsFieldsStandUnderTheForms_data();
    void theGroupsFieldsStandUnderTheForms();
};

namespace {

struct AlignedPage {
    std::unique_ptr<QWidget> page = std::make_unique<QWidget>();
    QLineEdit* outer = new QLineEdit;
    QLineEdit* inner = new QLineEdit;
    QLineEdit* innerSecond = new QLineEdit;
};

// A form of one line with that caption, and a framed group of two lines
// with that caption under it.
void build(AlignedPage& built, const QString& formCaption, const QString& groupCaption)
{
    auto* column = new QVBoxLayout(built.page.get());
    auto* form = new QGridLayout;
    form->addWidget(new QLabel(formCaption), 0, 0);
    form->addWidget(built.outer, 0, 1);
    form->setColumnStretch(2, 1);
    column->addLayout(form);
    auto* group = new QGroupBox(QStringLiteral("группа"));
    auto* inner = new QGridLayout(group);
    inner->addWidget(new QLabel(groupCaption), 0, 0);
    inner->addWidget(built.inner, 0, 1);
    inner->addWidget(new QLabel(QStringLiteral("n=")), 1, 0);
    inner->addWidget(built.innerSecond, 1, 1);
    inner->setColumnStretch(2, 1);
    new ColumnAligner(built.page.get(), inner, built.outer, built.inner);
    column->addWidget(group);
    column->addStretch(1);
}

int xOn(const QWidget* page, const QWidget* widget)
{
    return widget->mapTo(page, QPoint()).x();
}

} // namespace

void ColumnAlignerTest::theGroupsFieldsStandUnderTheForms_data()
{
    QTest::addColumn<QString>("formCaption");
    QTest::addColumn<QString>("groupCaption");
    QTest::addColumn<bool>("aligned");
    QTest::newRow("a wide form caption")
        << QStringLiteral("Скорость резания, Vc (м/мин) =") << QStringLiteral("V =") << true;
    QTest::newRow("a short form caption")
        << QStringLiteral("Подача, F =") << QStringLiteral("n=") << true;
    QTest::newRow("a wider group caption")
        << QStringLiteral("V =") << QStringLiteral("Скорость резания, Vc (м/мин) =") << false;
}

void ColumnAlignerTest::theGroupsFieldsStandUnderTheForms()
{
    QFETCH(QString, formCaption);
    QFETCH(QString, groupCaption);
    QFETCH(bool, aligned);
    AlignedPage built;
    build(built, formCaption, groupCaption);
    built.page->resize(600, 300);
    built.page->show();
    QVERIFY(QTest::qWaitForWindowExposed(built.page.get()));
    const QWidget* page = built.page.get();
    if (aligned)
        QTRY_COMPARE(xOn(page, built.inner), xOn(page, built.outer));
    else
        QVERIFY(xOn(page, built.inner) > xOn(page, built.outer));
    // Both lines of the group keep one column, and the alignment holds as
    // the page is resized.
    QCOMPARE(xOn(page, built.innerSecond), xOn(page, built.inner));
    built.page->resize(700, 300);
    if (aligned)
        QTRY_COMPARE(xOn(page, built.inner), xOn(page, built.outer));
    QCOMPARE(xOn(page, built.innerSecond), xOn(page, built.inner));
}

} // namespace millcalc

QTEST_MAIN(millcalc::ColumnAlignerTest)
#include "ColumnAlignerTest.moc"
