#include "ui/ResultsCopy.h"

#include "shell/FormMain.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <initializer_list>

namespace millcalc {

namespace {

struct ResultLine {
    const char* caption;
    const char* field;
    const char* unit;
};

constexpr ResultLine kWalter[] = {
    { "Обороты шпинделя, n", "EditStn", "об/мин" },
    { "Скорость резания, Vc", "EditStVc", "м/мин" },
    { "Подача, Vf", "EditStVf", "мм/мин" },
    { "Подача на зуб, fz", "EditStfz", "мм/зуб" },
    { "Скорость сьема материала, Q", "EditStQ", "(см*см*см)/мин" },
    { "Средняя толщина стружки, hm", "EditSthm2", "мм" },
    { "ae/Dc", "EditaeDc", "" },
    { "Удельная сила резания, kc", "EditStKc", "Н/(мм*мм)" },
    { "Мощность (рассчитанная)", "EditStP", "кВт" },
    { "Мощность (принимаемая)", "EditStPn", "кВт" },
    { "Момент, M", "EditStM", "Нм" },
};

constexpr ResultLine kAluminium[] = {
    { "Подача на зуб Sz=fz", "EditSz", "мм/зуб" },
    { "Скорость резания V1 (темпер. заготовки)", "EditV1", "м/мин" },
    { "Скорость резания V2 (по мощн. гл. дв.)", "EditV2", "м/мин" },
    { "Принимаемая скорость резания, V", "EditV", "м/мин" },
    { "Обороты шпинделя, n", "Editn", "об/мин" },
    { "Подача резания, F", "EditF", "мм/мин" },
    { "Температура заготовки, C", "EditTm", "град Цельсия" },
    { "Сила резания Pz", "EditPz", "Н" },
    { "Момент Mz", "EditMz", "Нм" },
    { "Мощность резания Nct", "EditNp", "кВт" },
    { "K=B/D", "EditK", "" },
    { "t/D", "EdittD", "" },
};

constexpr ResultLine kTitanium[] = {
    { "Подача на зуб Sz=fz", "EditTifz", "мм/зуб" },
    { "Принимаемая скорость резания, V", "EditTiVc", "м/мин" },
    { "Обороты шпинделя, n", "EditTin", "об/мин" },
    { "Подача резания, F", "EditTiF", "мм/мин" },
    { "Сила резания Px", "EditTiPx", "Н" },
    { "Сила резания Py", "EditTiPy", "Н" },
    { "Сила резания P", "EditTiP", "Н" },
    { "Момент Mz", "EditTiMz", "Нм" },
    { "Мощность резания Nct", "EditTiNct", "кВт" },
    { "Скорость резания, V (деталь малой жесткости)", "EditTiVsmall", "м/мин" },
    { "Обороты шпинделя, n (деталь малой жесткости)", "EditTinsmall", "об/мин" },
    { "Подача резания, F (деталь малой жесткости)", "EditTiFsmall", "мм/мин" },
    { "Мощность резания Nct (деталь малой жесткости)", "EditTiNctsmall", "кВт" },
};

template <std::size_t N> QString table(const FieldStore& store, const ResultLine (&lines)[N])
{
    QString text;
    for (const ResultLine& line : lines) {
        text += QString::fromUtf8(line.caption) + QLatin1Char('\t')
            + QString::fromStdString(store.text(line.field)) + QLatin1Char('\t')
            + QString::fromUtf8(line.unit) + QLatin1Char('\n');
    }
    return text;
}

// The field that takes Ctrl+C itself: one with selected text.
bool copiesItsSelection(QWidget* focused)
{
    auto* edit = qobject_cast<QLineEdit*>(focused);
    if (auto* list = qobject_cast<QComboBox*>(focused))
        edit = list->lineEdit();
    return edit && edit->hasSelectedText();
}

class ResultsCopy : public QObject {
public:
    ResultsCopy(FormMain& form, QWidget* window)
        : QObject(window)
        , form_(form)
        , window_(window)
    {
        // Key events go to the focused control, which may take Ctrl+C for
        // itself: the application's filter sees them first.
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !window_ || (widget != window_ && !window_->isAncestorOf(widget)))
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->matches(QKeySequence::Copy) || copiesItsSelection(QApplication::focusWidget()))
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            // The key press itself comes here next, not to a shortcut.
            event->accept();
            return true;
        }
        const QString text = resultsTable(form_.store(), form_.store().index("PageControlMethods"));
        if (!text.isEmpty())
            QApplication::clipboard()->setText(text);
        return true;
    }

private:
    FormMain& form_;
    QPointer<QWidget> window_;
};

} // namespace

QString resultsTable(const FieldStore& store, int page)
{
    switch (page) {
    case 0:
        return table(store, kWalter);
    case 1:
        return table(store, kAluminium);
    case 2:
        return table(store, kTitanium);
    default:
        return QString();
    }
}

void installResultsCopy(FormMain& form, QWidget* resultsWindow)
{
    if (resultsWindow)
        new ResultsCopy(form, resultsWindow);
}

} // namespace millcalc
