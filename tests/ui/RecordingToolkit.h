// A toolkit for the desktop tests that records the boxes and windows the window
// logic asks for instead of opening them.
#pragma once

#include "app/Toolkit.h"

#include <string>
#include <vector>

namespace millcalc {

struct RecordingToolkit : Toolkit {
    std::vector<std::string> boxes; // "CAPTION|TEXT"
    std::vector<std::string> modals;
    int beeps = 0;
    bool quitAsked = false;

    void warningBox(const std::string& text, const std::string& caption) override
    {
        boxes.push_back(caption + "|" + text);
    }
    void informationBox(const std::string& text) override
    {
        boxes.push_back("information|" + text);
    }
    void errorBox(const std::string& text) override { boxes.push_back("error|" + text); }
    void beep() override { ++beeps; }
    void quit() override { quitAsked = true; }
    void showModal(const std::string& window, const std::string&) override
    {
        modals.push_back(window);
    }
    void raise(const std::string&) override { }
};

} // namespace millcalc
