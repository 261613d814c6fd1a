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

    // The mail command of the link and of the picture beside it. It returns at
    // once; when the hand-off fails, the error box opens over this window, which
    // stays on top of the others. A click while a letter is on its way is
    // ignored.
    void sendMail();
    bool mailPending() const { return mailPending_; }

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
    bool mailPending_ = false;
};

// Creates the About window with the desktop's mail hand-off, shows it modally
// and destroys it.
void showAboutWindow(QWidget* parent);

} // namespace millcalc
