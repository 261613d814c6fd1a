#include "ui/StaleMarks.h"

#include "shell/table/Methods.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <vector>

namespace millcalc {

namespace {

// The tooltip a widget had before it was marked.
constexpr const char* kOwnTip = "millcalcOwnToolTip";

QSet<QString> resultNames()
{
    QSet<QString> names { QString::fromUtf8(kComparisonGrid) };
    for (const Method& method : methods())
        for (const FieldCaption& result : method.results)
            names.insert(QString::fromUtf8(result.field));
    return names;
}

// A grid (and a grid's frozen column) lays its cells out for a new font on
// a timer, after the paint that follows the change, and then paints all its
// cells a second time: laid out at once, it is painted once.
void layOutNow(QWidget* widget)
{
    std::vector<QAbstractItemView*> views;
    if (auto* view = qobject_cast<QAbstractItemView*>(widget))
        views.push_back(view);
    for (QAbstractItemView* view : widget->findChildren<QAbstractItemView*>()) {
        if (!qobject_cast<QHeaderView*>(view))
            views.push_back(view);
    }
    for (QAbstractItemView* view : views)
        view->doItemsLayout();
}

void mark(QWidget* widget, bool stale)
{
    QFont font = widget->font();
    if (font.italic() != stale) {
        font.setItalic(stale);
        widget->setFont(font);
        layOutNow(widget);
    }
    const QVariant own = widget->property(kOwnTip);
    if (stale && !own.isValid()) {
        widget->setProperty(kOwnTip, widget->toolTip());
        widget->setToolTip(QString::fromUtf8(kStaleTip));
    } else if (!stale && own.isValid()) {
        widget->setToolTip(own.toString());
        widget->setProperty(kOwnTip, QVariant());
    }
}

} // namespace

StaleMarks::StaleMarks(Form& form, QWidget* main)
    : QObject(main)
    , stale_(form)
    , main_(main)
{
    stale_.onChange([this] { apply(); });
}

void StaleMarks::apply()
{
    static const QSet<QString> names = resultNames();
    for (QWidget* widget : main_->findChildren<QWidget*>()) {
        if (names.contains(widget->objectName()))
            mark(widget, stale_.stale(widget->objectName().toStdString()));
    }
}

} // namespace millcalc
