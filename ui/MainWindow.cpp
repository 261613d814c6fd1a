#include "ui/MainWindow.h"

#include "shell/WindowPanels.h"

#include "ui/bind/NamedAction.h"
#include "ui/bind/PaletteColours.h"
#include "ui/pages/MethodPages.h"
#include "ui/pages/WidgetKit.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

namespace millcalc {

namespace {

// A menu line: its control name and caption, with "&" before the letter that
// chooses it from the keyboard; a null name is a separator.
struct MenuLine {
    const char* name;
    const char* caption;
};

void addMenuLines(QMenu* menu, QObject* owner, const std::vector<MenuLine>& lines)
{
    for (const MenuLine& line : lines) {
        if (!line.name) {
            menu->addSeparator();
            continue;
        }
        menu->addAction(namedAction(owner, line.name, caption(line.caption)));
    }
}

// The lines of a menu that show the window's side panels, in the table's
// order: the line of each panel that has one in that menu.
void addPanelLines(std::vector<MenuLine>& lines, PanelMenuItem Panel::* item)
{
    for (const PanelRow& row : windowPanels()) {
        const PanelMenuItem& line = row.panel->*item;
        if (line.name != nullptr)
            lines.push_back({ line.name, line.caption });
    }
}

// A page built late joins the window's focus order at its end; Tab takes
// its fields where the page stands, after the fields before its place.
void keepFocusOrder(QWidget* place, QWidget* page)
{
    const auto takesTab = [](const QWidget* widget) {
        return widget->focusPolicy() != Qt::NoFocus && !widget->focusProxy();
    };
    QWidget* previous = place->previousInFocusChain();
    while (previous != place && !takesTab(previous))
        previous = previous->previousInFocusChain();
    if (previous == place)
        return;
    QList<QWidget*> fields;
    for (QWidget* widget = page->nextInFocusChain(); page->isAncestorOf(widget);
        widget = widget->nextInFocusChain()) {
        if (takesTab(widget))
            fields << widget;
    }
    for (QWidget* field : fields) {
        QWidget::setTabOrder(previous, field);
        previous = field;
    }
}

} // namespace

MainWindow::MainWindow()
{
    setObjectName(QStringLiteral("FormMain"));
    createMenus();
    setCentralWidget(createCentralWidget());
    keepInputWidth();
    // The results, the log and the panels dock on the right of the inputs; the
    // user may move, tab, float and resize them.
    setDockOptions(
        QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks | QMainWindow::AllowTabbedDocks);
    setTabPosition(Qt::AllDockWidgetAreas, QTabWidget::North);
}

void MainWindow::createMenus()
{
    // The park's editor, a window of its own (ui/windows/MachineEditor).
    menuBar()->addAction(namedAction(this, "NMachines", caption("&Станки...")));
    menuBar()->addAction(namedAction(this, "NClose", caption("&Закрыть")));

    QMenu* help = menuBar()->addMenu(caption("&Помощь.."));
    help->setObjectName(QStringLiteral("N7Menu"));
    help->menuAction()->setObjectName(QStringLiteral("N7"));
    help->setSeparatorsCollapsible(false);
    std::vector<MenuLine> helpLines { { nullptr, nullptr },
        { "NMesWin", "&Показывать 'Окно сообщений'" }, { nullptr, nullptr },
        { "N8", "&Схема параметров.." }, { nullptr, nullptr } };
    addPanelLines(helpLines, &Panel::helpItem);
    helpLines.insert(helpLines.end(),
        { { nullptr, nullptr }, { "N25", "&Литература" }, { nullptr, nullptr },
            { "N10", "Об &авторах.." } });
    addMenuLines(help, this, helpLines);
    findChild<QAction*>(QStringLiteral("NMesWin"))->setCheckable(true);

    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("PopupMenuFormMain"));
    std::vector<MenuLine> contextLines { { "N14", "Выполнить &Расчет" }, { "N16", "&Номограмма" },
        { "N2", "&Автозаполнение" }, { nullptr, nullptr } };
    addPanelLines(contextLines, &Panel::contextItem);
    contextLines.insert(contextLines.end(),
        { { nullptr, nullptr }, { "N13", "&Показать окно сообщений" }, { nullptr, nullptr },
            { "N1", "Об а&вторах" }, { nullptr, nullptr }, { "N4", "&Закрыть" } });
    addMenuLines(contextMenu_, this, contextLines);
}

