// A check box: caption, check mark and colour; a click checks or unchecks it
// in the window logic.
#pragma once

#include "ui/bind/ButtonBinding.h"

class QCheckBox;

namespace millcalc {

class CheckBoxBinding : public ButtonBinding {
public:
    CheckBoxBinding(const BindingHost& host, const Field& field, QCheckBox* box);

    void text(const Field& field) override { captionText(field); }
    void colour(const Field& field) override { captionColour(field); }
};

} // namespace millcalc
