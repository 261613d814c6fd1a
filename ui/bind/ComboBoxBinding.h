// A drop-down or editable list: its items, the selected one, the typed text,
// colour and selection; a pick or typing goes to the window logic.
#pragma once

#include "ui/bind/Binding.h"

class QComboBox;

namespace millcalc {

class ComboBoxBinding : public Binding {
public:
    ComboBoxBinding(const BindingHost& host, const Field& field, QComboBox* box);

    void text(const Field& field) override;
    void items(const Field& field) override;
    void index(const Field& field) override;
    void colour(const Field& field) override;
    void selection(const Field& field, bool collapse) override;

private:
    QComboBox* box_;
    bool applying_ = false; // a change of the store is being applied
};

} // namespace millcalc
