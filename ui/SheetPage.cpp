#include "ui/SheetPage.h"

#include "shell/CalculationSheet.h"
#include "ui/NomogramColours.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <vector>

namespace millcalc {

namespace {

constexpr double kMarginMm = 15;
constexpr double kCellPaddingMm = 0.6;
constexpr double kBodyPt = 8;
constexpr double kNotePt = 7;
constexpr double kSmallPt = 7;

using namespace nomogram;
const QColor kRule(0xa0, 0xa0, 0xa0);
const QColor kHeading(0xe6, 0xe6, 0xe6);

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

struct Cell {
    QString text;
    bool bold = false;
    QColor colour = Qt::black;
    Qt::Alignment align = Qt::AlignLeft;
};

// Lays the sheet out from the top of the page down, in millimetres.
class SheetLayout {
public:
    SheetLayout(QPainter& painter, const QRectF& page)
        : painter_(painter)
        , pxPerMm_(page.width() / 210.0)
        , left_(page.left() + mm(kMarginMm))
        , width_(page.width() - 2 * mm(kMarginMm))
        , top_(page.top() + mm(kMarginMm))
        , bottom_(page.bottom() - mm(kMarginMm))
        , y_(top_)
    {
    }

    double mm(double value) const { return value * pxPerMm_; }
    double left() const { return left_; }
    double width() const { return width_; }
    double y() const { return y_; }
    void setY(double y) { y_ = y; }
    void skip(double millimetres) { y_ += mm(millimetres); }
    double room() const { return bottom_ - y_; }

    QFont font(double points, bool bold = false) const
    {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setStyleHint(QFont::SansSerif);
        // Sizes on paper: the device's resolution turns points into pixels.
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(mm(points * 25.4 / 72)))));
        f.setBold(bold);
        return f;
    }

    double lineHeight(double points) const
    {
        return QFontMetricsF(font(points), painter_.device()).lineSpacing();
    }

    // Wrapped at blanks, and anywhere in a word too long for the width
    // ("каретки,кронштейн"), so that nothing is cut.
    int wrapping(const QString& text, const QFont& f, double width) const
    {
        const QFontMetricsF metrics(f, painter_.device());
        for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (metrics.horizontalAdvance(word) > width)
                return Qt::TextWrapAnywhere;
        }
        return Qt::TextWordWrap;
    }

    // Wrapped text at the given place and width; returns its height.
    double textHeight(const QString& text, double points, bool bold, double width) const
    {
        const QFont f = font(points, bold);
        const QFontMetricsF metrics(f, painter_.device());
        return metrics.boundingRect(QRectF(0, 0, width, 1e9), wrapping(text, f, width), text)
            .height();
    }

    double drawText(const QString& text, double points, bool bold, double x, double y, double width,
        const QColor& colour = Qt::black, Qt::Alignment align = Qt::AlignLeft)
    {
        const QFont f = font(points, bold);
        painter_.setFont(f);
        painter_.setPen(colour);
        const double height = textHeight(text, points, bold, width);
        painter_.drawText(QRectF(x, y, width, height), align | wrapping(text, f, width), text);
        return height;
    }

    // A paragraph across the page, moving down.
    void paragraph(const QString& text, double points, bool bold = false)
    {
        y_ += drawText(text, points, bold, left_, y_, width_);
    }

    void section(const QString& title)
    {
        skip(2.5);
        paragraph(title, 9.5, true);
        skip(0.8);
    }

    // A table of rows of cells in columns of the given shares of width;
    // returns the height drawn, or only measures it when draw is false.
    double table(double x, double y, double width, const std::vector<double>& shares,
        const std::vector<std::vector<Cell>>& rows, bool header, bool draw)
    {
        const double pad = mm(kCellPaddingMm);
        double top = y;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const bool heading = header && r == 0;
            double height = 0;
            for (std::size_t c = 0; c < rows[r].size() && c < shares.size(); ++c) {
                const double cellWidth = width * shares[c] - 2 * pad;
                height = std::max(height,
                    textHeight(rows[r][c].text, kBodyPt, rows[r][c].bold || heading, cellWidth));
            }
            height += 2 * pad;
            if (draw) {
                if (heading)
                    painter_.fillRect(QRectF(x, top, width, height), kHeading);
                double cx = x;
                for (std::size_t c = 0; c < rows[r].size() && c < shares.size(); ++c) {
                    const Cell& cell = rows[r][c];
                    drawText(cell.text, kBodyPt, cell.bold || heading, cx + pad, top + pad,
                        width * shares[c] - 2 * pad, cell.colour, cell.align);
                    cx += width * shares[c];
                }
                painter_.setPen(QPen(kRule, mm(0.15)));
                painter_.drawLine(QPointF(x, top + height), QPointF(x + width, top + height));
            }
            top += height;
        }
        return top - y;
    }

    QPainter& painter() { return painter_; }

