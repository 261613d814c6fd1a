// A program of the sanitized build that leaks on purpose: a window of its own
// shown on Qt's platform, then, from a slot Qt calls, an object of its own
// dropped and the application quit. run-leak-probe.sh runs it with the
// suppressions of tools/lsan.supp and fails unless LeakSanitizer still names
// this leak: a suppression broad enough to hide the program's own code (a
// whole Qt library, a frame every QObject passes through) fails the test.
#include <QApplication>
#include <QLabel>
#include <QObject>
#include <QTimer>

#include <cstdio>

namespace {

class LeakedOnPurpose : public QObject {
public:
    int payload[64] = {};
};

// Kept out of line, so that its name is in the leak's stack.
[[gnu::noinline]] void leakAnObjectOfTheProgramsOwn()
{
    auto* leaked = new LeakedOnPurpose;
    leaked->payload[0] = 1;
    std::fprintf(stderr, "leak-probe: one object of its own left behind at %p\n",
        static_cast<void*>(leaked));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("leak probe"));
    window.show();
    QTimer::singleShot(200, &application, [&application] {
        leakAnObjectOfTheProgramsOwn();
        application.quit();
    });
    return application.exec();
}
