// The titanium pages in the desktop program: the selections switch their
// scheme and formula pictures, and the force choice moves only its highlight.
#include "BinderProbe.h"
#include "DesktopHarness.h"
#include "RecordingToolkit.h"

#include "titanium/TitaniumTables.h"
#include "ui/pictures/PictureLabel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QXmlStreamReader>
#include <QtTest>

#include <map>
#include <memory>
#include <vector>

using namespace millcalc;

namespace {

constexpr const char* kTitaniumResults[]
    = { "EditTifz", "EditTiVc", "EditTin", "EditTiF", "EditTiPx", "EditTiPy", "EditTiP", "EditTiMz",
          "EditTiNct", "EditTiVsmall", "EditTinsmall", "EditTiFsmall", "EditTiNctsmall" };

constexpr const char* kForces[] = { "EditTiPx", "EditTiPy", "EditTiP" };

QColor textColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::Text);
}

QAbstractButton* groupButton(QGroupBox* group, int index)
{
    auto* buttons = group->findChild<QButtonGroup*>();
    return buttons ? buttons->button(index) : nullptr;
}

void clickIndicator(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// The numbers a formula picture draws, in their order: for a product of powers,
// its exponents.
QList<double> numbersDrawn(const QString& file)
{
    QList<double> numbers;
    QFile svg(file);
    if (!svg.open(QIODevice::ReadOnly))
        return numbers;
    QXmlStreamReader xml(&svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"text")
            continue;
        bool isNumber = false;
        const double value = xml.readElementText().toDouble(&isNumber);
        if (isNumber)
            numbers.append(value);
    }
    return numbers;
}

struct Shown {
    QString text;
    QColor colour;
};

} // namespace

class TitaniumDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void selectionsSwitchTheirPicturesAndLeaveTheResults();
    void alloyPickWritesTheForceCoefficients();
    void forceChoiceMovesOnlyTheGreenHighlight();
    void forcePicturesShowTheExponentsOfTheComputation();

private:
    template <typename T> T* find(const char* name) const { return app_->find<T>(name); }
    void calculateOnTheTitaniumPage();
    std::map<std::string, Shown> results() const;

    std::unique_ptr<RecordingToolkit> toolkit_;
    std::unique_ptr<DesktopHarness> app_;
};

void TitaniumDesktopTest::init()
{
    toolkit_ = std::make_unique<RecordingToolkit>();
    app_ = std::make_unique<DesktopHarness>(*toolkit_);
}

void TitaniumDesktopTest::cleanup()
{
    app_.reset();
    toolkit_.reset();
}

void TitaniumDesktopTest::calculateOnTheTitaniumPage()
{
    QTabBar* tabs = find<QTabWidget>("PageControlParam")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    QCOMPARE(app_->store().index("PageControlMethods"), 2);
    QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    QVERIFY(app_->window("PanelCalc")->isVisible());
    QCOMPARE(find<QLineEdit>("EditTin")->text(), QStringLiteral("416.264"));
}

std::map<std::string, Shown> TitaniumDesktopTest::results() const
{
    std::map<std::string, Shown> shown;
    for (const char* name : kTitaniumResults) {
        const QLineEdit* edit = find<QLineEdit>(name);
        shown[name] = { edit->text(), textColour(edit) };
    }
    return shown;
}

