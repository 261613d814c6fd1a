#include "ui/windows/MachineEditor.h"

#include "app/NumberText.h"
#include "shell/FormMain.h"
#include "ui/addons/AddonLoader.h"
#include "ui/addons/Addons.h"
#include "ui/bind/PaletteColours.h"
#include "ui/docks/PanelDock.h"
#include "ui/pages/WidgetKit.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <utility>

namespace millcalc {

namespace {

// A figure of the machine: the file's key, its caption and unit, and where
// the record keeps it.
struct FigureRow {
    const char* key;
    const char* caption;
    const char* unit;
    double MachineRecord::* figure; // null for the name and the id
};

const FigureRow kFigures[] = {
    { "name", "Название", "", nullptr },
    { "id", "Обозначение (id)", "", nullptr },
    { "max_rpm", "Наибольшие обороты", "об/мин", &MachineRecord::MaxSpindleSpeed },
    { "min_rpm", "Наименьшие обороты", "об/мин", &MachineRecord::MinSpindleSpeed },
    { "max_feed_mm_min", "Наибольшая подача", "мм/мин", &MachineRecord::MaxFeed },
    { "power_kw", "Мощность", "кВт", &MachineRecord::MaxPower },
    { "torque_nm", "Крутящий момент", "Н·м", &MachineRecord::MaxTorque },
    { "knee_rpm", "Обороты перегиба", "об/мин", &MachineRecord::CriticalSpindleSpeed },
};

const char* const kFaultKeys[] = { "name", "id", "max_rpm", "min_rpm", "max_feed_mm_min",
    "power_kw", "torque_nm", "knee_rpm", "curve", "spindle_load_kn" };

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace

QLabel* MachineEditor::faultLabel(const char* key)
{
    auto* label = new QLabel;
    label->setObjectName(QStringLiteral("Fault_") + QString::fromUtf8(key));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    keepTextColour(label, colours::Red);
    label->hide();
    return label;
}

QPushButton* MachineEditor::commandButton(const char* name, const char* caption)
{
    auto* made = new QPushButton(QString::fromUtf8(caption));
    made->setObjectName(QString::fromUtf8(name));
    made->setAutoDefault(false);
    return made;
}

MachineEditor::MachineEditor(FormMain& form, const UserFolders& folders, QWidget* parent)
    : QDialog(parent)
    , form_(form)
    , load_(loadMachinePark(folders))
    , park_(load_.machines)
{
    setObjectName(QString::fromUtf8(kWindowName));
    setWindowTitle(QString::fromUtf8(kTitle));
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    note_ = new QLabel;
    note_->setObjectName(QStringLiteral("LabelParkFile"));
    note_->setWordWrap(true);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QString note = load_.userPath.empty()
        ? QStringLiteral("Нет папки настроек ($XDG_CONFIG_HOME, $HOME): станки не сохранить.")
        : QStringLiteral("Ваши станки сохраняются в %1; файл цеха не изменяется.")
              .arg(text(load_.userPath));
    for (const std::string& message : load_.messages) {
        if (!load_.userPath.empty() && message.find(load_.userPath) != std::string::npos) {
            userFileFaulty_ = true;
            note += QStringLiteral("\n") + text(message)
                + QStringLiteral(". При сохранении он останется рядом как machines.json.bak.");
        }
    }
    note_->setText(note);
    layout->addWidget(note_);

    auto* columns = new QHBoxLayout;
    columns->addWidget(createList());
    auto* edits = new QVBoxLayout;
    edits->addWidget(createFigures());
    edits->addWidget(createCurve(), 1);
    columns->addLayout(edits);
    columns->addWidget(createChart(), 1);
    layout->addLayout(columns, 1);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("BtnMachinesOk"));
    QPushButton* cancel
        = buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("BtnMachinesCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { save(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    resize(fromFont(QSize(1000, 600)));
    keepWithinScreen(this);
    selectRow(std::max(selectedMachineIndex(form_), 0));
}

MachineEditor::~MachineEditor() = default;

QWidget* MachineEditor::createList()
{
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("ListMachines"));
    for (const MachineRecord& m : park_)
        list_->addItem(text(m.MachineName));
    // Long names scroll: the room goes to the figures and the nomogram.
    list_->setMinimumWidth(fromFont(150));
    box->setMaximumWidth(fromFont(220));
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!showing_ && row >= 0)
            selectRow(row);
    });
    layout->addWidget(list_, 1);
    auto* add = commandButton("BtnMachineAdd", "Добавить");
    auto* copy = commandButton("BtnMachineCopy", "Копировать");
    delete_ = commandButton("BtnMachineDelete", "Удалить");
    connect(add, &QPushButton::clicked, this, &MachineEditor::addMachine);
    connect(copy, &QPushButton::clicked, this, &MachineEditor::copyMachine);
    connect(delete_, &QPushButton::clicked, this, &MachineEditor::deleteMachine);
    for (QPushButton* command : { add, copy, delete_ })
        layout->addWidget(command);
    return box;
}

