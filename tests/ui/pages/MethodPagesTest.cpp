// The one page builder over the program's methods: every control a row
// declares on its input page stands on the built page, of the kind the row
// declares, with the caption the row gives it as its buddy; the pictures and
// parts a row names are there; a name the builder does not know is refused.
#include "ui/pages/MethodPages.h"
#include "app/Designer.h"
#include "app/FieldStore.h"
#include "app/Method.h"
#include "shell/table/Methods.h"
#include "ui/pages/PageParts.h"
#include "ui/pictures/PagePictures.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <stdexcept>
#include <string>

namespace millcalc {

class MethodPagesTest : public QObject {
    Q_OBJECT
private slots:
    void everyDeclaredControlIsOnItsPage_data();
    void everyDeclaredControlIsOnItsPage();
    void thePicturesARowNamesAreOnItsPage_data();
    void thePicturesARowNamesAreOnItsPage();
    void anUnknownNameIsRefused();
};

namespace {

// A row of data for each method of the table, by its index.
void methodRows()
{
    QTest::addColumn<int>("method");
    for (std::size_t i = 0; i < methods().size(); ++i)
        QTest::newRow(methods()[i].caption) << static_cast<int>(i);
}

} // namespace

void MethodPagesTest::everyDeclaredControlIsOnItsPage_data()
{
    methodRows();
}

void MethodPagesTest::everyDeclaredControlIsOnItsPage()
{
    QFETCH(int, method);
    const Method& row = methods()[static_cast<std::size_t>(method)];
    FieldStore declared;
    Designer designer(declared);
    row.declare(designer);
    const std::unique_ptr<QWidget> page(createInputPage(row));
    QCOMPARE(page->objectName(), QString::fromUtf8(row.inputPage));
    int controls = 0;
    for (const auto& [name, field] : declared.fields()) {
        if (field.parent != row.inputPage)
            continue;
        const QString objectName = QString::fromStdString(name);
        QWidget* widget = page->findChild<QWidget*>(objectName);
        QVERIFY2(widget != nullptr, qPrintable(objectName));
        ++controls;
        switch (field.kind) {
        case FieldKind::TextField:
            QVERIFY2(qobject_cast<QLineEdit*>(widget), qPrintable(objectName));
            break;
        case FieldKind::EditableList:
        case FieldKind::DropDownList: {
            auto* list = qobject_cast<QComboBox*>(widget);
            QVERIFY2(list, qPrintable(objectName));
            QCOMPARE(list->isEditable(), field.kind == FieldKind::EditableList);
            break;
        }
        case FieldKind::RadioGroup:
            QVERIFY2(qobject_cast<QGroupBox*>(widget), qPrintable(objectName));
            break;
        default:
            break;
        }
        // An input with a caption on its page has it beside it, as its buddy.
        for (const FieldCaption& entry : row.inputs) {
            if (name != entry.field || entry.pageLabel == nullptr
                || field.kind == FieldKind::RadioGroup)
                continue;
            bool captioned = false;
            for (const QLabel* label : page->findChildren<QLabel*>()) {
                if (label->buddy() == widget)
                    captioned = label->text()
                        == QString::fromUtf8(entry.pageLabel)
                               .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            }
            QVERIFY2(captioned, qPrintable(objectName));
        }
    }
    QVERIFY(controls > 0);
}

void MethodPagesTest::thePicturesARowNamesAreOnItsPage_data()
{
    methodRows();
}

void MethodPagesTest::thePicturesARowNamesAreOnItsPage()
{
    QFETCH(int, method);
    const Method& row = methods()[static_cast<std::size_t>(method)];
    if (row.inputLayout == nullptr)
        QSKIP("a row that lays out no page names no picture");
    const std::unique_ptr<QWidget> page(createInputPage(row));
    const MethodPage& layout = *row.inputLayout;
    if (layout.picture.name != nullptr)
        QVERIFY(page->findChild<QWidget*>(QString::fromUtf8(layout.picture.name)));
    for (const auto& parts : { layout.under, layout.beside }) {
        for (const PagePart& part : parts) {
            if (part.picture != nullptr)
                QVERIFY(page->findChild<QWidget*>(QString::fromUtf8(part.picture)));
        }
    }
}

void MethodPagesTest::anUnknownNameIsRefused()
{
    QVERIFY_THROWS_EXCEPTION(std::logic_error, pagePicture("ImageNone"));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, pagePart("NoPart"));
    QCOMPARE(pagePicture("Imagevs").size, QSize(200, 100));
}

} // namespace millcalc

QTEST_MAIN(millcalc::MethodPagesTest)
#include "MethodPagesTest.moc"
