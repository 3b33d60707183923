// SPDX-License-Identifier: MIT
// Watches the X server from outside: how long a program takes from launch to its first painted frame,
// its peak resident memory, and how long a click on "Изчисли" takes to repaint the report box. The
// programs measured have no hidden switch; every figure comes from what the server sees.
//
//   frame_watch <launches> <program> <floor> <clicks> [floor's name] [program's name]
//   frame_watch --cold <launches> <program> <floor>   (each launch after the page cache is dropped)
//
// With no clicks it measures the launches alone: for programs whose window sits elsewhere than at
// the top-left of its X window (Wine draws the title bar itself there), or that have no "Изчисли".
#include "design.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <sys/wait.h>
#include <unistd.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int ignoreXErrors(Display*, XErrorEvent*)
{
    return 0; // windows of other clients may vanish between being created and being watched
}

struct Rect {
    int x, y, width, height;
    bool intersects(const XRectangle& r) const
    {
        return r.x < x + width && x < r.x + r.width && r.y < y + height && y < r.y + r.height;
    }
};

Rect pixelsOf(design::Array array, int index)
{
    for (const auto& control : design::kControls)
        if (control.array == array && control.index == index) {
            const auto r = design::toPixels(control);
            return {r.x, r.y, r.width, r.height};
        }
    std::fprintf(stderr, "frame_watch: no such control in the design\n");
    std::exit(2);
}

class Watcher {
public:
    Watcher()
    {
        m_display = XOpenDisplay(nullptr);
        if (!m_display) {
            std::fprintf(stderr, "frame_watch: cannot open the display\n");
            std::exit(2);
        }
        int error = 0;
        if (!XDamageQueryExtension(m_display, &m_damageEvent, &error)) {
            std::fprintf(stderr, "frame_watch: the X server has no DAMAGE extension\n");
            std::exit(2);
        }
        XSetErrorHandler(ignoreXErrors);
        m_root = DefaultRootWindow(m_display);
        XSelectInput(m_display, m_root, SubstructureNotifyMask);
        XSync(m_display, False);
    }

    // Starts the program and waits for the first damage to any of its windows: its first frame.
    std::optional<double> launch(const char* program)
    {
        drain();
        const auto start = Clock::now();
        m_child = fork();
        if (m_child == 0) {
            execl(program, program, static_cast<char*>(nullptr));
            _exit(127);
        }
        while (auto event = next(start, 10000)) {
            if (event->type == CreateNotify && event->xcreatewindow.parent == m_root)
                XDamageCreate(m_display, event->xcreatewindow.window, XDamageReportRawRectangles);
            if (event->type == m_damageEvent + XDamageNotify) {
                m_window = reinterpret_cast<XDamageNotifyEvent*>(&*event)->drawable;
                return millisecondsSince(start);
            }
        }
        return std::nullopt;
    }

    long peakResidentKiB() const
    {
        std::ifstream status("/proc/" + std::to_string(m_child) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("VmHWM:", 0) == 0)
                return std::stol(line.substr(6));
        return -1;
    }

    void clickAt(const Rect& r)
    {
        int x = 0;
        int y = 0;
        Window child = 0;
        XTranslateCoordinates(m_display, m_window, m_root, r.x + r.width / 2, r.y + r.height / 2, &x, &y,
                              &child);
        XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
        XFlush(m_display);
        settle(30);
        XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
        XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
        XFlush(m_display);
    }

    // Clicks "Изчисли" and waits until the report box has been repainted.
    std::optional<double> clickCalculate()
    {
        static const Rect button = pixelsOf(design::Array::Command1, 0);
        static const Rect report = pixelsOf(design::Array::Text1, 0);
        settle(20);
        clickAt(button);
        const auto start = Clock::now();
        while (auto event = next(start, 5000))
            if (event->type == m_damageEvent + XDamageNotify &&
                report.intersects(reinterpret_cast<XDamageNotifyEvent*>(&*event)->area))
                return millisecondsSince(start);
        return std::nullopt;
    }

    // Chooses the colour in view in each list, so that the report has something to say.
    void chooseColours()
    {
        for (int band = 0; band < 4; ++band)
            clickAt(pixelsOf(design::Array::List1, band));
        settle(50);
    }

    void settle(int milliseconds)
    {
        const auto start = Clock::now();
        while (next(start, milliseconds)) {
        }
    }

    void stop()
    {
        kill(m_child, SIGTERM);
        waitpid(m_child, nullptr, 0);
        settle(50);
    }

private:
    std::optional<XEvent> next(Clock::time_point start, int timeoutMs)
    {
        while (true) {
            if (XPending(m_display)) {
                XEvent event;
                XNextEvent(m_display, &event);
                return event;
            }
            const int left = timeoutMs - static_cast<int>(millisecondsSince(start));
            if (left <= 0)
                return std::nullopt;
            pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
            poll(&fd, 1, left);
        }
    }

    void drain()
    {
        XSync(m_display, False);
        while (XPending(m_display)) {
            XEvent event;
            XNextEvent(m_display, &event);
        }
    }

