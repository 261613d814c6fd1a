// What must hold after every command of a user session, whatever the user did:
// only known texts in the log and the boxes, no number that is not finite in any
// field, only the colours the program uses, and a window state that makes sense.
#pragma once

#include "app/FieldStore.h"

#include <map>
#include <set>
#include <string>
#include <string_view>

namespace millcalc::robust {

// Whether the text holds "nan" or "inf" in any mix of cases.
bool showsNotFinite(std::string_view text);

class SessionChecks {
public:
    // Takes the colours that the started window shows as allowed for each field.
    explicit SessionChecks(const FieldStore& started);

    // Texts the user typed that show "nan" or "inf" themselves: the program may
    // show them back (the copy-back pictures copy a text unchanged).
    void userTyped(const std::string& text);

    // The runner's output of one command; returns what is wrong, or "".
    std::string checkOutput(std::string_view output) const;
    // The whole field store after a command; returns what is wrong, or "".
    std::string checkFields(const FieldStore& store) const;

private:
    // A text showing "nan" or "inf" that the user did not type.
    bool notFiniteShown(const std::string& text) const;

    std::map<std::string, Rgb> startColours_;
    std::set<std::string> typedNotFinite_;
};

} // namespace millcalc::robust
