// The About window "Об авторе ...": created on demand, shown modally over the
// main window and destroyed when it closes. Its mail link and the picture
// beside it hand a letter to the user's mail program.
#pragma once

#include <QDialog>

class QLabel;

namespace millcalc {

class JpegPicture;
class MailHandOff;
class PictureLabel;

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    // mail carries the letter to the user's mail program.
    AboutWindow(QWidget* parent, MailHandOff& mail);

    // The mail command of the link and of the picture beside it; a failure
    // shows the error box over this window, which stays on top of the others.
    void sendMail();

    QLabel* mailLink() const { return mailLink_; }
    PictureLabel* mailPicture() const { return mailPicture_; }
    const JpegPicture& background() const { return *background_; }

    static constexpr const char* kTitle = "Об авторе ...";
    static constexpr const char* kMailSubject = "Замечание к программе...";
    static constexpr const char* kMailBody = "Привет. Меня зовут ....";
    static constexpr const char* kMailError = "Ошибка посылки письма...";

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MailHandOff& mail_;
    JpegPicture* background_;
    QLabel* mailLink_;
    PictureLabel* mailPicture_;
};

// Creates the About window with the desktop's mail hand-off, shows it modally
// and destroys it.
void showAboutWindow(QWidget* parent);

} // namespace millcalc
