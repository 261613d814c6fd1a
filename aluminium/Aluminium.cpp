#include "aluminium/Aluminium.h"

#include "aluminium/AlFeedAndSpeeds.h"
#include "aluminium/AlForce.h"
#include "aluminium/AlFormulaPanel.h"
#include "aluminium/AlSpindleAndFeed.h"
#include "aluminium/AlStepSupport.h"
#include "aluminium/AlTemperature.h"
#include "aluminium/AlTorqueAndPower.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "app/Passes.h"

namespace millcalc {

namespace {

constexpr double kCarbide[] = { kCarbideModulus };

constexpr DeflectionModel kDeflection {
    "BaseAlD",
    "BaseAlL",
    "BaseAlDeflMax",
    "EditAlDefl",
    "BitBtnAlDefl1",
    "ImageAlDefl",
    { "EditPz" },
    nullptr,
    kCarbide,
    "фреза твердосплавная; F = Pz - сила резания (Н)",
};

// Everything that follows the accepted speed. The temperature look-up cannot
// stop; the others stop the chain at their first -1.
int runFromSpindleSpeed(Form& form)
{
    if (CalcAlSpindleSpeed(form) < 0)
        return kStepStopped;
    if (CalcAlTableFeed(form) < 0)
        return kStepStopped;
    CalcAlWorkpieceTemperature(form);
    if (CalcAlPz(form) < 0)
        return kStepStopped;
    if (CalcAlMz(form) < 0)
        return kStepStopped;
    if (CalcAlNp(form) < 0)
        return kStepStopped;
    // The cut's results stand whatever the deflection step finds.
    CalcDeflection(form, kDeflection);
    return 0;
}

} // namespace

void createAluminiumInputs(Form& form)
{
    FieldStore& store = form.store();
    store.setItems("ComboBoxMaterial", alloyNames());
    store.setIndex("ComboBoxMaterial", 0);
    // The roughness list is still empty here, so this first factor is the
    // alloy's "no range" one; the roughness step below replaces it.
    ComboBoxMaterialChange(form);
    store.setItems("ComboBoxRa", roughnessRanges());
    store.setIndex("ComboBoxRa", 0);
    ComboBoxRaChange(form);
    store.setIndex("ComboBoxTkpd", 0);
    for (const char* name : { "EditSz", "EditV", "EditV1", "EditV2" })
        store.setText(name, "0.0");
    // "0.0" is no item of the still empty list of EditV, so the list selects
    // nothing and shows no text until a calculation offers its candidates: a
    // pick of a pretend speed 0.0 would only rerun the chain with V = 0.
    store.setText("EditTm", "20.0");
    for (const char* name : { "Editn", "EditF", "EditPz", "EditMz", "EditNp" })
        store.setText(name, "0.0");
    store.setText("BaseAlL", "75.0");
    store.setText("BaseAlDeflMax", "0.05");
    store.setText("EditAlDefl", "0.0000");
}

const DeflectionModel& aluminiumDeflection()
{
    return kDeflection;
}

void installAluminium(Form& form)
{
    Form* f = &form;
    form.onChange("ComboBoxMaterial", [f] { ComboBoxMaterialChange(*f); });
    form.onChange("ComboBoxRa", [f] { ComboBoxRaChange(*f); });
    form.onChange("EditV", [f] { EditVChange(*f); });
    // Single-step buttons ignore the results of their steps.
    form.onClick("BitBtn1fz", [f] { CalcAlFeedPerTooth(*f); });
    form.onClick("BitBtn2V1", [f] { CalcAlSpeedByTemperature(*f); });
    form.onClick("BitBtn3V2", [f] { CalcAlSpeedByPower(*f); });
    form.onClick("BitBtn4P", [f] { CalcAlPz(*f); });
    form.onClick("BitBtnAln1", [f] { CalcAlSpindleSpeed(*f); });
    form.onClick("BitBtnAlF1", [f] {
        if (CalcAlTableFeed(*f) >= 0)
            CalcAlWorkpieceTemperature(*f);
    });
    form.onClick("BitBtnAlPz1", [f] { CalcAlPz(*f); });
    form.onClick("BitBtnAlMz1", [f] { CalcAlMz(*f); });
    form.onClick("BitBtnAlNp1", [f] { CalcAlNp(*f); });
    form.onClick(kDeflection.stepButton, [f] { CalcDeflection(*f, kDeflection); });
}

void fillAluminium(Form& form)
{
    FieldStore& store = form.store();
    store.setTexts({ { "BaseAlD", "25.0" }, { "BaseAlZ", "3" }, { "BaseAlB", "15.0" },
        { "BaseAlT", "5.0" }, { "BaseAlPasses", "1" } });
    store.setIndex("ComboBoxMaterial", 0);
    store.setIndex("ComboBoxRa", 0);
    store.setIndex("ComboBoxTkpd", 0);
    // The formula panel and Ks follow the alloy and roughness range now shown,
    // as after a user's pick of them: a panel left with the coefficients of the
    // alloy selected before would calculate another alloy than the page names.
    ComboBoxMaterialChange(form);
}

int CalcAluminium(Form& form)
{
    return CalcAluminiumWith(form, nullptr, nullptr, "");
}

int CalcAluminiumWith(
    Form& form, const std::string* feedPerTooth, const std::string* speed, const char* speedMark)
{
    // t is the depth per pass; the passes only go on the card.
    readPasses(form, "BaseAlPasses");
    if (CalcAlFeedPerTooth(form) < 0)
        return kStepStopped;
    FieldStore& store = form.store();
    // A feed the user (or a fit) sets in place of the formula's, as typed into
    // EditSz before the later steps.
    if (feedPerTooth != nullptr)
        store.setText("EditSz", *feedPerTooth);
    // The candidates of the last run go only once the new Sz stands.
    store.setItems("EditV", {});
    store.setIndex("EditV", -1);
    if (CalcAlSpeedByTemperature(form) < 0)
        return kStepStopped;
    if (CalcAlSpeedByPower(form) < 0)
        return kStepStopped;
    CalcAlAcceptedSpeed(form);
    // A further candidate, picked where it is lower than the accepted speed.
    if (speed != nullptr && store.real("EditV") > readReal(*speed)) {
        store.appendItem("EditV", *speed + speedMark);
        store.setIndex("EditV", static_cast<int>(store.items("EditV").size()) - 1);
    }
    return runFromSpindleSpeed(form);
}

int EditVChange(Form& form)
{
    return runFromSpindleSpeed(form);
}

} // namespace millcalc
