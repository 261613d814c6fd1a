#include "ui/sheet/SheetHeaderDialog.h"

#include "app/FieldCaptions.h"
#include "app/Form.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace millcalc {

SheetHeaderDialog::SheetHeaderDialog(Form& form, QWidget* parent)
    : QDialog(parent)
    , form_(form)
{
    setObjectName(QStringLiteral("SheetHeaderDialog"));
    setWindowTitle(QStringLiteral("Шапка листа расчета"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    for (const FieldCaption& entry : sheetHeaderCaptions()) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromUtf8(entry.field));
        // Wide enough for a drawing number and an operation's name.
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 40);
        fields->addRow(QString::fromUtf8(entry.pageLabel), edit);
        edits_.push_back(edit);
    }
    layout->addLayout(fields);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &SheetHeaderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SheetHeaderDialog::reject);
    layout->addWidget(buttons);
}

int SheetHeaderDialog::exec()
{
    for (QLineEdit* edit : edits_)
        edit->setText(QString::fromStdString(form_.store().text(edit->objectName().toStdString())));
    if (!edits_.empty())
        edits_.front()->setFocus();
    return QDialog::exec();
}

void SheetHeaderDialog::accept()
{
    for (QLineEdit* edit : edits_) {
        const std::string name = edit->objectName().toStdString();
        const std::string text = edit->text().trimmed().toStdString();
        if (form_.store().text(name) != text)
            form_.typeText(name, text);
    }
    QDialog::accept();
}

} // namespace millcalc
