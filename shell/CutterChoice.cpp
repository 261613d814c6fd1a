#include "shell/CutterChoice.h"

#include "app/Controls.h"
#include "app/FieldCaptions.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "shell/table/Methods.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace millcalc {

namespace {

int materialItem(ToolMaterial material)
{
    return material == ToolMaterial::Hss ? 0 : 1;
}

bool sameNumber(double typed, double value)
{
    return std::abs(typed - value) <= 1e-9 * std::max(1.0, std::abs(value));
}

std::string lengthText(double mm)
{
    return formatGeneral(mm, 6);
}

// A preset's text of a number, as the page writes it.
std::optional<std::string> presetNumber(const SavedCut& cut, std::string_view name)
{
    const std::string* text = cut.input(name);
    if (text == nullptr || text->empty())
        return std::nullopt;
    return *text;
}

} // namespace

bool pageMatches(const FieldStore& store, const CutterPage& page, const Cutter& cutter)
{
    if (!sameNumber(store.real(page.diameter), cutter.dMm))
        return false;
    if (cutter.teeth && store.whole(page.teeth) != *cutter.teeth)
        return false;
    if (cutter.stickoutMm && !sameNumber(store.real(page.stickout), *cutter.stickoutMm))
        return false;
    return page.material == nullptr || !cutter.material
        || store.index(page.material) == materialItem(*cutter.material);
}

CutterChoice::CutterChoice(Form& form)
    : form_(form)
    , chosen_(methods().size())
{
    for (const Method& method : methods()) {
        if (method.cutter.chooser == nullptr)
            continue;
        form_.onChange(method.cutter.chooser,
            [this, &method] { choose(method, form_.store().index(method.cutter.chooser)); });
    }
    form_.store().listen([this](const std::string& name, Change change) {
        if (change == Change::Text || change == Change::Index)
            fieldChanged(name);
    });
}

void CutterChoice::load(const UserFolders& folders)
{
    CutterLibrary::Loaded loaded = CutterLibrary::load(folders);
    library_ = std::move(loaded.library);
    if (!loaded.error.empty())
        form_.LogMessage(loaded.error);
    refresh();
}

void CutterChoice::refresh()
{
    std::vector<std::string> items { kNoCutter };
    for (const Cutter& cutter : library_.cutters())
        items.push_back(cutter.name.empty() ? cutter.id : cutter.name);
    for (const Method& row : methods()) {
        if (row.cutter.chooser == nullptr)
            continue;
        std::string id = chosenId(row);
        const auto& cutters = library_.cutters();
        const auto at = std::find_if(
            cutters.begin(), cutters.end(), [&](const Cutter& c) { return c.id == id; });
        const int item = at == cutters.end() ? 0 : static_cast<int>(at - cutters.begin()) + 1;
        filling_ = true;
        form_.store().setItems(row.cutter.chooser, items);
        form_.store().setIndex(row.cutter.chooser, item);
        filling_ = false;
        // A cutter edited in the library keeps its place only while the page
        // still states it.
        if (item > 0 && !pageMatches(form_.store(), row.cutter, *at))
            setChosen(row, std::string());
        else
            setChosen(row, item > 0 ? std::move(id) : std::string());
    }
}

std::string& CutterChoice::chosenId(const Method& method)
{
    return chosen_[static_cast<std::size_t>(pageOf(method))];
}

const Cutter* CutterChoice::chosen(const Method& method) const
{
    if (method.cutter.chooser == nullptr)
        return nullptr;
    const std::string& id = chosen_[static_cast<std::size_t>(pageOf(method))];
    return id.empty() ? nullptr : library_.find(id);
}

void CutterChoice::setChosen(const Method& method, std::string id)
{
    const CutterPage& page = method.cutter;
    chosenId(method) = std::move(id);
    const Cutter* cutter = chosen(method);
    form_.setCutterSpeedLimit(page.chooser, cutter && cutter->maxRpm ? *cutter->maxRpm : 0);
    if (cutter == nullptr && form_.store().index(page.chooser) != 0) {
        filling_ = true;
        form_.store().setIndex(page.chooser, 0);
        filling_ = false;
    }
}

void CutterChoice::choose(const Method& method, int item)
{
    if (method.cutter.chooser == nullptr)
        return;
    const auto& cutters = library_.cutters();
    if (item <= 0 || item > static_cast<int>(cutters.size())) {
        setChosen(method, std::string());
        return;
    }
    const Cutter& cutter = cutters[static_cast<std::size_t>(item - 1)];
    const CutterPage& page = method.cutter;
    FieldStore& store = form_.store();
    filling_ = true;
    store.setIndex(page.chooser, item);
    store.setText(page.diameter, lengthText(cutter.dMm));
    if (cutter.teeth)
        store.setText(page.teeth, formatWhole(*cutter.teeth));
    if (cutter.stickoutMm)
        store.setText(page.stickout, lengthText(*cutter.stickoutMm));
    // The material's handler runs as on the user's pick.
    if (page.material != nullptr && cutter.material
        && store.index(page.material) != materialItem(*cutter.material))
        form_.pick(page.material, materialItem(*cutter.material));
    filling_ = false;
    setChosen(method, cutter.id);
}

