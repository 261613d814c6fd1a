#include "titanium/Titanium.h"

#include "app/Form.h"
#include "titanium/TitaniumCoefficients.h"

namespace millcalc {

namespace {

// In the order of the items of RadioGroupTiMaterial.
constexpr double kToolMaterialModuli[] = { kHighSpeedSteelModulus, kCarbideModulus };

constexpr DeflectionModel kDeflection {
    "BaseTiD",
    "BaseTiL",
    "BaseTiDeflMax",
    "EditTiDefl",
    "BitBtnTiDefl",
    "ImageTiDefl",
    { "EditTiP" },
    "RadioGroupTiMaterial",
    kToolMaterialModuli,
    "материал фрезы - по выбору \"Материал режущ. части фрезы\"; F = P - равнодействующая "
    "сила резания (Н)",
};

// An image list holds one picture per item; with no item selected the picture
// control keeps what it shows.
void showPicture(FieldStore& store, const std::string& picture, int index, int pictures)
{
    if (index >= 0 && index < pictures)
        store.setPicture(picture, index);
}

} // namespace

void createTitanium(Form& form)
{
    FieldStore& store = form.store();
    store.setIndex("BaseTiD", 0);
    store.setIndex("BaseTiZ", 0);
    store.setIndex("BaseTiL", 0);
    store.setText("BaseTiB", "0.00000");
    store.setText("BaseTiT", "0.00000");
    store.setIndex("ComboBoxTiTime", 1);
    for (const char* name :
        { "EditTifz", "EditTin", "EditTiF", "EditTiVc", "EditTiMz", "EditTiNct" })
        store.setText(name, "0.00000");
    store.setIndex("ComboBoxTiMaterial", 0);
    ComboBoxTiMaterialChange(form);
    RadioGroupTiSurfaceClick(form);
    RadioGroupTiDirectionClick(form);
    for (const char* name : { "EditTiVsmall", "EditTinsmall", "EditTiFsmall", "EditTiNctsmall" })
        store.setText(name, "0.00000");
    store.setIndex("BaseTihz", 2);
    for (const char* name : { "EditTiPx", "EditTiPy", "EditTiP" })
        store.setText(name, "0.00000");
    RadioGroupTiPzClick(form);
    store.setText("BaseTiDeflMax", "0.05");
    store.setText("EditTiDefl", "0.0000");
}

const DeflectionModel& titaniumDeflection()
{
    return kDeflection;
}

void installTitanium(Form& form)
{
    form.onChange("ComboBoxTiMaterial", [&form] { ComboBoxTiMaterialChange(form); });
    form.onChange("RadioGroupTiSurface", [&form] { RadioGroupTiSurfaceClick(form); });
    form.onChange("RadioGroupTiDirection", [&form] { RadioGroupTiDirectionClick(form); });
    form.onChange("RadioGroupTiPz", [&form] { RadioGroupTiPzClick(form); });
    form.onClick(kDeflection.stepButton, [&form] { CalcDeflection(form, kDeflection); });
}

void fillTitanium(Form& form)
{
    FieldStore& store = form.store();
    store.setTexts({ { "BaseTiD", "25.0" }, { "BaseTiZ", "3" }, { "BaseTiL", "70.0" },
        { "BaseTiB", "15.0" }, { "BaseTiT", "5.0" }, { "BaseTiPasses", "1" } });
    store.setIndex("ComboBoxTiTime", 1);
    store.setIndex("BaseTihz", 2);
}

void ComboBoxTiMaterialChange(Form& form)
{
    FieldStore& store = form.store();
    const int alloy = store.index("ComboBoxTiMaterial");
    showPicture(store, "ImageTiVbase", alloy, titanium::kTiMaterialPictures);
    const titanium::ForceCoefficientTexts& c = titanium::forceCoefficients(alloy);
    store.setText("EditTiPxcoeff", c.cx);
    store.setText("EditTiPycoeff", c.cy);
}

void RadioGroupTiSurfaceClick(Form& form)
{
    FieldStore& store = form.store();
    showPicture(
        store, "ImageSurface", store.index("RadioGroupTiSurface"), titanium::kSurfacePictures);
}

void RadioGroupTiDirectionClick(Form& form)
{
    FieldStore& store = form.store();
    const int direction = store.index("RadioGroupTiDirection");
    showPicture(store, "ImageDirection", direction, titanium::kDirectionPictures);
    showPicture(store, "ImageTiVsmall", direction, titanium::kTiVsmallPictures);
}

void RadioGroupTiPzClick(Form& form)
{
    for (const char* name : { "EditTiPx", "EditTiPy", "EditTiP" })
        form.ResultColour(name, colours::Black);
    const int choice = form.store().index("RadioGroupTiPz");
    form.ResultColour(choice == 0 ? "EditTiPx"
            : choice == 1         ? "EditTiPy"
                                  : "EditTiP",
        colours::Green);
}

} // namespace millcalc