QWidget* MainWindow::createCentralWidget()
{
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);

    // The machine, the hint and the three buttons: one block, which keeps its
    // place and width when the page under it changes (keepInputWidth).
    auto* head = new QWidget;
    head->setObjectName(QStringLiteral("InputsHead"));
    auto* headRows = new QVBoxLayout(head);
    headRows->setContentsMargins(0, 0, 0, 0);
    headRows->setSpacing(layout->spacing());

    auto* machineRow = new QHBoxLayout;
    QLabel* machineLabel = captionLabel("Оборудование=");
    QFont bold = machineLabel->font();
    bold.setBold(true);
    machineLabel->setFont(bold);
    machineRow->addWidget(machineLabel);
    keepTextColour(machineLabel, colours::Blue);
    QComboBox* machines = dropDownList("TabMach", 0);
    // The longest machine's name does not set the inputs' width: the list
    // shows it whole when it drops down.
    machines->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    machines->setMinimumContentsLength(16);
    machineRow->addWidget(machines, 1);
    headRows->addLayout(machineRow);

    QLabel* hint = captionLabel("Подсказка : при произвольном выборе режимов резания - \r\n"
                                "необходимо начинать с оборотов шпинделя !");
    hint->setAlignment(Qt::AlignCenter);
    headRows->addWidget(hint);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(textButton("BitBtnGraphic", "Номограмма>>"));
    buttons->addWidget(pictureButton("BitBtnHelp", QStyle::SP_MessageBoxQuestion));
    QPushButton* calculate = textButton("BitCalcs", "Расчет");
    // Enter on the focused "Расчет", or in any input field, runs the calculation.
    calculate->setAutoDefault(true);
    calculate->setDefault(true);
    buttons->addWidget(calculate);
    headRows->addLayout(buttons);
    layout->addWidget(head);
    head_ = head;

    auto* pages = shownPageTabs();
    pages->setObjectName(QStringLiteral("PageControlParam"));
    // The pages' places; each page is built into its own when first asked for.
    for (QWidget*& place : pagePlaces_) {
        place = new QWidget;
        auto* fill = new QVBoxLayout(place);
        fill->setContentsMargins(0, 0, 0, 0);
        pages->addTab(place, QString());
        place->installEventFilter(this);
    }
    // While the blank result page is shown no input page is active: this hidden
    // empty page stands for "none".
    const int none = pages->addTab(new QWidget, QString());
    pages->setTabVisible(none, false);
    // One width for every method: the widest page's. The inputs keep it
    // whatever room the window has, the docks beside them taking the rest,
    // so that no button moves when the method changes.
    sizeToShownPage(pages, PageWidth::Widest);
    layout->addWidget(pages, 1);
    inputPages_ = pages;
    pages->installEventFilter(this);
    central->installEventFilter(this);
    return central;
}

QWidget* MainWindow::buildInputPage(int index)
{
    QWidget* place = pagePlaces_[static_cast<std::size_t>(index)];
    if (QLayoutItem* built = place->layout()->itemAt(0))
        return built->widget();
    QWidget* page = createInputPage(*methodAt(index));
    place->layout()->addWidget(page);
    keepFocusOrder(place, page);
    // A page built out of sight tells the inputs of its width all the same.
    inputPages_->updateGeometry();
    if (place->isVisible())
        page->show();
    return page;
}

bool MainWindow::isInputPageBuilt(int index) const
{
    return pagePlaces_[static_cast<std::size_t>(index)]->layout()->count() > 0;
}

int MainWindow::shownInputPage() const
{
    const int shown = inputPages_->currentIndex();
    return shown >= 0 && shown < inputPageCount() ? shown : -1;
}

