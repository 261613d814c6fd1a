// The one page builder over the program's methods: every control a row
// declares on its input page stands on the built page, of the kind the row
// declares, with the caption the row gives it as its buddy; the pictures and
// parts a row names are there; a name the builder does not know is refused.
#include "ui/pages/MethodPages.h"
#include "app/CutterDeflection.h"
#include "app/Designer.h"
#include "app/FieldStore.h"
#include "app/Method.h"
#include "shell/table/Methods.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/ResultPages.h"
#include "ui/pictures/PagePictures.h"
#include "ui/pictures/PictureLabel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace millcalc {

class MethodPagesTest : public QObject {
    Q_OBJECT
private slots:
    void everyDeclaredControlIsOnItsPage_data();
    void everyDeclaredControlIsOnItsPage();
    void thePicturesARowNamesAreOnItsPage_data();
    void thePicturesARowNamesAreOnItsPage();
    void anUnknownNameIsRefused();
    void everyDeclaredResultIsOnItsResultPage_data();
    void everyDeclaredResultIsOnItsResultPage();
    void theFieldsOfAGroupStandInTheirDeclaredOrder_data();
    void theFieldsOfAGroupStandInTheirDeclaredOrder();
    void theDeflectionFormulaTellsTheRowsModel_data();
    void theDeflectionFormulaTellsTheRowsModel();
    void aResultPageNamingWhatIsNotThereIsRefused();
};

