// The calculation sheet laid out on a page from the top down, in millimetres:
// fonts sized on paper, wrapped paragraphs and ruled tables.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

namespace millcalc {

inline constexpr double kSheetBodyPt = 8;
inline constexpr double kSheetSmallPt = 7;
inline const QColor kSheetHeading(0xe6, 0xe6, 0xe6);

struct Cell {
    QString text;
    bool bold = false;
    QColor colour = Qt::black;
    Qt::Alignment align = Qt::AlignLeft;
};

class SheetLayout {
public:
    SheetLayout(QPainter& painter, const QRectF& page);

    double mm(double value) const { return value * pxPerMm_; }
    double left() const { return left_; }
    double width() const { return width_; }
    double y() const { return y_; }
    void setY(double y) { y_ = y; }
    void skip(double millimetres) { y_ += mm(millimetres); }
    double room() const { return bottom_ - y_; }

    QFont font(double points, bool bold = false) const;
    double lineHeight(double points) const;
    // Wrapped text of that width: its height, and drawn at the given place.
    double textHeight(const QString& text, double points, bool bold, double width) const;
    double drawText(const QString& text, double points, bool bold, double x, double y, double width,
        const QColor& colour = Qt::black, Qt::Alignment align = Qt::AlignLeft);
    // A paragraph across the page, moving down.
    void paragraph(const QString& text, double points, bool bold = false);
    void section(const QString& title);
    // A table of rows of cells in columns of the given shares of width;
    // returns the height drawn, or only measures it when draw is false.
    double table(double x, double y, double width, const std::vector<double>& shares,
        const std::vector<std::vector<Cell>>& rows, bool header, bool draw);

    QPainter& painter() { return painter_; }

private:
    // Wrapped at blanks, and anywhere in a word too long for the width
    // ("каретки,кронштейн"), so that nothing is cut.
    int wrapping(const QString& text, const QFont& f, double width) const;

    QPainter& painter_;
    double pxPerMm_;
    double left_;
    double width_;
    double top_;
    double bottom_;
    double y_;
};

} // namespace millcalc
