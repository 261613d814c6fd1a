// A push button (or tool button): a click runs its handler in the window
// logic. The check box and radio button bindings build on it for the caption,
// the check mark and the colour that every button shows the same way.
#pragma once

#include "ui/bind/Binding.h"

class QAbstractButton;

namespace millcalc {

class ButtonBinding : public Binding {
public:
    ButtonBinding(const BindingHost& host, const Field& field, QAbstractButton* button);

    void checked(const Field& field) override;

protected:
    // For a check box or radio button, which connect their own click.
    struct Checkable { };
    ButtonBinding(const BindingHost& host, const Field& field, QAbstractButton* button, Checkable);
    // The caption and its colour.
    void captionText(const Field& field);
    void captionColour(const Field& field);

    QAbstractButton* button_;
};

} // namespace millcalc
