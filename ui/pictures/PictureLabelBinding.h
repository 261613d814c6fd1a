// A picture control: the picture of its image list that the field shows, and
// a click running its handler where it has one.
#pragma once

#include "ui/bind/Binding.h"

namespace millcalc {

class PictureLabel;

class PictureLabelBinding : public Binding {
public:
    PictureLabelBinding(const BindingHost& host, const Field& field, PictureLabel* picture);

    void picture(const Field& field) override;

private:
    PictureLabel* picture_;
};

} // namespace millcalc