void MainWindow::keepInputWidth()
{
    QWidget* central = centralWidget();
    const QScreen* shown = screen();
    const int wanted = central->sizeHint().width();
    const int room
        = shown ? shown->availableGeometry().width() - (roomBeside_ ? roomBeside_() : 0) : wanted;
    if (wanted <= room) {
        if (central->minimumWidth() != wanted || central->maximumWidth() != wanted)
            central->setFixedWidth(wanted);
        keepHeadWidth(QWIDGETSIZE_MAX);
        return;
    }
    // A screen without room for that: still one width, what the docks leave
    // the inputs, where every page fits in it.
    if (room >= widestLeastWidth()) {
        if (central->minimumWidth() != room || central->maximumWidth() != room)
            central->setFixedWidth(room);
        keepHeadWidth(QWIDGETSIZE_MAX);
        return;
    }
    // Not even that: the inputs take what the docks leave them, the page
    // shown no less than its least width (the page control's least), so that
    // no input goes out of view for the sake of one width, nor a dock out of
    // the screen. The block over the pages keeps one width and place all the
    // same, no wider than the narrowest the inputs get: no button moves when
    // the method changes.
    if (central->minimumWidth() != 0 || central->maximumWidth() != QWIDGETSIZE_MAX) {
        central->setMinimumWidth(0);
        central->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    const QMargins margins = central->layout()->contentsMargins();
    const int narrowest = std::min(room, narrowestLeastWidth()) - margins.left() - margins.right();
    keepHeadWidth(std::max(narrowest, head_->layout()->minimumSize().width()));
}

void MainWindow::keepHeadWidth(int width)
{
    // QWIDGETSIZE_MAX: as wide as the inputs.
    const int least = width == QWIDGETSIZE_MAX ? 0 : width;
    if (head_->minimumWidth() != least || head_->maximumWidth() != width) {
        head_->setMinimumWidth(least);
        head_->setMaximumWidth(width);
    }
}

int MainWindow::narrowestLeastWidth() const
{
    const QWidget* shown = inputPages_->currentWidget();
    const int shownLeast = shown ? shown->minimumSizeHint().width() : 0;
    int narrowest = QWIDGETSIZE_MAX;
    for (int index = 0; index < inputPageCount(); ++index) {
        if (isInputPageBuilt(index))
            narrowest = std::min(
                narrowest, pagePlaces_[static_cast<std::size_t>(index)]->minimumSizeHint().width());
    }
    if (narrowest == QWIDGETSIZE_MAX)
        narrowest = shownLeast;
    const QMargins margins = centralWidget()->layout()->contentsMargins();
    return inputPages_->minimumSizeHint().width() - shownLeast + narrowest + margins.left()
        + margins.right();
}

int MainWindow::widestLeastWidth() const
{
    const QWidget* shown = inputPages_->currentWidget();
    const int shownLeast = shown ? shown->minimumSizeHint().width() : 0;
    int widestPage = shownLeast;
    for (const QWidget* place : pagePlaces_)
        widestPage = std::max(widestPage, place->minimumSizeHint().width());
    // The page control's least with that page shown, and the rows above it
    // (the machine, the hint, the buttons), whichever is the wider.
    int least = inputPages_->minimumSizeHint().width() - shownLeast + widestPage;
    const QLayout* rows = centralWidget()->layout();
    for (int index = 0; index < rows->count(); ++index) {
        const QLayoutItem* row = rows->itemAt(index);
        if (row->widget() != inputPages_)
            least = std::max(least, row->minimumSize().width());
    }
    const QMargins margins = rows->contentsMargins();
    return least + margins.left() + margins.right();
}

void MainWindow::setRoomBeside(std::function<int()> roomBeside)
{
    roomBeside_ = std::move(roomBeside);
    keepInputWidth();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A page built, a font changed: the widest page's width again.
    if (watched == centralWidget() && event->type() == QEvent::LayoutRequest)
        keepInputWidth();
    // A page's place about to be shown, in a shown window or in one yet to
    // be: its page is built first, so that no empty page is ever painted.
    if (event->type() == QEvent::Show || event->type() == QEvent::ShowToParent) {
        for (int index = 0; index < inputPageCount(); ++index) {
            if (watched != pagePlaces_[static_cast<std::size_t>(index)] || isInputPageBuilt(index))
                continue;
            emit inputPageWanted(index);
            // Nobody binds it: it is shown built all the same.
            buildInputPage(index);
        }
    }
    // A field of the input pages leaves Enter to its window, as in a dialog
    // box, where it presses the default button; the fields of the docks keep
    // theirs.
    if (watched != inputPages_ || event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
    auto* calculate = findChild<QPushButton*>(QStringLiteral("BitCalcs"));
    if (enter && modifiers == Qt::NoModifier && calculate && calculate->isEnabled()) {
        event->accept();
        calculate->click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event)
{
    contextMenu_->popup(event->globalPos());
    event->accept();
}

} // namespace millcalc
