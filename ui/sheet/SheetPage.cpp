#include "ui/sheet/SheetPage.h"

#include "shell/sheet/CalculationSheet.h"
#include "ui/sheet/SheetLayout.h"
#include "ui/sheet/SheetNomogram.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <vector>

namespace millcalc {

namespace {

// The red of a result at or beyond its limit, as the window shows it.
const QColor kExceeded(0xff, 0x00, 0x00);

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
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
        const QColor colour = line.exceeded ? kExceeded : QColor(Qt::black);
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
    // The operation card's header in one line under the title; a field left
    // empty is a line to fill in by hand. The log below keeps its room.
    QString header;
    for (const SheetHeaderLine& line : sheet.header) {
        const QString value = line.value.empty() ? QString(24, QLatin1Char('_')) : qt(line.value);
        header += (header.isEmpty() ? QString() : QStringLiteral("    ")) + qt(line.caption)
            + QStringLiteral(": ") + value;
    }
    layout.paragraph(header, kSheetBodyPt);
    layout.paragraph(QStringLiteral("Станок: ") + qt(sheet.machine), 10, true);
    layout.paragraph(QStringLiteral("Пределы станка: ") + qt(sheet.limits), kSheetBodyPt);
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
        left += layout.drawText(QStringLiteral("Коэффициенты формул:"), kSheetBodyPt, true,
            layout.left(), blockTop + left, inputWidth);
        for (const SheetCoefficients& group : sheet.coefficients) {
            QString line = qt(group.title) + QStringLiteral(":");
            for (const SheetLine& value : group.values)
                line += QStringLiteral("  ") + qt(value.caption) + QStringLiteral("=")
                    + qt(value.value);
            left += layout.drawText(line, kSheetBodyPt, false, layout.left() + layout.mm(2),
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
        right += layout.drawText(QStringLiteral("Расчет отжима фрезы:"), kSheetSmallPt, true,
            chart.left(), blockTop + right, chart.width());
        right += layout.drawText(qt(sheet.deflectionModel), kSheetSmallPt, false, chart.left(),
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
        layout.paragraph(QStringLiteral("нет"), kSheetBodyPt);
        return;
    }
    // As many lines as the page holds; the rest are counted.
    const double lineHeight = layout.lineHeight(kSheetBodyPt);
    for (std::size_t i = 0; i < sheet.log.size(); ++i) {
        const QString line = qt(sheet.log[i]);
        const double height = layout.textHeight(line, kSheetBodyPt, false, layout.width());
        const bool last = i + 1 == sheet.log.size();
        if (layout.room() < height + (last ? 0 : lineHeight)) {
            layout.paragraph(
                QStringLiteral("… и еще строк: %1 (в окне сообщений)").arg(sheet.log.size() - i),
                kSheetBodyPt, true);
            return;
        }
        layout.paragraph(line, kSheetBodyPt);
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