void TitaniumDesktopTest::selectionsSwitchTheirPicturesAndLeaveTheResults()
{
    if (PictureLabel::pictureFile(QStringLiteral("ImageSurface"), 2).isEmpty())
        QSKIP("the pictures are not built into this test");
    calculateOnTheTitaniumPage();
    const std::map<std::string, Shown> before = results();

    const struct {
        const char* control;
        int index;
        std::vector<const char*> pictures;
    } picks[] = {
        { "ComboBoxTiMaterial", 1, { "ImageTiVbase" } },
        { "ComboBoxTiMaterial", 2, { "ImageTiVbase" } },
        { "RadioGroupTiSurface", 2, { "ImageSurface" } },
        { "RadioGroupTiSurface", 1, { "ImageSurface" } },
        { "RadioGroupTiDirection", 1, { "ImageDirection", "ImageTiVsmall" } },
        { "RadioGroupTiDirection", 0, { "ImageDirection", "ImageTiVsmall" } },
    };
    for (const auto& pick : picks) {
        std::vector<QImage> shownBefore;
        for (const char* name : pick.pictures) {
            QVERIFY2(find<PictureLabel>(name)->isVisible(), name);
            shownBefore.push_back(drawnWhole(find<PictureLabel>(name)));
        }
        if (auto* box = qobject_cast<QComboBox*>(controlOf(*app_->desktop, pick.control)))
            pickWithKeys(box, pick.index);
        else
            clickIndicator(groupButton(find<QGroupBox>(pick.control), pick.index));
        QCOMPARE(app_->store().index(pick.control), pick.index);
        for (std::size_t i = 0; i < pick.pictures.size(); ++i) {
            const QString name = QString::fromUtf8(pick.pictures[i]);
            auto* picture = find<PictureLabel>(pick.pictures[i]);
            QCOMPARE(picture->source(),
                QStringLiteral(":/pictures/%1_%2.svg").arg(name).arg(pick.index));
            QVERIFY2(drawnWhole(picture) != shownBefore[i], qPrintable(name));
        }
    }
    // A selection recomputes nothing: the results wait for the next "Расчет".
    const std::map<std::string, Shown> after = results();
    for (const char* name : kTitaniumResults) {
        QCOMPARE(after.at(name).text, before.at(name).text);
        QCOMPARE(after.at(name).colour, before.at(name).colour);
    }
}

void TitaniumDesktopTest::alloyPickWritesTheForceCoefficients()
{
    auto* alloy = find<QComboBox>("ComboBoxTiMaterial");
    auto* cx = find<QLineEdit>("EditTiPxcoeff");
    auto* cy = find<QLineEdit>("EditTiPycoeff");
    QVERIFY(cx->isReadOnly());
    QVERIFY(!cx->hasFrame());
    QCOMPARE(cx->text(), QStringLiteral("3850."));
    pickWithKeys(alloy, 2);
    QCOMPARE(alloy->currentText(), QStringLiteral("ВТ 6ч"));
    QCOMPARE(cx->text(), QStringLiteral("11480."));
    QCOMPARE(cy->text(), QStringLiteral("8570."));
    pickWithKeys(alloy, 1);
    QCOMPARE(cx->text(), QStringLiteral("3850."));
    QCOMPARE(cy->text(), QStringLiteral("1040."));
}

void TitaniumDesktopTest::forceChoiceMovesOnlyTheGreenHighlight()
{
    calculateOnTheTitaniumPage();
    const std::map<std::string, Shown> before = results();
    QCOMPARE(before.at("EditTiPy").colour, QColor(0, 128, 0));
    QCOMPARE(before.at("EditTiMz").colour, QColor(0, 128, 0)); // 7.40 of 57 N·m

    auto* group = find<QGroupBox>("RadioGroupTiPz");
    for (const int choice : { 0, 2, 1 }) {
        clickIndicator(groupButton(group, choice));
        QCOMPARE(app_->store().index("RadioGroupTiPz"), choice);
        const std::map<std::string, Shown> after = results();
        for (const char* name : kTitaniumResults) {
            QCOMPARE(after.at(name).text, before.at(name).text);
            bool isForce = false;
            for (int i = 0; i < 3; ++i) {
                if (std::string(name) == kForces[i]) {
                    isForce = true;
                    const QColor expected = i == choice ? QColor(0, 128, 0) : QColor(0, 0, 0);
                    QVERIFY2(after.at(name).colour == expected, name);
                }
            }
            if (!isForce)
                QVERIFY2(after.at(name).colour == before.at(name).colour, name);
        }
    }
}

void TitaniumDesktopTest::forcePicturesShowTheExponentsOfTheComputation()
{
    if (PictureLabel::pictureFile(QStringLiteral("Image25"), 0).isEmpty())
        QSKIP("the pictures are not built into this test");
    const struct {
        const char* picture;
        titanium::ForceExponents exponents;
    } forces[] = { { "Image25", titanium::kPxExponents }, { "Image26", titanium::kPyExponents } };
    for (const auto& force : forces) {
        const QList<double> computed
            = { force.exponents.fz, force.exponents.t, force.exponents.B, force.exponents.hz };
        QCOMPARE(numbersDrawn(find<PictureLabel>(force.picture)->source()), computed);
    }
}

QTEST_MAIN(TitaniumDesktopTest)
#include "TitaniumDesktopTest.moc"
