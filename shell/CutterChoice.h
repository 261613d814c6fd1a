// The cutter chooser ("Фреза") of each method page: the library it lists,
// what a chosen cutter fills in, the chooser's return to "—" once the page no
// longer matches its cutter, the cutter's maximum speed handed to the
// calculation, and the cuts kept with a cutter.
#pragma once

#include "app/Method.h"
#include "cutters/CutterLibrary.h"

#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

class FieldStore;
class Form;

// Whether the fields of the page state what the cutter has of them.
bool pageMatches(const FieldStore& store, const CutterPage& page, const Cutter& cutter);

class CutterChoice {
public:
    explicit CutterChoice(Form& form);
    CutterChoice(const CutterChoice&) = delete;
    CutterChoice& operator=(const CutterChoice&) = delete;

    // Reads the library of the folders (a refused file is logged) and lists
    // it in the choosers, each keeping its cutter where the library still has it.
    void load(const UserFolders& folders);
    // Lists the library as it now stands, after an edit or an import.
    void refresh();
    CutterLibrary& library() { return library_; }
    const CutterLibrary& library() const { return library_; }

    // The user's pick of item on the method's chooser: 0 keeps the typed
    // values; a cutter fills them in.
    void choose(const Method& method, int item);
    // Chooses the cutter of id on the method's page; a cutter not in the
    // library leaves the chooser and the typed values as they are, with a log
    // line. Returns whether it was found; false on a page without a chooser.
    bool chooseById(const Method& method, std::string_view id);
    // The chosen cutters' ids, by method page; "" where "—" is chosen.
    const std::vector<std::string>& chosenIds() const { return chosen_; }
    const Cutter* chosen(const Method& method) const;

    // Keeps the method page's inputs as a cut of its chosen cutter and saves
    // the user's file; empty, or why not (null: no method page is shown).
    std::string saveCut(const Method* method);
    // Chooses the cutter of cutterId on the page of method and fills it from
    // the cutter's saved cut: a cut of a method restores that method's
    // inputs and shows its page; a preset without one fills what the page
    // shown has of it (Vc, fz, the axial and radial depths), the first
    // method's page where none is shown (null).
    void restoreCut(const Method* shown, std::string_view cutterId, const SavedCut& cut);

private:
    void fieldChanged(const std::string& name);
    void setChosen(const Method& method, std::string id);
    std::string& chosenId(const Method& method);

    Form& form_;
    CutterLibrary library_;
    std::vector<std::string> chosen_;
    bool filling_ = false;
};

} // namespace millcalc
