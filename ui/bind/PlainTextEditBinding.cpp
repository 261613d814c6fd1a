#include "ui/bind/PlainTextEditBinding.h"

#include "app/Form.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

namespace millcalc {

PlainTextEditBinding::PlainTextEditBinding(
    const BindingHost& host, const Field& field, QPlainTextEdit* memo)
    : Binding(host, field, memo)
    , memo_(memo)
{
    memo->setReadOnly(field.readOnly);
}

void PlainTextEditBinding::items(const Field& field)
{
    memo_->setPlainText(display(host_.form.store().text(field.name)));
    if (!field.items.empty())
        caretToLastLine();
}

void PlainTextEditBinding::lineAppended(const Field& field)
{
    if (field.items.empty())
        return;
    memo_->appendPlainText(display(field.items.back()));
    caretToLastLine();
}

void PlainTextEditBinding::cleared()
{
    memo_->clear();
}

void PlainTextEditBinding::caretToLastLine()
{
    QTextCursor caret = memo_->textCursor();
    caret.movePosition(QTextCursor::End);
    caret.movePosition(QTextCursor::StartOfBlock);
    memo_->setTextCursor(caret);
    memo_->horizontalScrollBar()->setValue(0);
}

} // namespace millcalc
