#include "ui/windows/CuttersWindow.h"

#include "app/UserFiles.h"
#include "cutters/CutterFile.h"
#include "cutters/CutterImport.h"
#include "cutters/FusionLibrary.h"
#include "cutters/ToolTable.h"
#include "shell/FormMain.h"
#include "shell/table/Methods.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <optional>
#include <string>

namespace millcalc {

namespace {

struct FieldRow {
    const char* key;
    const char* caption;
};

constexpr FieldRow kRows[] = {
    { "name", "Название:" },
    { "d", "Диаметр D, мм:" },
    { "teeth", "Число зубьев z:" },
    { "stickout", "Вылет L, мм:" },
    { "flute", "Длина режущей части, мм:" },
    { "maxRpm", "Макс. обороты, об/мин:" },
    { "toolNumber", "Номер инструмента T:" },
};

int rowOf(const char* key)
{
    for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i) {
        if (std::string_view(kRows[i].key) == key)
            return i;
    }
    return -1;
}

QString number(const std::optional<double>& value)
{
    return value ? QString::number(*value, 'g', 10) : QString();
}

// A number the user typed ("," as "."); none for an empty text; false when
// the text is no number at all.
bool readNumber(const QString& text, std::optional<double>& value)
{
    const QString plain = text.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    value.reset();
    if (plain.isEmpty())
        return true;
    bool ok = false;
    const double read = plain.toDouble(&ok);
    if (!ok || !std::isfinite(read))
        return false;
    value = read;
    return true;
}

QString cutText(const SavedCut& cut)
{
    QString text = cut.method ? QString::fromStdString(*cut.method) : QStringLiteral("пресет");
    if (!cut.workMaterial.empty())
        text += QStringLiteral(", ") + QString::fromStdString(cut.workMaterial);
    text += QStringLiteral(" (") + QString::fromStdString(cut.source) + QStringLiteral("):");
    for (const auto& [name, value] : cut.inputs)
        text += QStringLiteral(" ") + QString::fromStdString(name) + QStringLiteral("=")
            + QString::fromStdString(value);
    return text;
}

QString askFileDialog(QWidget* parent, bool save)
{
    if (save)
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Экспорт библиотеки фрез"),
            QString(), QStringLiteral("Fusion 360 (*.json);;LinuxCNC (*.tbl)"));
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Импорт фрез"), QString(),
        QStringLiteral("Библиотеки инструмента (*.json *.tools *.fctb *.fctl)"));
}

} // namespace

