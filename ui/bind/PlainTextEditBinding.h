// A memo (the message log): its lines, a line appended, and the memo emptied.
#pragma once

#include "ui/bind/Binding.h"

class QPlainTextEdit;

namespace millcalc {

class PlainTextEditBinding : public Binding {
public:
    PlainTextEditBinding(const BindingHost& host, const Field& field, QPlainTextEdit* memo);

    void items(const Field& field) override;
    void lineAppended(const Field& field) override;
    void cleared() override;

private:
    // The caret waits at the start of the last line, so that the view, also
    // when the window comes into view, shows the line from the left.
    void caretToLastLine();

    QPlainTextEdit* memo_;
};

} // namespace millcalc
