// Keeps the fields of an inner form under the fields of the form around it:
// widens the inner form's caption column by what its first field stands left
// of the outer form's, as the page is shown and resized.
#pragma once

#include <QObject>
#include <QPointer>

class QEvent;
class QGridLayout;
class QWidget;

namespace millcalc {

class ColumnAligner : public QObject {
public:
    // Owned by page, whose events it follows.
    ColumnAligner(QWidget* page, QGridLayout* inner, QWidget* outerField, QWidget* innerField);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* page_;
    QGridLayout* inner_;
    QPointer<QWidget> outerField_;
    QPointer<QWidget> innerField_;
};

} // namespace millcalc