private:
    QPainter& painter_;
    double pxPerMm_;
    double left_;
    double width_;
    double top_;
    double bottom_;
    double y_;
};

// The step between labelled ticks: 1, 2, 2.5 or 5 times a power of ten, the
// smallest that divides the span into no more than `intervals` steps.
double tickStep(double span, int intervals)
{
    const double rough = span / intervals;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : { 1.0, 2.0, 2.5, 5.0 }) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10 * power;
}

struct Axis {
    double high = 1;
    double step = 1;
};

Axis axisFor(double highest, int intervals)
{
    if (!(highest > 0) || !std::isfinite(highest))
        highest = 1;
    Axis axis;
    axis.step = tickStep(highest, intervals);
    axis.high = std::ceil(highest / axis.step - 1e-9) * axis.step;
    return axis;
}

QString tickText(double value)
{
    return QString::number(value, 'g', 6);
}

void square(QPainter& painter, QPointF centre, double side, const QColor& fill,
    const QColor& border, double borderWidth)
{
    painter.setPen(QPen(border, borderWidth));
    painter.setBrush(fill);
    painter.drawRect(QRectF(centre.x() - side / 2, centre.y() - side / 2, side, side));
    painter.setBrush(Qt::NoBrush);
}

// The machine's curves with the operating point, within the box.
void paintNomogram(SheetLayout& layout, const QRectF& box, const CalculationSheet& sheet)
{
    QPainter& painter = layout.painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    double y = box.top();
    y += layout.drawText(
        QStringLiteral("Номограмма"), 9, true, box.left(), y, box.width(), kBlue, Qt::AlignHCenter);

    // The legend, two entries a line.
    const struct {
        const char* title;
        bool line;
        QColor colour;
        QColor border;
    } legend[] = {
        { "Кривая Мощности", true, kRed, kRed },
        { "Кривая Момента", true, kGreen, kGreen },
        { "Мощность", false, kYellow, kMaroon },
        { "Момент", false, kBlue, kLime },
    };
    const double entryWidth = box.width() / 2;
    const double legendLine = layout.lineHeight(kSmallPt);
    for (int i = 0; i < 4; ++i) {
        const double x = box.left() + (i % 2) * entryWidth;
        const double ly = y + (i / 2) * legendLine;
        const QPointF mark(x + layout.mm(3), ly + legendLine / 2);
        if (legend[i].line) {
            painter.setPen(QPen(legend[i].colour, layout.mm(0.5)));
            painter.drawLine(mark - QPointF(layout.mm(2.5), 0), mark + QPointF(layout.mm(2.5), 0));
            square(painter, mark, layout.mm(1), legend[i].colour, legend[i].colour, 0);
        } else {
            square(
                painter, mark, layout.mm(1.8), legend[i].colour, legend[i].border, layout.mm(0.45));
        }
        layout.drawText(QString::fromUtf8(legend[i].title), kSmallPt, false, x + layout.mm(7), ly,
            entryWidth - layout.mm(7));
    }
    y += 2 * legendLine + layout.mm(1.5);

    const OperatingPoint& point = sheet.operatingPoint;
    double maxSpeed = point.spindleSpeedRpm;
    double maxPower = point.powerKw;
    double maxTorque = point.torqueNm;
    for (const ChartPoint& p : sheet.powerCurve) {
        maxSpeed = std::max(maxSpeed, p.x);
        maxPower = std::max(maxPower, p.y);
    }
    for (const ChartPoint& p : sheet.torqueCurve) {
        maxSpeed = std::max(maxSpeed, p.x);
        maxTorque = std::max(maxTorque, p.y);
    }
    // Room above the highest value, so that the flat part of a curve does
    // not run along the frame.
    const Axis speedAxis = axisFor(maxSpeed, 6);
    const Axis powerAxis = axisFor(maxPower * 1.05, 5);
    const Axis torqueAxis = axisFor(maxTorque * 1.05, 5);

    const double labelHeight = layout.lineHeight(kSmallPt);
    const double side = layout.mm(12);
    const QRectF plot(box.left() + side, y + labelHeight / 2, box.width() - 2 * side,
        box.bottom() - y - labelHeight / 2 - 2 * labelHeight - layout.mm(1));
    const auto at = [&](double speed, double value, const Axis& vertical) {
        return QPointF(plot.left() + plot.width() * std::clamp(speed / speedAxis.high, 0.0, 1.0),
            plot.bottom() - plot.height() * std::clamp(value / vertical.high, 0.0, 1.0));
    };

    // Grid and labels of the torque axis on the left, power labels on the right.
    const QFont small = layout.font(kSmallPt);
    painter.setFont(small);
    const int torqueTicks = static_cast<int>(std::lround(torqueAxis.high / torqueAxis.step));
    for (int i = 0; i <= torqueTicks; ++i) {
        const double ty = plot.bottom() - plot.height() * i / torqueTicks;
        painter.setPen(QPen(kHeading, layout.mm(0.15)));
        painter.drawLine(QPointF(plot.left(), ty), QPointF(plot.right(), ty));
        painter.setPen(kGreen.darker(130));
        painter.drawText(QRectF(box.left(), ty - labelHeight / 2, side - layout.mm(1), labelHeight),
            Qt::AlignRight | Qt::AlignVCenter, tickText(torqueAxis.step * i));
    }
    const int powerTicks = static_cast<int>(std::lround(powerAxis.high / powerAxis.step));
    for (int i = 0; i <= powerTicks; ++i) {
        const double ty = plot.bottom() - plot.height() * i / powerTicks;
        painter.setPen(QPen(Qt::black, layout.mm(0.15)));
        painter.drawLine(QPointF(plot.right(), ty), QPointF(plot.right() + layout.mm(1), ty));
        painter.setPen(kRed.darker(130));
        painter.drawText(
            QRectF(plot.right() + layout.mm(1.5), ty - labelHeight / 2, side, labelHeight),
            Qt::AlignLeft | Qt::AlignVCenter, tickText(powerAxis.step * i));
    }
    const int speedTicks = static_cast<int>(std::lround(speedAxis.high / speedAxis.step));
    painter.setPen(Qt::black);
    for (int i = 0; i <= speedTicks; ++i) {
        const double tx = plot.left() + plot.width() * i / speedTicks;
        painter.drawLine(QPointF(tx, plot.bottom()), QPointF(tx, plot.bottom() + layout.mm(1)));
        const double labelWidth = layout.mm(14);
        painter.drawText(
            QRectF(tx - labelWidth / 2, plot.bottom() + layout.mm(1), labelWidth, labelHeight),
            Qt::AlignHCenter | Qt::AlignTop, tickText(speedAxis.step * i));
    }
    painter.setPen(QPen(Qt::black, layout.mm(0.25)));
    painter.drawRect(plot);
    painter.drawText(
        QRectF(plot.left(), plot.bottom() + layout.mm(1) + labelHeight, plot.width(), labelHeight),
        Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Обороты шпинделя, об/мин"));
    // The vertical axes' titles, turned along them.
    const auto verticalTitle = [&](const QString& title, double x, const QColor& colour) {
        painter.save();
        painter.translate(x, plot.center().y());
        painter.rotate(-90);
        painter.setPen(colour);
        painter.drawText(QRectF(-plot.height() / 2, -labelHeight / 2, plot.height(), labelHeight),
            Qt::AlignCenter, title);
        painter.restore();
    };
    verticalTitle(QStringLiteral("Момент, Нм"), box.left() + labelHeight / 2, kGreen.darker(130));
    verticalTitle(QStringLiteral("Мощность, кВт"), box.right() - labelHeight / 2, kRed.darker(130));

    const auto curve
        = [&](const std::vector<ChartPoint>& points, const Axis& axis, const QColor& colour) {
              QPainterPath path;
              for (std::size_t i = 0; i < points.size(); ++i) {
                  const QPointF p = at(points[i].x, points[i].y, axis);
                  if (i == 0)
                      path.moveTo(p);
                  else
                      path.lineTo(p);
              }
              painter.setPen(QPen(colour, layout.mm(0.5)));
              painter.drawPath(path);
              for (const ChartPoint& p : points)
                  square(painter, at(p.x, p.y, axis), layout.mm(0.9), colour, colour, 0);
          };
    curve(sheet.powerCurve, powerAxis, kRed);
    curve(sheet.torqueCurve, torqueAxis, kGreen);
    square(painter, at(point.spindleSpeedRpm, point.powerKw, powerAxis), layout.mm(2.2), kYellow,
        kMaroon, layout.mm(0.6));
    square(painter, at(point.spindleSpeedRpm, point.torqueNm, torqueAxis), layout.mm(2.2), kBlue,
        kLime, layout.mm(0.6));
    painter.restore();
}

// Numbers stand right-aligned in their column, words left.
Qt::Alignment valueAlignment(const std::string& value)
{
    const bool number = value.find_first_of("0123456789") != std::string::npos
        && value.find_first_not_of("0123456789.+-") == std::string::npos;
    return number ? Qt::AlignRight : Qt::AlignLeft;
}

std::vector<std::vector<Cell>> lineRows(
    const std::vector<SheetLine>& lines, const char* valueHeading, bool status)
{
    std::vector<std::vector<Cell>> rows;
    std::vector<Cell> heading { { QStringLiteral("Параметр") },
        { QString::fromUtf8(valueHeading), false, Qt::black, Qt::AlignRight },
        { QStringLiteral("Ед. изм.") } };
    if (status)
        heading.push_back({ QStringLiteral("Состояние") });
    rows.push_back(heading);
    for (const SheetLine& line : lines) {
        const QColor colour = line.exceeded ? kRed : QColor(Qt::black);
        std::vector<Cell> row { { qt(line.caption) },
            { qt(line.value), line.exceeded, colour, valueAlignment(line.value) },
            { qt(line.unit) } };
        if (status)
            row.push_back({ qt(line.status), line.exceeded, colour });
        rows.push_back(row);
    }
    return rows;
}

} // namespace