QWidget* MachineEditor::createFigures()
{
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(fromFont(3));
    int line = 0;
    for (const FigureRow& row : kFigures) {
        const QString key = QString::fromUtf8(row.key);
        auto* field = new QLineEdit;
        field->setObjectName(QStringLiteral("Edit_") + key);
        if (row.figure)
            field->setMaximumWidth(fromFont(110));
        auto* label = new QLabel(QString::fromUtf8(row.caption));
        label->setBuddy(field);
        grid->addWidget(label, line, 0);
        grid->addWidget(field, line, 1, 1, row.figure ? 1 : 2);
        if (row.figure)
            grid->addWidget(new QLabel(QString::fromUtf8(row.unit)), line, 2);
        ++line;
        // The fault shows under its field, in the field's columns.
        QLabel* fault = faultLabel(row.key);
        grid->addWidget(fault, line++, 1, 1, 2);
        fields_.insert(key, field);
        faults_.insert(key, fault);
        connect(field, &QLineEdit::textChanged, this,
            [this, key](const QString& typed) { figureEdited(key, typed); });
    }
    grid->setColumnStretch(1, 1);
    return box;
}

void MachineEditor::selectRow(int row)
{
    row_ = std::clamp(row, 0, static_cast<int>(park_.size()) - 1);
    showing_ = true;
    list_->setCurrentRow(row_);
    showing_ = false;
    showMachine();
}

void MachineEditor::showMachine()
{
    const MachineRecord& m = park_[static_cast<std::size_t>(row_)];
    showing_ = true;
    for (const FigureRow& row : kFigures) {
        QLineEdit* field = fields_.value(QString::fromUtf8(row.key));
        if (row.figure)
            field->setText(figureText(m.*row.figure));
        else
            field->setText(text(std::string(row.key) == "id" ? m.Id : m.MachineName));
        field->setCursorPosition(0);
    }
    showing_ = false;
    QString bands;
    for (const SpindleLoadBand& band : m.SpindleLoad) {
        bands += QStringLiteral("%1до %2 — %3")
                     .arg(bands.isEmpty() ? QString() : QStringLiteral("; "),
                         figureText(band.topSpeedRpm), figureText(band.factor));
    }
    // The table of the file, shown as it is: the editor leaves it unchanged.
    spindleLoad_->setText(bands.isEmpty()
            ? QString()
            : QStringLiteral("Нагрузка на шпиндель из файла (об/мин — множитель η, кН): ") + bands);
    spindleLoad_->setVisible(!bands.isEmpty());
    delete_->setEnabled(park_.size() > 1);
    showCurve();
    showFault(checking_ ? faultOf(row_) : MachineFault {});
}

void MachineEditor::figureEdited(const QString& key, const QString& typed)
{
    if (showing_)
        return;
    MachineRecord& m = current();
    if (key == QLatin1String("name")) {
        m.MachineName = typed.toStdString();
        list_->item(row_)->setText(typed);
    } else if (key == QLatin1String("id")) {
        m.Id = typed.trimmed().toStdString();
    } else {
        for (const FigureRow& row : kFigures) {
            if (row.figure && key == QLatin1String(row.key))
                m.*row.figure = readFigure(typed);
        }
        // A curve that comes from the figures follows them.
        if (m.CurveFromDatasheet) {
            m.Curve = datasheetCurve(m);
            showCurve();
        }
    }
    if (checking_)
        showFault(faultOf(row_));
}

