// The park's editor: the selected machine's curve, its table, its nomogram
// and the curve from the datasheet; and the figures' texts.
#include "ui/windows/MachineEditor.h"

#include "app/NumberText.h"
#include "ui/addons/AddonLoader.h"
#include "ui/addons/Addons.h"
#include "ui/bind/FontScale.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace millcalc {

namespace {

// The curve's columns: the point's figures in the table's order.
double CurvePoint::* const kCurveColumns[]
    = { &CurvePoint::speedRpm, &CurvePoint::powerKw, &CurvePoint::torqueNm };

// A point's figure as its cell shows it: to a thousandth, which a curve
// computed from the datasheet would otherwise show to sixteen digits. The
// point keeps its figure until its cell is edited.
QString cellText(double value)
{
    return figureText(std::fabs(value) < 1e12 ? std::round(value * 1000) / 1000 : value);
}

} // namespace

QString figureText(double value)
{
    if (!std::isfinite(value))
        return {};
    // Plain decimals where they are short enough, with the fewest digits
    // that read back the same; an exponent only for the very large or small.
    const double size = std::fabs(value);
    if (size == 0 || (size >= 1e-4 && size < 1e15)) {
        for (int decimals = 0; decimals <= 15; ++decimals) {
            const std::string written = formatFixed(value, decimals);
            if (readReal(written) == value)
                return QString::fromStdString(written);
        }
    }
    for (int digits = 1; digits < 17; ++digits) {
        const std::string written = formatGeneral(value, digits);
        if (readReal(written) == value)
            return QString::fromStdString(written);
    }
    return QString::fromStdString(formatGeneral(value, 17));
}

double readFigure(const QString& figure)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (figure.trimmed().isEmpty())
        return 0;
    if (!number.match(figure).hasMatch())
        return std::numeric_limits<double>::quiet_NaN();
    return readReal(figure.toStdString());
}

QWidget* MachineEditor::createCurve()
{
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Кривая мощности и момента:")));
    curve_ = new QTableWidget(0, 3);
    curve_->setObjectName(QStringLiteral("GridCurve"));
    curve_->setHorizontalHeaderLabels(
        { QStringLiteral("об/мин"), QStringLiteral("кВт"), QStringLiteral("Н·м") });
    curve_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    curve_->verticalHeader()->setDefaultSectionSize(curve_->fontMetrics().height() + fromFont(6));
    curve_->setMinimumHeight(fromFont(120));
    connect(curve_, &QTableWidget::cellChanged, this, &MachineEditor::curveEdited);
    layout->addWidget(curve_, 1);
    auto* commands = new QHBoxLayout;
    auto* add = commandButton("BtnCurveAdd", "Добавить точку");
    auto* remove = commandButton("BtnCurveRemove", "Удалить точку");
    auto* datasheet = commandButton("BtnDatasheet", "По паспорту");
    datasheet->setToolTip(QStringLiteral(
        "Кривая из мощности, момента, оборотов перегиба и наибольших оборотов: 20 точек"));
    connect(add, &QPushButton::clicked, this, &MachineEditor::addPoint);
    connect(remove, &QPushButton::clicked, this, &MachineEditor::removePoint);
    connect(datasheet, &QPushButton::clicked, this, &MachineEditor::fromDatasheet);
    for (QPushButton* command : { add, remove, datasheet })
        commands->addWidget(command);
    layout->addLayout(commands);
    for (const char* key : { "curve", "spindle_load_kn" }) {
        QLabel* fault = faultLabel(key);
        faults_.insert(QString::fromUtf8(key), fault);
        layout->addWidget(fault);
    }
    spindleLoad_ = new QLabel;
    spindleLoad_->setObjectName(QStringLiteral("LabelSpindleLoad"));
    spindleLoad_->setWordWrap(true);
    layout->addWidget(spindleLoad_);
    return box;
}