void setSheetPage(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
}

void paintSheet(QPainter& painter, const QRectF& rect, const CalculationSheet& sheet)
{
    SheetLayout layout(painter, rect);
    // The heading: what, when, on which machine, by which method.
    const double titleTop = layout.y();
    layout.drawText(qt(sheet.dateTime), 9, false, layout.left(), titleTop + layout.mm(1.5),
        layout.width(), Qt::black, Qt::AlignRight);
    layout.paragraph(QString::fromUtf8(kSheetTitle), 15, true);
    layout.skip(1);
    layout.paragraph(QStringLiteral("Станок: ") + qt(sheet.machine), 10, true);
    layout.paragraph(QStringLiteral("Пределы станка: ") + qt(sheet.limits), kBodyPt);
    layout.paragraph(QStringLiteral("Метод: ") + qt(sheet.method), 10, true);
    layout.skip(1);
    painter.setPen(QPen(Qt::black, layout.mm(0.3)));
    painter.drawLine(
        QPointF(layout.left(), layout.y()), QPointF(layout.left() + layout.width(), layout.y()));

    // Inputs on the left, the nomogram beside them.
    layout.section(QStringLiteral("Исходные данные"));
    const double blockTop = layout.y();
    const double inputWidth = layout.width() * 0.60;
    const double gap = layout.mm(4);
    const std::vector<double> inputShares { 0.47, 0.35, 0.18 };
    double left = layout.table(layout.left(), blockTop, inputWidth, inputShares,
        lineRows(sheet.inputs, "Значение", false), true, true);
    if (!sheet.coefficients.empty()) {
        left += layout.mm(2);
        left += layout.drawText(QStringLiteral("Коэффициенты формул:"), kBodyPt, true,
            layout.left(), blockTop + left, inputWidth);
        for (const SheetCoefficients& group : sheet.coefficients) {
            QString line = qt(group.title) + QStringLiteral(":");
            for (const SheetLine& value : group.values)
                line += QStringLiteral("  ") + qt(value.caption) + QStringLiteral("=")
                    + qt(value.value);
            left += layout.drawText(line, kBodyPt, false, layout.left() + layout.mm(2),
                blockTop + left, inputWidth - layout.mm(2));
        }
    }
    const QRectF chart(layout.left() + inputWidth + gap, blockTop,
        layout.width() - inputWidth - gap, layout.mm(78));
    paintNomogram(layout, chart, sheet);
    // The deflection's model under the nomogram, beside the longer inputs.
    double right = chart.height();
    if (!sheet.deflectionModel.empty()) {
        right += layout.mm(3);
        right += layout.drawText(QStringLiteral("Расчет отжима фрезы:"), kNotePt, true,
            chart.left(), blockTop + right, chart.width());
        right += layout.drawText(qt(sheet.deflectionModel), kNotePt, false, chart.left(),
            blockTop + right, chart.width());
    }
    const double chartHeight = std::max(left, right);
    layout.setY(blockTop + chartHeight);

    layout.section(QStringLiteral("Результаты"));
    layout.setY(layout.y()
        + layout.table(layout.left(), layout.y(), layout.width(), { 0.50, 0.16, 0.14, 0.20 },
            lineRows(sheet.results, "Значение", true), true, true));

    layout.section(QStringLiteral("Строка операционной карты (режимы резания)"));
    // Each value with its unit on one line: the row breaks between items only.
    QString card = qt(sheet.operationCard);
    card.replace(QStringLiteral("; "), QStringLiteral("\x01"));
    card.replace(QLatin1Char(' '), QChar(0x00a0));
    card.replace(QStringLiteral("\x01"), QStringLiteral("; "));
    layout.paragraph(card, 9.5);

    layout.section(QStringLiteral("Сообщения последнего расчета"));
    if (sheet.log.empty()) {
        layout.paragraph(QStringLiteral("нет"), kBodyPt);
        return;
    }
    // As many lines as the page holds; the rest are counted.
    const double lineHeight = layout.lineHeight(kBodyPt);
    for (std::size_t i = 0; i < sheet.log.size(); ++i) {
        const QString line = qt(sheet.log[i]);
        const double height = layout.textHeight(line, kBodyPt, false, layout.width());
        const bool last = i + 1 == sheet.log.size();
        if (layout.room() < height + (last ? 0 : lineHeight)) {
            layout.paragraph(
                QStringLiteral("… и еще строк: %1 (в окне сообщений)").arg(sheet.log.size() - i),
                kBodyPt, true);
            return;
        }
        layout.paragraph(line, kBodyPt);
    }
}