QString MachineEditor::uniqueId(const QString& stem) const
{
    const QString base = stem.left(static_cast<int>(kMachineIdLimit) - 4);
    if (machineIndexById(park_, base.toStdString()) < 0)
        return base;
    for (int n = 2;; ++n) {
        const QString id = base + QLatin1Char('-') + QString::number(n);
        if (machineIndexById(park_, id.toStdString()) < 0)
            return id;
    }
}

void MachineEditor::addMachine()
{
    MachineRecord m;
    m.Id = uniqueId(QStringLiteral("machine")).toStdString();
    m.MachineName = "Новый станок";
    // Its curve comes from its figures, as typed, until it is edited.
    m.CurveFromDatasheet = true;
    park_.push_back(std::move(m));
    list_->addItem(text(park_.back().MachineName));
    selectRow(static_cast<int>(park_.size()) - 1);
    fields_.value(QStringLiteral("name"))->setFocus();
    fields_.value(QStringLiteral("name"))->selectAll();
}

void MachineEditor::copyMachine()
{
    MachineRecord m = current();
    m.Id = uniqueId(text(m.Id) + QStringLiteral("-copy")).toStdString();
    m.MachineName += " (копия)";
    park_.push_back(std::move(m));
    list_->addItem(text(park_.back().MachineName));
    selectRow(static_cast<int>(park_.size()) - 1);
}

void MachineEditor::deleteMachine()
{
    if (park_.size() < 2)
        return;
    park_.erase(park_.begin() + row_);
    showing_ = true;
    delete list_->takeItem(row_);
    showing_ = false;
    selectRow(row_);
}

MachineFault MachineEditor::faultOf(int row) const
{
    const MachineRecord& m = park_[static_cast<std::size_t>(row)];
    if (MachineFault fault = validateMachine(m))
        return fault;
    // An id given twice is the fault of the later machine, which took it.
    for (int other = 0; other < row; ++other) {
        if (park_[static_cast<std::size_t>(other)].Id == m.Id)
            return { "id",
                "такое обозначение уже есть у станка «"
                    + park_[static_cast<std::size_t>(other)].MachineName + "»" };
    }
    return {};
}

void MachineEditor::showFault(const MachineFault& fault)
{
    for (const char* key : kFaultKeys) {
        QLabel* label = faults_.value(QString::fromUtf8(key));
        const bool shown = fault && fault.field == key;
        label->setText(shown ? text(fault.message) : QString());
        label->setVisible(shown);
    }
}

bool MachineEditor::save()
{
    for (int row = 0; row < static_cast<int>(park_.size()); ++row) {
        if (const MachineFault fault = faultOf(row)) {
            checking_ = true;
            selectRow(row);
            showFault(fault);
            if (QLineEdit* field = fields_.value(text(fault.field)))
                field->setFocus();
            return false;
        }
    }
    if (load_.userPath.empty()) {
        QMessageBox::warning(this, QString::fromUtf8(kParkCaption), note_->text());
        return false;
    }
    const ParkFile file = userParkFile(load_.base, park_);
    const QString path = text(load_.userPath);
    const bool exists = QFileInfo::exists(path);
    const bool unchanged = userFileFaulty_
        ? file.machines.empty() && file.hidden.empty()
        : file == load_.user && (exists || (file.machines.empty() && file.hidden.empty()));
    if (!unchanged) {
        if (userFileFaulty_) {
            const QString kept = path + QStringLiteral(".bak");
            QFile::remove(kept);
            QFile::copy(path, kept);
        }
        if (const std::string error = saveUserPark(load_.userPath, file); !error.empty()) {
            QMessageBox::warning(this, QString::fromUtf8(kParkCaption),
                QStringLiteral("Файл %1 не записан: %2").arg(path, text(error)));
            return false;
        }
    }
    form_.setMachines(mergePark(load_.base, file));
    accept();
    return true;
}

MachineEditor* openMachineEditor(FormMain& form, QWidget* parent)
{
    if (auto* open = parent ? parent->findChild<MachineEditor*>() : nullptr) {
        open->raise();
        open->activateWindow();
        return open;
    }
    auto* editor = new MachineEditor(form, userFolders(), parent);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->setWindowModality(Qt::WindowModal);
    editor->open();
    return editor;
}

} // namespace millcalc
