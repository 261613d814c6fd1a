// A menu item: its check mark, whether it is enabled and shown, and a choice
// of it running its handler in the window logic.
#pragma once

#include "ui/bind/Binding.h"

class QAction;

namespace millcalc {

class ActionBinding : public Binding {
public:
    ActionBinding(const BindingHost& host, const Field& field, QAction* action);

    void checked(const Field& field) override;
    void enabled(const Field& field) override;
    void visible(const Field& field) override;

private:
    QAction* action_;
};

} // namespace millcalc
