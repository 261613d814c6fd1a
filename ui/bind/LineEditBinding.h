// A text field: its text, colour and selection, and typing going to the
// window logic.
#pragma once

#include "ui/bind/Binding.h"

class QLineEdit;

namespace millcalc {

class LineEditBinding : public Binding {
public:
    LineEditBinding(const BindingHost& host, const Field& field, QLineEdit* edit);

    void text(const Field& field) override;
    void colour(const Field& field) override;
    void selection(const Field& field, bool collapse) override;

private:
    QLineEdit* edit_;
};

// Selects the whole text of the line edit, or (collapse) drops the selection
// and puts the caret at the start.
void selectLine(QLineEdit* edit, bool all, bool collapse);

} // namespace millcalc
