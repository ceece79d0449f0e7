// pingwindow WINDOW [MILLISECONDS]
// Sends a window the window manager's ping (_NET_WM_PING) and waits for its
// answer, as a desktop does to tell a frozen window; then a second one. A
// window answers from its event loop: Qt answers a ping as it reads it, with
// the input read before it still to be handled in the same turn of the loop,
// so the second answer says that the input sent before the first has been
// handled. Exits 0 when both are answered within the time (1000 ms by
// default), 1 when not.
#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

struct Connection {
    Display* display;
    Window root;
    Atom protocols;
    Atom ping;
};

// One ping with its own stamp; true when its answer comes before the deadline.
bool Ping(const Connection& c, Window window, long stamp, Clock::time_point deadline) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = c.protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(c.ping);
    event.xclient.data.l[1] = stamp;
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(c.display, window, False, NoEventMask, &event);
    XFlush(c.display);
    while (true) {
        while (XPending(c.display) > 0) {
            XEvent answer;
            XNextEvent(c.display, &answer);
            if (answer.type == ClientMessage && answer.xclient.message_type == c.protocols &&
                static_cast<Atom>(answer.xclient.data.l[0]) == c.ping &&
                answer.xclient.data.l[1] == stamp) {
                return true;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd fd{ConnectionNumber(c.display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: pingwindow WINDOW [MILLISECONDS]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "pingwindow: cannot open the display\n");
        return 2;
    }
    const auto window = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
    const long limit = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 1000;
    const Connection c{display, DefaultRootWindow(display),
                       XInternAtom(display, "WM_PROTOCOLS", False),
                       XInternAtom(display, "_NET_WM_PING", False)};
    // The answer is sent to the root window, for whoever listens there.
    XSelectInput(display, c.root, StructureNotifyMask);
    const auto deadline = Clock::now() + std::chrono::milliseconds(limit);
    // Stamps of our own tell our answers from any other.
    const long stamp = static_cast<long>(Clock::now().time_since_epoch().count() & 0x3fffffff);
    const bool answered = Ping(c, window, stamp, deadline) && Ping(c, window, stamp + 1, deadline);
    XCloseDisplay(display);
    if (answered) return 0;
    std::fprintf(stderr, "pingwindow: no answer within %ld ms\n", limit);
    return 1;
}
