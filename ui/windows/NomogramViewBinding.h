// The nomogram's chart: drawn again when the field's drawing changes.
#pragma once

#include "ui/bind/Binding.h"

namespace millcalc {

class NomogramView;

class NomogramViewBinding : public Binding {
public:
    NomogramViewBinding(const BindingHost& host, const Field& field, NomogramView* view);

    void picture(const Field& field) override;

private:
    NomogramView* view_;
};

} // namespace millcalc