CuttersWindow::CuttersWindow(FormMain& form, QWidget* parent, AskFile askFile)
    : QDialog(parent)
    , form_(form)
    , askFile_(askFile ? std::move(askFile) : AskFile(askFileDialog))
    , edited_(form.cutters().library())
{
    setObjectName(QStringLiteral("FormCutters"));
    setWindowTitle(QStringLiteral("Фрезы"));
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("ListCutters"));
    left->addWidget(list_);
    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const char* text, auto slot) {
        auto* b = new QPushButton(QString::fromUtf8(text));
        b->setObjectName(QString::fromUtf8(name));
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    button("BtnCutterAdd", "Добавить", [this] { addCutter(); });
    button("BtnCutterCopy", "Копировать", [this] { copyCutter(); });
    button("BtnCutterRemove", "Удалить", [this] { removeCutter(); });
    left->addLayout(buttons);
    auto* files = new QHBoxLayout;
    buttons = files;
    button("BtnCutterImport", "Импорт...", [this] {
        const QString path = askFile_(this, false);
        if (!path.isEmpty())
            importFile(path);
    });
    button("BtnCutterExport", "Экспорт...", [this] {
        const QString path = askFile_(this, true);
        if (!path.isEmpty())
            exportFile(path);
    });
    left->addLayout(files);
    top->addLayout(left);

    auto* grid = new QGridLayout;
    origin_ = new QLabel;
    grid->addWidget(origin_, 0, 0, 1, 3);
    for (int i = 0; i < kFields; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(kRows[i].caption)), i + 1, 0);
        editors_[static_cast<std::size_t>(i)] = new QLineEdit;
        editors_[static_cast<std::size_t>(i)]->setObjectName(
            QStringLiteral("EditCutter_") + QString::fromUtf8(kRows[i].key));
        grid->addWidget(editors_[static_cast<std::size_t>(i)], i + 1, 1);
        faults_[static_cast<std::size_t>(i)] = new QLabel;
        faults_[static_cast<std::size_t>(i)]->setStyleSheet(QStringLiteral("color: #c00000"));
        grid->addWidget(faults_[static_cast<std::size_t>(i)], i + 1, 2);
    }
    grid->addWidget(new QLabel(QStringLiteral("Материал:")), kFields + 1, 0);
    material_ = new QComboBox;
    material_->setObjectName(QStringLiteral("ComboCutterMaterial"));
    material_->addItems({ QStringLiteral("—"), QStringLiteral("Твердый сплав"),
        QStringLiteral("Быстрорежущая сталь") });
    grid->addWidget(material_, kFields + 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Сохраненные режимы:")), kFields + 2, 0, 1, 3);
    cuts_ = new QListWidget;
    cuts_->setObjectName(QStringLiteral("ListCuts"));
    cuts_->setToolTip(QStringLiteral("Щелчок восстанавливает режим на странице метода"));
    grid->addWidget(cuts_, kFields + 3, 0, 1, 3);
    connect(cuts_, &QListWidget::itemClicked, this,
        [this](QListWidgetItem* item) { restoreCut(cuts_->row(item)); });
    auto* save = new QPushButton(QStringLiteral("Сохранить режим в фрезу"));
    save->setObjectName(QStringLiteral("BtnCutterSaveCut"));
    connect(save, &QPushButton::clicked, this, [this] {
        if (!takeEdits() || shown_ < 0)
            return;
        const std::string id = edited_.cutters()[static_cast<std::size_t>(shown_)].id;
        const Method* method = methodAt(form_.store().index("PageControlParam"));
        if (method == nullptr)
            return;
        // The cut goes with the cutter on the page: the one shown here is
        // chosen there first.
        form_.cutters().library() = edited_;
        form_.cutters().refresh();
        if (form_.cutters().chosenIds()[static_cast<std::size_t>(pageOf(*method))] != id)
            form_.cutters().chooseById(*method, id);
        const std::string why = form_.cutters().saveCut(method);
        if (!why.empty())
            return showError(QString::fromStdString(why));
        edited_ = form_.cutters().library();
        showCutter(shown_);
    });
    grid->addWidget(save, kFields + 4, 0, 1, 3);
    top->addLayout(grid, 1);

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BtnCuttersOk"));
    connect(box, &QDialogButtonBox::accepted, this, &CuttersWindow::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(box);

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_ || row == shown_)
            return;
        // An invalid cutter keeps its place until it is put right.
        if (!takeEdits()) {
            filling_ = true;
            list_->setCurrentRow(shown_);
            filling_ = false;
            return;
        }
        showCutter(row);
    });
    fillList();
    showCutter(edited_.cutters().empty() ? -1 : 0);
}

QLineEdit* CuttersWindow::editor(const char* key) const
{
    const int row = rowOf(key);
    return row < 0 ? nullptr : editors_[static_cast<std::size_t>(row)];
}

QString CuttersWindow::fault(const char* key) const
{
    const int row = rowOf(key);
    return row < 0 ? QString() : faults_[static_cast<std::size_t>(row)]->text();
}

void CuttersWindow::fillList()
{
    filling_ = true;
    list_->clear();
    for (const Cutter& c : edited_.cutters()) {
        QString text = QString::fromStdString(c.name.empty() ? c.id : c.name);
        if (edited_.fromShop(c.id))
            text += QStringLiteral("  [цех]");
        list_->addItem(text);
    }
    list_->setCurrentRow(shown_);
    filling_ = false;
}

void CuttersWindow::showCutter(int row)
{
    const auto& cutters = edited_.cutters();
    shown_ = row >= 0 && row < static_cast<int>(cutters.size()) ? row : -1;
    filling_ = true;
    list_->setCurrentRow(shown_);
    filling_ = false;
    for (QLabel* fault : faults_)
        fault->clear();
    cuts_->clear();
    if (shown_ < 0) {
        for (QLineEdit* e : editors_)
            e->clear();
        origin_->setText(QStringLiteral("Библиотека пуста: \"Добавить\" или \"Импорт...\""));
        return;
    }
    const Cutter& c = cutters[static_cast<std::size_t>(shown_)];
    origin_->setText(QString::fromStdString(c.id)
        + (edited_.fromShop(c.id) ? QStringLiteral(" — фреза цеха (изменения — в вашем файле)")
                                  : QString()));
    editor("name")->setText(QString::fromStdString(c.name));
    editor("d")->setText(QString::number(c.dMm, 'g', 10));
    editor("teeth")->setText(c.teeth ? QString::number(*c.teeth) : QString());
    editor("stickout")->setText(number(c.stickoutMm));
    editor("flute")->setText(number(c.fluteLengthMm));
    editor("maxRpm")->setText(number(c.maxRpm));
    editor("toolNumber")->setText(c.toolNumber ? QString::number(*c.toolNumber) : QString());
    material_->setCurrentIndex(!c.material ? 0 : *c.material == ToolMaterial::Carbide ? 1 : 2);
    for (const SavedCut& cut : c.cuts)
        cuts_->addItem(cutText(cut));
}

