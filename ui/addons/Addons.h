// The boundary between the program and its module millcalc-addons.so, which
// alone links Qt Charts (the nomogram's chart) and Qt Print Support (the
// calculation sheet's print preview). Debian's Qt libraries bind every symbol
// when they are loaded, and Qt Charts brings Qt OpenGL and the GL libraries
// with it: linked to the program, they would be paid for at every start,
// although the nomogram is built in the idle time after the main window's
// first paint and the preview only on demand. The module is loaded at its
// first use (AddonLoader.h).
//
// The calculation sheet draws the nomogram with the same chart (paintNomogram):
// one drawing of it, on screen and on paper.
//
// Only these abstract classes cross the boundary; the module needs no symbol
// of the program, and what it needs of the program it is given as functions.
#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <array>
#include <functional>

class QChart;
class QFont;
class QPagedPaintDevice;
class QPainter;
class QValueAxis;
class QWidget;
class QXYSeries;

namespace millcalc {

// The nomogram's chart: the power and torque curves and the two operating
// points, with the speed axis below, torque on the left, power on the right.
class NomogramChart {
public:
    // Series1 ... Series4 in the nomogram's order.
    using Points = std::array<QList<QPointF>, 4>;

    virtual ~NomogramChart() = default;

    // The chart's widget, owned by the parent it was made for.
    virtual QWidget* widget() = 0;
    // Shows the points, the axes scaled to them.
    virtual void draw(const Points& points) = 0;
    // The machine's curves alone, as a machine's editor shows them: the
    // operating point leaves the legend, so the curves' names keep its room.
    virtual void showCurvesOnly() = 0;

    // The chart's parts, for checks.
    virtual QChart* chart() const = 0;
    virtual QXYSeries* series(int index) const = 0;
    virtual QValueAxis* speedAxis() const = 0;
    virtual QValueAxis* torqueAxis() const = 0;
    virtual QValueAxis* powerAxis() const = 0;
};

// What the module offers; one object that lives as long as the module.
class Addons {
public:
    // A document shown in the print preview, from which the user prints it.
    struct PrintJob {
        QString title; // of the preview's window
        QString objectName; // of the preview's window
        QString documentName; // as the print queue shows it
        // Sets the page's size, orientation and margins on the printer.
        std::function<void(QPagedPaintDevice&)> setUpPage;
        // Paints the one page into the given rectangle of the device.
        std::function<void(QPainter&, const QRectF&)> paint;
    };

    // An empty chart, its widget a child of parent.
    virtual NomogramChart* createNomogramChart(QWidget* parent) = 0;
    // The chart of the points drawn on paper into rect of the painter's
    // device, which has pxPerMm pixels a millimetre; its text in the family
    // of the given font, whose point size is the size on paper.
    virtual void paintNomogram(QPainter& painter, const QRectF& rect, double pxPerMm,
        const QFont& text, const NomogramChart::Points& points)
        = 0;
    // Shows the preview modally over parent.
    virtual void previewAndPrint(QWidget* parent, const PrintJob& job) = 0;

protected:
    ~Addons() = default;
};

// Bumped with every change of the classes above: a module of another version
// is refused instead of called through a vtable it does not have.
inline constexpr int kAddonsVersion = 2;
// The module's one exported function, extern "C": its Addons, or null when
// it was built for another version.
inline constexpr char kAddonsEntry[] = "millcalc_addons";
using AddonsEntry = Addons* (*)(int version);

} // namespace millcalc
