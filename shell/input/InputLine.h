// One line of input as a user would give it: the calculation file and the
// scenario runner read their lines with one reader, and read, check and
// perform the commands that fill the form's inputs (set, pick, check,
// machine, cutter) with one grammar; each of them names a fault in its own
// words and keeps its own rules around the line.
#pragma once

#include "app/FieldStore.h"

#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

struct Method;

class Form;

// Reads one line into line, without its end: a line feed, a carriage return
// and line feed, or a lone carriage return. Returns false at the end of the
// input or when it cannot be read (in.bad() then tells which).
bool readLine(std::istream& in, std::string& line);
// The lines of bytes, each without its end, as readLine reads them.
std::vector<std::string> splitLines(std::string_view bytes);

// An input command, read and checked.
struct InputLine {
    // Machine: the park's machine of the id, picked in TabMach. Cutter: the
    // cutter of the id, on the input page shown.
    enum class Command { Set, Pick, Check, Machine, Cutter };
    Command command = Command::Set;
    std::string field; // the control (Machine: TabMach; Cutter: none)
    // Set: the text; Machine, Cutter: the id; Pick, Check and a faulty line:
    // what follows the control's name, or the command where it names none.
    std::string text;
    int value = 0; // Pick: the item; Check: 1 or 0
};

// What is wrong with an input line, the first fault in the order listed.
enum class InputFault {
    None,
    NotInput, // the line starts with no input command: another command, or none
    NoName, // set, pick, check: nothing after the command
    UnknownField, // a name that no control has, or that the fields given leave out ("" for a blank)
    // pick, check: not one word after the name; machine: not one word;
    // cutter: nothing (an id may hold blanks)
    WrongCount,
    WrongKind, // a control of a kind the command does not act on
    BadValue, // pick: no item of the list; check: neither 0 nor 1; machine: no id a park holds
};

// The command's word, as a line writes it ("set", "pick" ...).
std::string_view commandWord(InputLine::Command command);
// Whether the command acts on a control of the kind: set on what takes a
// text, pick on what has items, check on check boxes and radio buttons.
bool actsOn(InputLine::Command command, FieldKind kind);

// Reads a line, given without its end, against the store's controls, with
// nothing changed; fields, where given, are the only controls it may name.
InputFault readInputLine(std::string_view line, const FieldStore& store, InputLine& input);
InputFault readInputLine(std::string_view line, const FieldStore& store,
    std::span<const std::string> fields, InputLine& input);

// Chooses the cutter of an id on a method's page (the window's cutter choice).
using CutterChooser = std::function<void(const Method& method, const std::string& id)>;

// Performs a line read without a fault as a user would: types the text
// (whatever the field's state), picks the item, clicks the check box (a click
// on the radio button already checked changes nothing), picks the park's
// machine of the id, or passes the cutter's id with the method of the input
// page shown to chooseCutter (none, or the blank page: passed over). Returns false, with nothing
// changed, when the form's park holds no machine of the id.
bool applyInputLine(Form& form, const InputLine& input, const CutterChooser& chooseCutter = {});

} // namespace millcalc
