// The module's entry point, the nomogram's chart on screen and on paper and
// the calculation sheet's print preview.
#include "ui/addons/Addons.h"
#include "ui/addons/NomogramChartView.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>

namespace millcalc {

namespace {

class AddonModule final : public Addons {
public:
    NomogramChart* createNomogramChart(QWidget* parent) override
    {
        return new NomogramChartView(parent);
    }

    void paintNomogram(QPainter& painter, const QRectF& rect, double pxPerMm, const QFont& text,
        const NomogramChart::Points& points) override
    {
        paintNomogramOnPaper(painter, rect, pxPerMm, text, points);
    }

    void previewAndPrint(QWidget* parent, const PrintJob& job) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        job.setUpPage(printer);
        printer.setDocName(job.documentName);
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setObjectName(job.objectName);
        dialog.setWindowTitle(job.title);
        QObject::connect(
            &dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&job](QPrinter* target) {
                QPainter painter(target);
                job.paint(painter, QRectF(0, 0, target->width(), target->height()));
            });
        // A page to be read: the window takes the screen's work area, and
        // the page's width fills it, whatever size the window gets later.
        const QScreen* screen
            = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            dialog.setGeometry(screen->availableGeometry());
            dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
        }
        if (auto* preview = dialog.findChild<QPrintPreviewWidget*>())
            preview->fitToWidth();
        dialog.exec();
    }
};

} // namespace

} // namespace millcalc

extern "C" Q_DECL_EXPORT millcalc::Addons* millcalc_addons(int version)
{
    static millcalc::AddonModule module;
    return version == millcalc::kAddonsVersion ? &module : nullptr;
}
