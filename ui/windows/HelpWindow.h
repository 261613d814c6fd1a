// The designations window "Обозначения": the scheme of the cutting parameters
// and their letters, shown from the main window and hidden by its close box.
#pragma once

#include <QSize>
#include <QWidget>

namespace millcalc {

class JpegPicture;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);

    const JpegPicture& scheme() const { return *scheme_; }

    static constexpr int kLeft = 259;
    static constexpr int kTop = 132;
    static constexpr QSize kLeast { 228, 450 };

private:
    JpegPicture* scheme_;
};

} // namespace millcalc