bool writeSheetPdf(const CalculationSheet& sheet, const QString& path, QString* reason)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    const auto fail = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    if (!folder.exists())
        return fail(QStringLiteral("папка «%1» не существует").arg(folder.filePath()));
    if (!folder.isDir())
        return fail(QStringLiteral("«%1» не папка").arg(folder.filePath()));
    if (target.isDir())
        return fail(QStringLiteral("это папка, а не файл"));

    // Written beside the target under another name and renamed at the end,
    // so that a failure leaves neither half a file nor a damaged old one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (!folder.isWritable())
            return fail(QStringLiteral("нет права записи в папку «%1»").arg(folder.filePath()));
        return fail(QStringLiteral("файл не удалось создать (%1)").arg(file.errorString()));
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(QString::fromUtf8(kSheetTitle));
        writer.setCreator(QStringLiteral("millcalc"));
        writer.setResolution(600);
        setSheetPage(writer);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return fail(QStringLiteral("не удалось начать документ PDF"));
        }
        paintSheet(painter, QRectF(0, 0, writer.width(), writer.height()), sheet);
        painter.end();
    }
    // A failed write (a full disk) makes the commit fail and drop the file.
    if (!file.commit()) {
        const QString detail = file.errorString();
        return fail(QStringLiteral("ошибка записи — возможно, диск заполнен (%1)").arg(detail));
    }
    return true;
}

} // namespace millcalc
