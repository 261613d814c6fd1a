// A radio button: caption, check mark and colour; a click on it checks it in
// the window logic.
#pragma once

#include "ui/bind/ButtonBinding.h"

class QRadioButton;

namespace millcalc {

class RadioButtonBinding : public ButtonBinding {
public:
    RadioButtonBinding(const BindingHost& host, const Field& field, QRadioButton* button);

    void text(const Field& field) override { captionText(field); }
    void colour(const Field& field) override { captionColour(field); }
};

} // namespace millcalc