QWidget* MachineEditor::createChart()
{
    auto* place = new QWidget;
    place->setObjectName(QStringLiteral("ChartMachine"));
    place->setMinimumSize(fromFont(QSize(340, 280)));
    auto* layout = new QVBoxLayout(place);
    layout->setContentsMargins(0, 0, 0, 0);
    if (Addons* module = addons()) {
        chart_ = module->createNomogramChart(place);
        chart_->showCurvesOnly();
        layout->addWidget(chart_->widget());
    } else {
        auto* missing = new QLabel(QStringLiteral("Номограмма недоступна.\n\n") + addonsError());
        missing->setAlignment(Qt::AlignCenter);
        missing->setWordWrap(true);
        layout->addWidget(missing);
    }
    return place;
}

void MachineEditor::showCurve()
{
    const MachineRecord& m = park_[static_cast<std::size_t>(row_)];
    showing_ = true;
    curve_->setRowCount(static_cast<int>(m.Curve.size()));
    for (int row = 0; row < curve_->rowCount(); ++row) {
        const CurvePoint& point = m.Curve[static_cast<std::size_t>(row)];
        for (int column = 0; column < 3; ++column) {
            curve_->setItem(
                row, column, new QTableWidgetItem(cellText(point.*kCurveColumns[column])));
        }
    }
    showing_ = false;
    redrawChart();
}

void MachineEditor::redrawChart()
{
    if (!chart_)
        return;
    NomogramChart::Points points;
    for (const CurvePoint& point : park_[static_cast<std::size_t>(row_)].Curve) {
        if (!std::isfinite(point.speedRpm))
            continue;
        if (std::isfinite(point.powerKw))
            points[0].append({ point.speedRpm, point.powerKw });
        if (std::isfinite(point.torqueNm))
            points[1].append({ point.speedRpm, point.torqueNm });
    }
    chart_->draw(points);
}

void MachineEditor::curveEdited(int row, int column)
{
    if (showing_ || row < 0 || column < 0 || column > 2)
        return;
    MachineRecord& m = current();
    if (row >= static_cast<int>(m.Curve.size()))
        return;
    const QTableWidgetItem* cell = curve_->item(row, column);
    m.Curve[static_cast<std::size_t>(row)].*kCurveColumns[column]
        = readFigure(cell ? cell->text() : QString());
    m.CurveFromDatasheet = false;
    redrawChart();
    if (checking_)
        showFault(faultOf(row_));
}

void MachineEditor::addPoint()
{
    MachineRecord& m = current();
    CurvePoint point = m.Curve.empty() ? CurvePoint {} : m.Curve.back();
    const int at
        = curve_->currentRow() >= 0 ? curve_->currentRow() + 1 : static_cast<int>(m.Curve.size());
    m.Curve.insert(m.Curve.begin() + at, point);
    m.CurveFromDatasheet = false;
    showCurve();
    curve_->setCurrentCell(at, 0);
}

void MachineEditor::removePoint()
{
    MachineRecord& m = current();
    const int at = curve_->currentRow();
    if (at < 0 || at >= static_cast<int>(m.Curve.size()))
        return;
    m.Curve.erase(m.Curve.begin() + at);
    m.CurveFromDatasheet = false;
    showCurve();
    curve_->setCurrentCell(std::min(at, curve_->rowCount() - 1), 0);
}

void MachineEditor::fromDatasheet()
{
    MachineRecord& m = current();
    std::vector<CurvePoint> built = datasheetCurve(m);
    if (built.empty()) {
        MachineRecord trial = m;
        trial.CurveFromDatasheet = true;
        MachineFault fault = validateMachine(trial);
        if (!fault || fault.field == "spindle_load_kn")
            fault = { "knee_rpm", "нужно больше наименьших оборотов и меньше наибольших" };
        showFault(fault);
        return;
    }
    m.Curve = std::move(built);
    m.CurveFromDatasheet = true;
    showCurve();
    showFault(checking_ ? faultOf(row_) : MachineFault {});
}

} // namespace millcalc
