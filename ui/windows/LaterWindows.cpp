#include "ui/windows/LaterWindows.h"

#include <algorithm>
#include <utility>

namespace millcalc {

void LaterWindows::add(std::string window, Builder builder, Kind kind)
{
    entries_.push_back({ std::move(window), std::move(builder), kind });
}

QWidget* LaterWindows::build(const std::string& window)
{
    const auto it = std::find_if(entries_.begin(), entries_.end(),
        [&](const Entry& entry) { return entry.window == window; });
    if (it == entries_.end())
        return nullptr;
    if (!it->built) {
        it->built = it->builder();
        if (it->kind == Kind::Bound && whenBuilt_)
            whenBuilt_(it->built);
    }
    return it->built;
}

bool LaterWindows::isBuilt(const std::string& window) const
{
    return std::any_of(entries_.begin(), entries_.end(),
        [&](const Entry& entry) { return entry.window == window && entry.built; });
}

std::vector<std::string> LaterWindows::unbuilt(Kind kind) const
{
    std::vector<std::string> names;
    for (const Entry& entry : entries_) {
        if (!entry.built && entry.kind == kind)
            names.push_back(entry.window);
    }
    return names;
}

std::vector<std::string> LaterWindows::unbuilt() const
{
    std::vector<std::string> names;
    for (const Entry& entry : entries_) {
        if (!entry.built)
            names.push_back(entry.window);
    }
    return names;
}

} // namespace millcalc
