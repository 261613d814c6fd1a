// A top-level window or floating panel: its title, its showing (over the
// others) and its close box, which asks the window logic instead of closing.
#pragma once

#include "ui/bind/Binding.h"

#include <QObject>

class QWidget;

namespace millcalc {

class WindowBinding : public QObject, public Binding {
    Q_OBJECT
public:
    WindowBinding(const BindingHost& host, const Field& field, QWidget* window);

    void text(const Field& field) override;
    void visible(const Field& field) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
};

} // namespace millcalc
