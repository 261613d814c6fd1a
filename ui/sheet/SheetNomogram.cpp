#include "ui/sheet/SheetNomogram.h"

#include "shell/sheet/CalculationSheet.h"
#include "ui/addons/AddonLoader.h"
#include "ui/addons/NomogramPoints.h"
#include "ui/sheet/SheetLayout.h"

#include <QPainter>

namespace millcalc {

void paintNomogram(SheetLayout& layout, const QRectF& box, const CalculationSheet& sheet)
{
    const NomogramChart::Points points
        = chartPoints(nomogramSeries(sheet.powerCurve, sheet.torqueCurve, sheet.operatingPoint));
    // The text of the chart in the sheet's small print.
    QFont text = layout.font(kSheetSmallPt);
    text.setPointSizeF(kSheetSmallPt);
    if (Addons* module = addons()) {
        module->paintNomogram(layout.painter(), box, layout.mm(1), text, points);
        return;
    }
    QPainter& painter = layout.painter();
    painter.save();
    painter.setPen(QPen(kSheetHeading.darker(150), layout.mm(0.3)));
    painter.drawRect(box);
    painter.restore();
    const QString why = QStringLiteral("Номограмма недоступна.\n\n") + addonsError();
    const double width = box.width() - layout.mm(4);
    const double height = layout.textHeight(why, kSheetSmallPt, false, width);
    layout.drawText(why, kSheetSmallPt, false, box.left() + layout.mm(2),
        box.center().y() - height / 2, width, Qt::black, Qt::AlignHCenter);
}

} // namespace millcalc
