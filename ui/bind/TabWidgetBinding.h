// A page control: the captions of its pages, the active page (the hidden last
// page while none is), and a page the user opens going to the window logic.
#pragma once

#include "ui/bind/Binding.h"

class QTabWidget;

namespace millcalc {

class TabWidgetBinding : public Binding {
public:
    TabWidgetBinding(const BindingHost& host, const Field& field, QTabWidget* pages);

    void items(const Field& field) override;
    void index(const Field& field) override;

private:
    QTabWidget* pages_;
};

} // namespace millcalc
