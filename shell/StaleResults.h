// Which results on screen no longer follow from the inputs beside them: a
// method's results once an input of its page or the machine changed after
// they were written, and the machine comparison likewise. Only what the
// window shows: the store's texts and colours stay as the calculations wrote
// them.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>

namespace millcalc {

class Form;

inline constexpr const char* kComparisonGrid = "StringGridMachines";

class StaleResults {
public:
    // Watches the form's store from now on. A command of the user's is taken
    // as one: what it wrote is fresh, though it corrected an input on its
    // way; the results of a method whose input it changed and that it did
    // not write turn stale. A change made outside any command counts alone.
    explicit StaleResults(Form& form);
    StaleResults(const StaleResults&) = delete;
    StaleResults& operator=(const StaleResults&) = delete;

    // A result field of a method, or the comparison's grid.
    bool stale(std::string_view field) const;
    // Told after every change of what is stale.
    void onChange(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    void seen(const std::string& name);
    void settle();

    Form& form_;
    // Expires with this watcher; the callbacks it left on the store and the
    // form see that and do nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::set<std::string, std::less<>> stale_;
    // Of the command running, or of the one change outside any.
    std::set<int> changedMethods_;
    std::set<std::string, std::less<>> written_;
    std::function<void()> listener_;
};

} // namespace millcalc