bool CutterChoice::chooseById(const Method& method, std::string_view id)
{
    if (method.cutter.chooser == nullptr)
        return false;
    const auto& cutters = library_.cutters();
    const auto at
        = std::find_if(cutters.begin(), cutters.end(), [&](const Cutter& c) { return c.id == id; });
    if (at == cutters.end()) {
        form_.LogMessage("Фреза \"" + std::string(id)
            + "\" не найдена в библиотеке фрез: введенные значения оставлены");
        return false;
    }
    choose(method, static_cast<int>(at - cutters.begin()) + 1);
    return true;
}

void CutterChoice::fieldChanged(const std::string& name)
{
    if (filling_)
        return;
    for (const Method& method : methods()) {
        const CutterPage& page = method.cutter;
        if (page.chooser == nullptr)
            continue;
        const bool mine = name == page.diameter || name == page.teeth || name == page.stickout
            || (page.material != nullptr && name == page.material);
        if (!mine || chosenId(method).empty())
            continue;
        const Cutter* cutter = chosen(method);
        if (cutter == nullptr || !pageMatches(form_.store(), page, *cutter))
            setChosen(method, std::string());
    }
}

std::string CutterChoice::saveCut(const Method* row)
{
    if (row == nullptr)
        return "Режим сохраняется со страницы метода расчета";
    const Cutter* cutter = chosen(*row);
    if (cutter == nullptr)
        return "Не выбрана фреза: выберите ее в поле \"Фреза\"";
    const FieldStore& store = form_.store();
    SavedCut cut;
    cut.method = std::string(row->cutter.cutWord);
    cut.source = "user";
    for (const FieldCaption& input : row->inputs) {
        const Field& f = store.field(input.field);
        if (f.kind == FieldKind::StaticText)
            cut.workMaterial = f.text;
        else if (f.kind == FieldKind::CheckBox)
            cut.inputs.emplace_back(input.field, f.checked ? "1" : "0");
        else
            cut.inputs.emplace_back(input.field, f.text);
    }
    if (row->cutter.workMaterial != nullptr)
        cut.workMaterial = store.text(row->cutter.workMaterial);
    Cutter kept = *cutter;
    kept.cuts.push_back(std::move(cut));
    CutterLibrary before = library_;
    library_.put(std::move(kept));
    std::string error = library_.save();
    if (!error.empty())
        library_ = std::move(before);
    return error;
}

void CutterChoice::restoreCut(const Method* shown, std::string_view cutterId, const SavedCut& cut)
{
    if (cut.method) {
        const auto rows = methods();
        const auto at = std::find_if(rows.begin(), rows.end(), [&](const Method& row) {
            return row.cutter.cutWord != nullptr && *cut.method == row.cutter.cutWord;
        });
        if (at == rows.end())
            return;
        const int own = pageOf(*at);
        chooseById(*at, cutterId);
        // The picks first, whose handlers may write texts, then the texts.
        for (const auto& [name, text] : cut.inputs) {
            if (!form_.store().has(name))
                continue;
            const Field& f = form_.store().field(name);
            if (f.kind == FieldKind::CheckBox) {
                form_.check(name, text == "1");
            } else if (f.kind == FieldKind::DropDownList || f.kind == FieldKind::RadioGroup) {
                const auto item = std::find(f.items.begin(), f.items.end(), text);
                if (item != f.items.end())
                    form_.pick(name, static_cast<int>(item - f.items.begin()));
            }
        }
        for (const auto& [name, text] : cut.inputs) {
            if (form_.store().has(name)
                && (form_.store().field(name).kind == FieldKind::TextField
                    || form_.store().field(name).kind == FieldKind::EditableList))
                form_.typeText(name, text);
        }
        if (form_.store().index("PageControlParam") != own)
            form_.pick("PageControlParam", own);
        return;
    }
    const Method& method = shown != nullptr ? *shown : methods().front();
    chooseById(method, cutterId);
    const CutterPage& page = method.cutter;
    const std::pair<const char*, const char*> preset[] = {
        { page.cuttingSpeed, "v_c" },
        { page.feedPerTooth, "f_z" },
        { page.axialDepth, "stepdown" },
        { page.radialDepth, "stepover" },
    };
    for (const auto& [field, name] : preset) {
        if (field == nullptr)
            continue;
        if (const auto text = presetNumber(cut, name))
            form_.typeText(field, *text);
    }
}

} // namespace millcalc
