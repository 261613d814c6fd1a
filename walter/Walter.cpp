#include "walter/Walter.h"

#include "app/Form.h"
#include "app/NumberText.h"
#include "app/Passes.h"

#include <string>

namespace millcalc {

namespace {

constexpr double kCarbide[] = { kCarbideModulus };

constexpr DeflectionModel kDeflection {
    "BaseD",
    "BaseStL",
    "BaseStDeflMax",
    "EditStDefl",
    "BitBtnStDefl",
    "ImageStDefl",
    { "EditStP", "ComboBoxStkpd", "EditStVc" },
    nullptr,
    kCarbide,
    "фреза твердосплавная; F = Ft = 60000·P·η/Vc - окружная сила по рассчитанной мощности P "
    "(кВт), КПД станка η и скорости резания Vc (м/мин)",
};

} // namespace

const DeflectionModel& walterDeflection()
{
    return kDeflection;
}

void createWalter(Form& form)
{
    FieldStore& store = form.store();
    for (const char* name : { "EditStn", "EditStVc", "EditStP", "EditStPn", "EditStM", "EditSthm2",
             "EditStQ", "EditStVf", "EditStfz" })
        store.setText(name, "0.0");
    store.setIndex("ComboBoxStContact", 0);
    store.setPicture("Imagevs", 0);
    store.setPicture("Imagehm", 0);
    store.setText("EditStk", "90.0");
    store.setIndex("ComboBoxStkpd", 0);
    store.setChecked("CheckBoxhm2", false);
    store.setText("EditaeDc", "");
    store.setText("EditStKc11", "700.01");
    store.setText("EditStMc", "0.2501");
    store.setText("EditStGamma0", "2.0");
    store.setText("EditStKc", "0.0");
    store.setText("BaseStL", "75.0");
    store.setText("BaseStDeflMax", "0.05");
    store.setText("EditStDefl", "0.0000");
    CheckBoxhm2Click(form);
}

// The step buttons ignore the step's result.
void BitBtnSt1Click(Form& form)
{
    WalterCuttingSpeed(form);
}

void BitBtnSt2Click(Form& form)
{
    WalterRemovalRate(form);
}

void BitBtnSt3Click(Form& form)
{
    WalterChipThickness(form);
}

void BitBtnSt4Click(Form& form)
{
    WalterFeedPerTooth(form);
}

void BitBtnSt5Click(Form& form)
{
    WalterPower(form);
}

void installWalter(Form& form)
{
    form.onClick("BitBtnSt1", [&form] { BitBtnSt1Click(form); });
    form.onClick("BitBtnSt2", [&form] { BitBtnSt2Click(form); });
    form.onClick("BitBtnSt3", [&form] { BitBtnSt3Click(form); });
    form.onClick("BitBtnSt4", [&form] { BitBtnSt4Click(form); });
    form.onClick("BitBtnSt5", [&form] { BitBtnSt5Click(form); });
    form.onClick(kDeflection.stepButton, [&form] { CalcDeflection(form, kDeflection); });
    form.onChange("ComboBoxStContact", [&form] { ComboBoxStContactChange(form); });
    form.onChange("CheckBoxhm2", [&form] { CheckBoxhm2Click(form); });
}

void fillWalter(Form& form)
{
    form.store().setTexts({ { "BaseD", "25.0" }, { "BaseZ", "3" }, { "BaseB", "15.0" },
        { "BaseT", "5.0" }, { "BaseStPasses", "1" }, { "BaseVc", "1060.0" }, { "Basefz", "0.1" } });
}

namespace {

// The four inputs of the full calculation stop it with a warning box before any
// result is written; nothing is logged.
void stopOnInput(Form& form, const char* field, const std::string& zero, const char* message)
{
    form.CorrectField(field, zero);
    form.WarningBox(message);
}

} // namespace

int WalterCalculate(Form& form)
{
    FieldStore& store = form.store();
    // The depth ae is the depth per pass; the passes only go on the card.
    readPasses(form, "BaseStPasses");

    const double D = store.real("BaseD");
    if (!(D > 0)) {
        stopOnInput(form, "BaseD", formatFixed(0, 3), "Ошибка задания 'диаметра инструмента' - D");
        return -1;
    }
    const int z = store.whole("BaseZ");
    if (z <= 0) {
        stopOnInput(form, "BaseZ", formatWhole(0), "Ошибка задания 'Числа зубьев' - z");
        return -1;
    }
    const double Vc = store.real("BaseVc");
    if (!(Vc > 0)) {
        stopOnInput(form, "BaseVc", formatFixed(0, 3), "Ошибка задания 'Скорости резания' - vc");
        return -1;
    }
    const double fz = store.real("Basefz");
    if (!(fz > 0)) {
        stopOnInput(form, "Basefz", formatFixed(0, 5), "Ошибка задания 'Подача на зуб' - fz");
        return -1;
    }

    // D, z, Vc, fz, n and the unrounded Vf pass as numbers; every later step
    // reads the rounded texts that the earlier ones wrote.
    const double n = WalterSpindleSpeed(form, D, Vc);
    if (n < 0)
        return -1;
    if (WalterTableFeed(form, fz, z, n) == -1)
        return -1;
    if (WalterRemovalRate(form) < 0)
        return -1;
    if (WalterChipThickness(form) == -1)
        return -1;
    if (WalterPower(form) < 0)
        return -1;
    // The cut's results stand whatever the deflection step finds.
    CalcDeflection(form, kDeflection);
    return 0;
}

} // namespace millcalc
