#include "ui/pictures/PictureLabelBinding.h"

#include "app/Form.h"
#include "ui/pictures/PictureLabel.h"

namespace millcalc {

PictureLabelBinding::PictureLabelBinding(
    const BindingHost& host, const Field& field, PictureLabel* picture)
    : Binding(host, field, picture)
    , picture_(picture)
{
    picture->setClickable(host_.form.hasClickHandler(name_));
    QObject::connect(picture, &PictureLabel::clicked, host_.context,
        [this] { host_.guarded([&] { host_.form.click(name_); }); });
}

void PictureLabelBinding::picture(const Field& field)
{
    picture_->setPicture(field.picture);
}

} // namespace millcalc