namespace {

// A row of data for each method of the table, by its index.
void methodRows()
{
    QTest::addColumn<int>("method");
    for (std::size_t i = 0; i < methods().size(); ++i)
        QTest::newRow(methods()[i].caption) << static_cast<int>(i);
}

// The fault of a built control against the kind its row declares it of;
// empty where there is none.
QString kindFault(const QWidget* widget, const Field& field)
{
    bool fits = true;
    switch (field.kind) {
    case FieldKind::TextField: {
        const auto* edit = qobject_cast<const QLineEdit*>(widget);
        fits = edit != nullptr && edit->isReadOnly() == field.readOnly;
        break;
    }
    case FieldKind::EditableList:
    case FieldKind::DropDownList: {
        const auto* list = qobject_cast<const QComboBox*>(widget);
        fits = list != nullptr && list->isEditable() == (field.kind == FieldKind::EditableList);
        break;
    }
    case FieldKind::RadioGroup:
        fits = qobject_cast<const QGroupBox*>(widget) != nullptr;
        break;
    case FieldKind::CheckBox:
        fits = qobject_cast<const QCheckBox*>(widget) != nullptr;
        break;
    case FieldKind::Button:
        fits = qobject_cast<const QAbstractButton*>(widget) != nullptr;
        break;
    case FieldKind::Picture:
        fits = qobject_cast<const PictureLabel*>(widget) != nullptr;
        break;
    default:
        break;
    }
    return fits ? QString() : widget->objectName() + QStringLiteral(": not of its declared kind");
}

// Whether a label of the page has that caption and the widget as its buddy.
bool captionedBy(const QWidget* page, const QWidget* widget, const char* caption)
{
    const QString text
        = QString::fromUtf8(caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QLabel* label : page->findChildren<QLabel*>()) {
        if (label->buddy() == widget && label->text() == text)
            return true;
    }
    return false;
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
        QCOMPARE(kindFault(widget, field), QString());
        // An input with a caption on its page has it beside it, as its buddy.
        for (const FieldCaption& entry : row.inputs) {
            if (name != entry.field || entry.pageLabel == nullptr
                || field.kind == FieldKind::RadioGroup)
                continue;
            QVERIFY2(captionedBy(page.get(), widget, entry.pageLabel), qPrintable(objectName));
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

namespace {

// A built result page, shown offscreen, so that its lines have their places.
std::unique_ptr<QWidget> shownResultPage(const Method& row)
{
    std::unique_ptr<QWidget> page(createResultPage(row));
    page->show();
    if (!QTest::qWaitForWindowExposed(page.get()))
        return nullptr;
    return page;
}

// The groups of a result page in the order its row declares them.
std::vector<const ResultGroup*> groupsOf(const ResultPage& layout)
{
    std::vector<const ResultGroup*> groups;
    for (const ResultGroup& group : layout.over)
        groups.push_back(&group);
    for (const ResultColumn& column : layout.columns) {
        for (const ResultGroup& group : column.groups)
            groups.push_back(&group);
    }
    return groups;
}

} // namespace

void MethodPagesTest::everyDeclaredResultIsOnItsResultPage_data()
{
    methodRows();
}

// Every control its row declares on the result page is there, of its kind:
// the results (read-only where declared so), the step buttons, the pictures
// and formulas, the check boxes and the radio groups; and each result with a
// caption on its page has it as its buddy.
void MethodPagesTest::everyDeclaredResultIsOnItsResultPage()
{
    QFETCH(int, method);
    const Method& row = methods()[static_cast<std::size_t>(method)];
    FieldStore declared;
    Designer designer(declared);
    row.declare(designer);
    const std::unique_ptr<QWidget> page(createResultPage(row));
    QCOMPARE(page->objectName(), QString::fromUtf8(row.resultPage));
    int buttons = 0;
    int pictures = 0;
    for (const auto& [name, field] : declared.fields()) {
        if (field.parent != row.resultPage)
            continue;
        const QString objectName = QString::fromStdString(name);
        QWidget* widget = page->findChild<QWidget*>(objectName);
        QVERIFY2(widget != nullptr, qPrintable(objectName));
        QCOMPARE(kindFault(widget, field), QString());
        buttons += field.kind == FieldKind::Button ? 1 : 0;
        pictures += field.kind == FieldKind::Picture ? 1 : 0;
    }
    QVERIFY(buttons > 0);
    QVERIFY(pictures > 0);
    for (const FieldCaption& entry : row.results) {
        QWidget* widget = page->findChild<QWidget*>(QString::fromUtf8(entry.field));
        if (widget == nullptr || entry.pageLabel == nullptr)
            continue;
        QVERIFY2(captionedBy(page.get(), widget, entry.pageLabel), entry.field);
    }
}

void MethodPagesTest::theFieldsOfAGroupStandInTheirDeclaredOrder_data()
{
    methodRows();
}

// Down a group, each line's field under the one declared before it, and the
// page holds every field that its declaration names.
void MethodPagesTest::theFieldsOfAGroupStandInTheirDeclaredOrder()
{
    QFETCH(int, method);
    const Method& row = methods()[static_cast<std::size_t>(method)];
    QVERIFY(row.resultLayout != nullptr);
    const std::unique_ptr<QWidget> page = shownResultPage(row);
    QVERIFY(page != nullptr);
    int fields = 0;
    for (const ResultGroup* group : groupsOf(*row.resultLayout)) {
        int above = -1;
        for (const ResultLine& line : group->lines) {
            if (line.field == nullptr)
                continue;
            const QWidget* field = page->findChild<QWidget*>(QString::fromUtf8(line.field));
            QVERIFY2(field != nullptr, line.field);
            const int top = field->mapTo(page.get(), QPoint()).y();
            QVERIFY2(top > above, line.field);
            above = top;
            ++fields;
        }
    }
    QVERIFY(fields >= 1);
}

void MethodPagesTest::theDeflectionFormulaTellsTheRowsModel_data()
{
    methodRows();
}

void MethodPagesTest::theDeflectionFormulaTellsTheRowsModel()
{
    QFETCH(int, method);
    const Method& row = methods()[static_cast<std::size_t>(method)];
    if (row.deflection == nullptr)
        QSKIP("a row that computes no deflection shows no formula of it");
    const std::unique_ptr<QWidget> page(createResultPage(row));
    const QWidget* formula = page->findChild<QWidget*>(QString::fromUtf8(row.deflection->picture));
    QVERIFY(formula != nullptr);
    QCOMPARE(formula->toolTip(), QString::fromStdString(deflectionModelText(*row.deflection)));
}

// A declaration that names a picture the builder does not know, or a result
// its row gives no caption, is a fault of the program, not a page without it.
void MethodPagesTest::aResultPageNamingWhatIsNotThereIsRefused()
{
    Method row = methods().front();
    static constexpr ResultLine kUnknownPicture[] = { { .picture = "ImageNone" } };
    static constexpr ResultLine kUnknownResult[] = { { .field = "EditNone" } };
    static constexpr ResultGroup kPictureGroup[] = { { .lines = kUnknownPicture } };
    static constexpr ResultGroup kResultGroup[] = { { .lines = kUnknownResult } };
    static constexpr ResultPage kPicturePage { .over = kPictureGroup };
    static constexpr ResultPage kResultPage { .over = kResultGroup };
    row.resultLayout = &kPicturePage;
    QVERIFY_THROWS_EXCEPTION(std::logic_error, std::unique_ptr<QWidget>(buildResultPage(row)));
    row.resultLayout = &kResultPage;
    QVERIFY_THROWS_EXCEPTION(std::logic_error, std::unique_ptr<QWidget>(buildResultPage(row)));
    row.resultLayout = nullptr;
    QVERIFY_THROWS_EXCEPTION(std::logic_error, std::unique_ptr<QWidget>(buildResultPage(row)));
}

} // namespace millcalc

QTEST_MAIN(millcalc::MethodPagesTest)
#include "MethodPagesTest.moc"
