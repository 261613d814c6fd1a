// The Qt tests' answer to a modal message box they expect.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <QtTest>

#include <utility>

namespace millcalc {

// Answers the next modal message box with the button of that name (OK when
// none is named) and tells its caption and text.
struct BoxWatch {
    QString caption;
    QString text;
    QString press;
    bool seen = false;

    void arm(QString button = QString())
    {
        press = std::move(button);
        seen = false;
        QTimer::singleShot(0, [this] { answer(); });
    }

    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, [this] { answer(); });
            return;
        }
        seen = true;
        caption = box->windowTitle();
        text = box->text();
        QAbstractButton* button = press.isEmpty() ? box->button(QMessageBox::Ok)
                                                  : box->findChild<QAbstractButton*>(press);
        QVERIFY(button);
        button->click();
    }
};

} // namespace millcalc
