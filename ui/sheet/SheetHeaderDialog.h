// "Шапка листа...": the part, the operation and the author of the calculation
// entered for the sheet's header. The fields are the calculation's own
// (EditSheetPart, EditSheetOperation, EditSheetAuthor); the dialog, made at
// its first open, shows them as they stand each time it opens and writes
// them back only on "OK".
#pragma once

#include <QDialog>

#include <vector>

class QLineEdit;

namespace millcalc {

class Form;

class SheetHeaderDialog : public QDialog {
public:
    SheetHeaderDialog(Form& form, QWidget* parent);

    // Opens modal with the fields as the calculation holds them.
    int exec() override;
    void accept() override;

private:
    Form& form_;
    std::vector<QLineEdit*> edits_;
};

} // namespace millcalc
