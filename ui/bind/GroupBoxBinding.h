// A group box: its title; as a radio group, the radio buttons it builds from
// the field's items, the checked one, and a new choice going to the window
// logic.
#pragma once

#include "ui/bind/Binding.h"

class QButtonGroup;
class QGroupBox;

namespace millcalc {

// The columns a radio group lays its buttons out in: a dynamic property the
// window gives the group box, 1 where it gives none.
inline constexpr const char* kColumnsProperty = "millcalcColumns";

class GroupBoxBinding : public Binding {
public:
    GroupBoxBinding(const BindingHost& host, const Field& field, QGroupBox* box);

    void text(const Field& field) override;
    void items(const Field& field) override;
    void index(const Field& field) override;

private:
    QGroupBox* box_;
    QButtonGroup* buttons_ = nullptr; // only for a radio group
};

} // namespace millcalc