    Display* m_display = nullptr;
    Window m_root = 0;
    Window m_window = 0;
    int m_damageEvent = 0;
    pid_t m_child = 0;
};

// Empties the page cache, so the next launch reads its libraries, fonts and caches from disk.
bool dropPageCache()
{
    sync();
    std::ofstream control("/proc/sys/vm/drop_caches");
    control << "3\n";
    control.flush();
    return static_cast<bool>(control);
}

struct Summary {
    double median, low, high;
};

Summary summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const auto n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

void print(const char* what, const std::vector<double>& values, const char* unit)
{
    const auto s = summarise(values);
    std::printf("  %-34s median %8.2f %s   range %.2f to %.2f (n = %zu)\n", what, s.median, unit, s.low,
                s.high, values.size());
}

} // namespace

// Launch to first frame from a cold page cache, ours and the floor alternately.
int coldLaunches(Watcher& watcher, int launches, const char* program, const char* floor)
{
    std::vector<double> ours, floors, ratios;
    for (int i = 0; i < launches; ++i) {
        std::optional<double> frames[2];
        for (int which = 0; which < 2; ++which) {
            if (!dropPageCache()) {
                std::printf("cold start: not measured (the page cache cannot be dropped here)\n");
                return 0;
            }
            frames[which] = watcher.launch(which == 0 ? floor : program);
            watcher.settle(200);
            watcher.stop();
        }
        if (!frames[0] || !frames[1]) {
            std::fprintf(stderr, "frame_watch: cold launch %d saw no frame\n", i + 1);
            return 1;
        }
        floors.push_back(*frames[0]);
        ours.push_back(*frames[1]);
        ratios.push_back(*frames[1] / *frames[0]);
    }
    std::printf("cold start, page cache dropped before each launch (%d each; rough):\n", launches);
    print("malvoran", ours, "ms");
    print("floor (one QLabel)", floors, "ms");
    print("ratio malvoran / floor, pairwise", ratios, "x ");
    return 0;
}

int main(int argc, char* argv[])
{
    if (argc == 5 && std::string(argv[1]) == "--cold") {
        Watcher watcher;
        return coldLaunches(watcher, std::atoi(argv[2]), argv[3], argv[4]);
    }
    if (argc < 5 || argc > 7) {
        std::fprintf(stderr,
                     "usage: frame_watch [--cold] <launches> <program> <floor> <clicks> [floor's name] "
                     "[program's name]\n");
        return 2;
    }
    const int launches = std::atoi(argv[1]);
    const char* program = argv[2];
    const char* floor = argv[3];
    const int clicks = std::atoi(argv[4]);
    const std::string floorName = argc >= 6 ? argv[5] : "floor (one QLabel)";
    const std::string name = argc == 7 ? argv[6] : "malvoran";

    Watcher watcher;
    std::vector<double> ours, floors, ratios, oursKiB, floorKiB, firstClicks;
    for (int i = 0; i < launches; ++i) {
        // Alternate, so that whatever else the machine does weighs on both alike.
        const auto floorFrame = watcher.launch(floor);
        watcher.settle(200);
        floorKiB.push_back(static_cast<double>(watcher.peakResidentKiB()));
        watcher.stop();

        const auto ourFrame = watcher.launch(program);
        watcher.settle(200);
        oursKiB.push_back(static_cast<double>(watcher.peakResidentKiB()));
        std::optional<double> click;
        if (clicks > 0) {
            watcher.chooseColours();
            click = watcher.clickCalculate();
        }
        watcher.stop();
        if (!floorFrame || !ourFrame || (clicks > 0 && !click)) {
            std::fprintf(stderr, "frame_watch: launch %d saw no frame or no repaint\n", i + 1);
            return 1;
        }
        floors.push_back(*floorFrame);
        ours.push_back(*ourFrame);
        ratios.push_back(*ourFrame / *floorFrame);
        if (click)
            firstClicks.push_back(*click);
    }

    std::vector<double> repeated;
    if (clicks > 0 && watcher.launch(program)) {
        watcher.settle(200);
        watcher.chooseColours();
        for (int i = 0; i < clicks; ++i)
            if (const auto click = watcher.clickCalculate())
                repeated.push_back(*click);
        watcher.stop();
    }
    if (repeated.size() != static_cast<std::size_t>(clicks)) {
        std::fprintf(stderr, "frame_watch: %zu of %d clicks repainted the report\n", repeated.size(), clicks);
        return 1;
    }

    std::printf("launch to first painted frame (%d launches each, alternating):\n", launches);
    print(name.c_str(), ours, "ms");
    print(floorName.c_str(), floors, "ms");
    print(("ratio " + name + " / floor, pairwise").c_str(), ratios, "x ");
    std::printf("peak resident memory:\n");
    for (auto* values : {&oursKiB, &floorKiB})
        for (auto& v : *values)
            v /= 1024;
    print(name.c_str(), oursKiB, "MiB");
    print(floorName.c_str(), floorKiB, "MiB");
    if (clicks > 0) {
        std::printf("click on \"Изчисли\" to repainted report:\n");
        print("first click after launch", firstClicks, "ms");
        print("repeated clicks", repeated, "ms");
    }
    return 0;
}
