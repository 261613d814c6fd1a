// The calculation sheet on paper: one A4 page in portrait, drawn with a
// painter on a printer, a PDF writer or a preview, the nomogram as vectors.
#pragma once

#include <QString>

class QPainter;
class QPagedPaintDevice;
class QRectF;
class QWidget;

namespace millcalc {

struct CalculationSheet;

// Draws the sheet on the painter's device, whose whole page is rect (device
// pixels): A4 or any page of about its proportions.
void paintSheet(QPainter& painter, const QRectF& rect, const CalculationSheet& sheet);

// Sets the device to A4 in portrait with the whole page paintable.
void setSheetPage(QPagedPaintDevice& device);

// Writes the sheet as a one-page PDF file. The file appears complete or not
// at all: a failure leaves no file behind, and says why, in Russian.
bool writeSheetPdf(const CalculationSheet& sheet, const QString& path, QString* reason);

} // namespace millcalc
