// A static text or status line: its text, and the colour of a static text.
#pragma once

#include "ui/bind/Binding.h"

class QLabel;

namespace millcalc {

class LabelBinding : public Binding {
public:
    LabelBinding(const BindingHost& host, const Field& field, QLabel* label);

    void text(const Field& field) override;
    void colour(const Field& field) override;

private:
    QLabel* label_;
};

} // namespace millcalc
