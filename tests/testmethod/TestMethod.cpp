#include "TestMethod.h"

#include "app/Designer.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "machines/MachineTable.h"

namespace millcalc {

namespace {

constexpr FieldCaption kInputs[] = {
    { "BaseTestN", "Обороты шпинделя, n", "об/мин", "Обороты шпинделя, n (об/мин) =" },
};

constexpr FieldCaption kResults[] = {
    { "EditTestN", "Обороты шпинделя, n", "об/мин", "Обороты шпинделя, n (об/мин) =" },
};

constexpr LimitCheck kChecks[] = {
    { "EditTestN", "n", LimitKind::SpindleSpeed },
};

// A panel of its own, shown by a button on its results and a line of the
// menu "Помощь..", and kept with the window's arrangement.
constexpr const char* kNotesButtons[] = { "BitBtnTestNotes" };
constexpr Panel kPanels[] = {
    { .name = "PanelTestNotes",
        .caption = "Панель: Заметки проверки",
        .buttons = kNotesButtons,
        .helpItem = { "NTestNotes", "Панель: &Заметки проверки" },
        .kept = true },
};

// Its one result in a framed group, the unit beside it.
constexpr ResultLine kResultLines[] = { { .field = "EditTestN" } };
constexpr ResultGroup kResultGroups[] = {
    { .title = "Проверка оборотов", .lines = kResultLines, .units = true },
};
constexpr ResultPage kResultPage { .over = kResultGroups };

void declare(Designer& d)
{
    d.text("BaseTestN", "TabSheetTest", "0");
    d.text("EditTestN", "TabSheetTestResults", "", true);
    d.buttons("TabSheetTestResults", { "BitBtnTestNotes" });
    d.add(FieldKind::MenuItem, "NTestNotes", "FormMain");
    d.window(FieldKind::Panel, kPanels[0].name, kPanels[0].caption, true);
}

void nothing(Form&) { }

void fill(Form& form)
{
    form.store().setText("BaseTestN", "1000");
}

int calculate(Form& form)
{
    const double n = form.store().real("BaseTestN");
    form.store().setText("EditTestN", formatFixed(n, 0));
    form.markAgainstLimit("EditTestN", n, selectedMachine(form).MaxSpindleSpeed,
        "Превышение максимальных оборотов станка");
    return 0;
}

} // namespace

const Method& testMethod()
{
    static const Method row {
        .caption = "Проверочный метод",
        .fileWord = "проверка",
        .inputPage = "TabSheetTest",
        .resultPage = "TabSheetTestResults",
        .declare = declare,
        .install = nothing,
        .create = nothing,
        .fill = fill,
        .calculate = calculate,
        .inputs = kInputs,
        .coefficients = {},
        .results = kResults,
        .checks = kChecks,
        .card = {},
        .point = {},
        .fit = nullptr,
        .deflection = nullptr,
        .cutter = {},
        .panels = kPanels,
        .resultLayout = &kResultPage,
    };
    return row;
}

} // namespace millcalc