bool CuttersWindow::takeEdits()
{
    if (shown_ < 0)
        return true;
    const Cutter& original = edited_.cutters()[static_cast<std::size_t>(shown_)];
    Cutter c = original;
    bool valid = true;
    const auto refuse = [&](const char* key, const char* reason) {
        faults_[static_cast<std::size_t>(rowOf(key))]->setText(QString::fromUtf8(reason));
        valid = false;
    };
    for (QLabel* fault : faults_)
        fault->clear();
    const QString name = editor("name")->text().trimmed();
    if (name.isEmpty())
        refuse("name", "нужно название");
    c.name = name.toStdString();
    std::optional<double> value;
    if (!readNumber(editor("d")->text(), value) || !value || !(*value > 0) || *value > 1000)
        refuse("d", "диаметр — больше 0 и не больше 1000 мм");
    else
        c.dMm = *value;
    // The bounds the library file holds a cutter to.
    const auto whole
        = [&](const char* key, std::optional<int>& into, int least, int most, const char* why) {
              std::optional<double> read;
              if (!readNumber(editor(key)->text(), read)
                  || (read && (*read != std::floor(*read) || *read < least || *read > most)))
                  return refuse(key, why);
              into = read ? std::optional<int>(static_cast<int>(*read)) : std::nullopt;
          };
    const auto positive = [&](const char* key, std::optional<double>& into, double most,
                              const char* why) {
        std::optional<double> read;
        if (!readNumber(editor(key)->text(), read) || (read && (!(*read > 0) || *read > most)))
            return refuse(key, why);
        into = read;
    };
    whole("teeth", c.teeth, 1, 99, "зубьев — целое число от 1 до 99");
    positive("stickout", c.stickoutMm, 10000, "вылет — больше 0 и не больше 10000 мм");
    positive("flute", c.fluteLengthMm, 10000, "длина — больше 0 и не больше 10000 мм");
    positive("maxRpm", c.maxRpm, 1e6, "обороты — больше 0 и не больше 1000000");
    whole("toolNumber", c.toolNumber, 1, 99999, "номер — целое число от 1 до 99999");
    const int material = material_->currentIndex();
    c.material = material == 1 ? std::optional(ToolMaterial::Carbide)
        : material == 2        ? std::optional(ToolMaterial::Hss)
                               : std::nullopt;
    if (!valid)
        return false;
    // A cutter only looked at stays where it is: a shop cutter is not copied
    // into the user's file.
    const auto same = [](const Cutter& a, const Cutter& b) {
        return a.name == b.name && a.dMm == b.dMm && a.teeth == b.teeth
            && a.stickoutMm == b.stickoutMm && a.fluteLengthMm == b.fluteLengthMm
            && a.maxRpm == b.maxRpm && a.toolNumber == b.toolNumber && a.material == b.material;
    };
    if (same(c, original))
        return true;
    edited_.put(std::move(c));
    const int kept = shown_;
    fillList();
    shown_ = kept;
    list_->setCurrentRow(shown_);
    return true;
}

void CuttersWindow::addCutter()
{
    if (!takeEdits())
        return;
    Cutter c;
    c.id = edited_.unusedId();
    c.name = "Новая фреза";
    c.dMm = 10;
    c.teeth = 4;
    edited_.put(c);
    fillList();
    showCutter(static_cast<int>(edited_.cutters().size()) - 1);
}

void CuttersWindow::copyCutter()
{
    if (shown_ < 0 || !takeEdits())
        return;
    Cutter c = edited_.cutters()[static_cast<std::size_t>(shown_)];
    c.id = edited_.unusedId();
    c.name += " (копия)";
    c.hidden = false;
    edited_.put(std::move(c));
    fillList();
    showCutter(static_cast<int>(edited_.cutters().size()) - 1);
}

void CuttersWindow::removeCutter()
{
    if (shown_ < 0)
        return;
    const int row = shown_;
    edited_.remove(edited_.cutters()[static_cast<std::size_t>(row)].id);
    shown_ = -1;
    fillList();
    showCutter(std::min(row, static_cast<int>(edited_.cutters().size()) - 1));
}

