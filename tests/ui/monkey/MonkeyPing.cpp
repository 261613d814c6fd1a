// The monkey test's window-manager messages to a window of the program:
//
//     millcalc-monkey-ping ping WINDOW TIMEOUT_MS   answer a _NET_WM_PING in time?
//     millcalc-monkey-ping close WINDOW             ask the window to close
//
// "ping" sends the window the ping a window manager sends and waits for the
// pong, the same message sent back to the root window. Exit status 0: it came
// in time; 1: it did not; 2: no display, or the window is gone.
// "close" sends WM_DELETE_WINDOW, as the window manager's close button does.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool windowGone = false;

int onError(Display*, XErrorEvent* error)
{
    if (error->error_code == BadWindow)
        windowGone = true;
    return 0;
}

int usage()
{
    std::fprintf(stderr,
        "usage: millcalc-monkey-ping ping WINDOW TIMEOUT_MS\n"
        "       millcalc-monkey-ping close WINDOW\n");
    return 2;
}

// A server timestamp, as a window manager puts into its ping: the time of a
// property change on a window of our own.
Time serverTime(Display* display, Window own)
{
    const Atom atom = XInternAtom(display, "_MILLCALC_MONKEY_TIME", False);
    XChangeProperty(display, own, atom, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(display, own, PropertyChangeMask, &event);
    return event.xproperty.time;
}

void sendProtocol(Display* display, Window window, Atom protocol, long time, long extra)
{
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(protocol);
    event.xclient.data.l[1] = time;
    event.xclient.data.l[2] = static_cast<long>(window);
    event.xclient.data.l[3] = extra;
    XSendEvent(display, window, False, NoEventMask, &event);
}

int ping(Display* display, Window window, long timeoutMs)
{
    const Window root = DefaultRootWindow(display);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom pingAtom = XInternAtom(display, "_NET_WM_PING", False);
    // The pong goes to the root window for the window manager, which listens
    // there for substructure redirection; clients send it with the structure or
    // substructure notify mask (Qt uses the former), and we take both.
    XSelectInput(display, root, StructureNotifyMask | SubstructureNotifyMask);
    const Window own = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, own, PropertyChangeMask);
    const Time time = serverTime(display, own);
    // The window manager pings too, with its own timestamps; ours also
    // carries our process id in the field the pong copies back unread.
    const long cookie = static_cast<long>(getpid());
    sendProtocol(display, window, pingAtom, static_cast<long>(time), cookie);
    XSync(display, False);
    if (windowGone)
        return 2;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != ClientMessage || event.xclient.message_type != protocols
                || event.xclient.format != 32)
                continue;
            const long* data = event.xclient.data.l;
            if (static_cast<Atom>(data[0]) == pingAtom && static_cast<Time>(data[1]) == time
                && static_cast<Window>(data[2]) == window && data[3] == cookie)
                return 0;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            return 1;
        pollfd fd { ConnectionNumber(display), POLLIN, 0 };
        poll(&fd, 1, static_cast<int>(left));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    const std::string command = argv[1];
    char* end = nullptr;
    const Window window = std::strtoul(argv[2], &end, 0);
    if (!end || *end || window == 0)
        return usage();
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "millcalc-monkey-ping: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(onError);
    int status = 2;
    if (command == "ping" && argc == 4) {
        const long timeoutMs = std::strtol(argv[3], nullptr, 10);
        status = ping(display, window, timeoutMs > 0 ? timeoutMs : 5000);
    } else if (command == "close" && argc == 3) {
        sendProtocol(
            display, window, XInternAtom(display, "WM_DELETE_WINDOW", False), CurrentTime, 0);
        XSync(display, False);
        status = windowGone ? 2 : 0;
    } else {
        XCloseDisplay(display);
        return usage();
    }
    XCloseDisplay(display);
    return status;
}
