#include "ui/pages/ColumnAligner.h"

#include <QEvent>
#include <QGridLayout>
#include <QPoint>
#include <QWidget>

#include <algorithm>

namespace millcalc {

ColumnAligner::ColumnAligner(
    QWidget* page, QGridLayout* inner, QWidget* outerField, QWidget* innerField)
    : QObject(page)
    , page_(page)
    , inner_(inner)
    , outerField_(outerField)
    , innerField_(innerField)
{
    page->installEventFilter(this);
}

bool ColumnAligner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == page_ && (event->type() == QEvent::Show || event->type() == QEvent::Resize)
        && outerField_ && innerField_) {
        const int shift
            = outerField_->mapTo(page_, QPoint()).x() - innerField_->mapTo(page_, QPoint()).x();
        const int width = std::max(0, inner_->cellRect(1, 0).width() + shift);
        if (shift != 0 && width != inner_->columnMinimumWidth(0)) {
            inner_->setColumnMinimumWidth(0, width);
            inner_->activate();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace millcalc
