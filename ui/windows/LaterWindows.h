// The windows, docks and pages that are not built with the main window, each
// by its control name with the function that builds it: built when first
// shown or first asked for, or in the idle time after the main window's first
// paint (IdleBuild). Whoever wants one by name (the desktop, the binder when
// its field turns visible, the idle time, the tests) asks this one registry.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace millcalc {

class LaterWindows {
public:
    // Builds a window, a child of the main window, with its controls;
    // returns it.
    using Builder = std::function<QWidget*()>;

    enum class Kind {
        // Its controls are bound to the store as it is built (whenBuilt), and
        // it is built in the idle time unless it was asked for before.
        Bound,
        // A dialog that reads the store as it opens and writes it back as it
        // is accepted: built only when it is first asked for.
        Dialog,
    };

    // The window of that control name is built by builder when it is first
    // shown or first asked for.
    void add(std::string window, Builder builder, Kind kind = Kind::Bound);
    // What is done with each bound window as it is built (the binder binds
    // its controls).
    void whenBuilt(std::function<void(QWidget*)> bind) { whenBuilt_ = std::move(bind); }

    // Builds the window now, unless it is built; returns it, or null for a
    // name not added.
    QWidget* build(const std::string& window);
    bool isBuilt(const std::string& window) const;
    // The windows of that kind not built yet, in the order they were added.
    std::vector<std::string> unbuilt(Kind kind) const;
    // Every window not built yet, of either kind.
    std::vector<std::string> unbuilt() const;

private:
    struct Entry {
        std::string window;
        Builder builder;
        Kind kind;
        QWidget* built = nullptr;
    };
    std::vector<Entry> entries_;
    std::function<void(QWidget*)> whenBuilt_;
};

} // namespace millcalc