void CuttersWindow::importFile(const QString& path)
{
    if (!takeEdits())
        return;
    const CutterImport imported = importCutterFile(path.toStdString());
    if (!imported.error.empty())
        return showError(QString::fromStdString(imported.error));
    const std::vector<Cutter> now = edited_.adopt(imported.cutters);
    fillList();
    if (!now.empty()) {
        const auto& cutters = edited_.cutters();
        for (std::size_t i = 0; i < cutters.size(); ++i) {
            if (cutters[i].id == now.front().id)
                showCutter(static_cast<int>(i));
        }
    }
}

void CuttersWindow::exportFile(const QString& path)
{
    if (!takeEdits())
        return;
    std::string text;
    if (path.endsWith(QStringLiteral(".tbl"), Qt::CaseInsensitive)) {
        text = linuxCncToolTable(edited_.cutters());
    } else {
        // The cut on the page shown goes with its cutter as a preset.
        const FieldStore& store = form_.store();
        const Method* method = methodAt(store.index("PageControlParam"));
        CurrentCut cut;
        if (method != nullptr)
            cut.cutterId = form_.cutters().chosenIds()[static_cast<std::size_t>(pageOf(*method))];
        if (method != nullptr && !cut.cutterId.empty()) {
            cut.name = std::string("millcalc: ") + method->caption;
            cut.spindleRpm = store.real(method->card.spindleSpeed);
            cut.cuttingSpeedMPerMin = store.real(method->card.cuttingSpeed);
            cut.feedPerToothMm = store.real(method->card.feedPerTooth);
            cut.feedMmPerMin = store.real(method->card.feed);
            cut.axialDepthMm = store.real(method->card.width);
            cut.radialDepthMm = store.real(method->card.depth);
        }
        text = fusionLibraryText(edited_.cutters(), cut.cutterId.empty() ? nullptr : &cut);
    }
    const std::string why = writeFileAtomically(path.toStdString(), text);
    if (!why.empty())
        showError(QStringLiteral("Файл %1 не записан: %2").arg(path, QString::fromStdString(why)));
}

void CuttersWindow::accept()
{
    if (!takeEdits())
        return;
    // Nothing changed writes nothing.
    const bool changed = cutterFileText(edited_.userFile())
        != cutterFileText(form_.cutters().library().userFile());
    const std::string why = changed ? edited_.save() : std::string();
    if (!why.empty())
        return showError(QString::fromStdString(why));
    form_.cutters().library() = edited_;
    form_.cutters().refresh();
    QDialog::accept();
}

void CuttersWindow::restoreCut(int cut)
{
    if (shown_ < 0)
        return;
    const Cutter& c = edited_.cutters()[static_cast<std::size_t>(shown_)];
    if (cut < 0 || cut >= static_cast<int>(c.cuts.size()))
        return;
    // The library as edited so far lists the cutter that the page takes.
    form_.cutters().library() = edited_;
    form_.cutters().refresh();
    form_.cutters().restoreCut(methodAt(form_.store().index("PageControlParam")), c.id,
        c.cuts[static_cast<std::size_t>(cut)]);
}

void CuttersWindow::showError(const QString& text)
{
    QMessageBox::warning(this, QStringLiteral("Фрезы"), text);
}

void installCutterMenu(FormMain& form, QMainWindow* mainWindow)
{
    auto* menu = new QMenu(QStringLiteral("Ф&резы"), mainWindow);
    menu->setObjectName(QStringLiteral("CuttersMenu"));
    auto* open = menu->addAction(QStringLiteral("&Фрезы..."));
    open->setObjectName(QStringLiteral("NCutters"));
    auto* save = menu->addAction(QStringLiteral("&Сохранить режим в фрезу"));
    save->setObjectName(QStringLiteral("NSaveCut"));
    // Before "Помощь..", the last.
    QMenuBar* bar = mainWindow->menuBar();
    const QList<QAction*> actions = bar->actions();
    bar->insertMenu(actions.isEmpty() ? nullptr : actions.back(), menu);
    QObject::connect(open, &QAction::triggered, mainWindow, [&form, mainWindow] {
        CuttersWindow window(form, mainWindow);
        window.exec();
    });
    QObject::connect(save, &QAction::triggered, mainWindow, [&form, mainWindow] {
        const std::string why
            = form.cutters().saveCut(methodAt(form.store().index("PageControlParam")));
        if (!why.empty())
            QMessageBox::warning(mainWindow, QStringLiteral("Фрезы"), QString::fromStdString(why));
    });
}

} // namespace millcalc
