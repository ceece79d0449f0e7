// Start-up benchmark: how long a program takes from launch until the X server
// maps its top-level window, and how much memory it holds one second later.
//
//   bench_startup [--runs N] [--warmup N] [--target RATIO] [--verbose] PROGRAM FLOOR
//
// The root window's SubstructureNotify events are subscribed to before each
// launch, so the MapNotify of the program's first top-level window (one that
// is not override-redirect and carries the child's _NET_WM_PID) arrives as
// an event; nothing is polled. Each launch gets a fresh, empty
// XDG_CONFIG_HOME. The two programs take turns, the order swapping every
// round, after the warm-up launches of each. Prints median, minimum and
// maximum of both figures, and two ratios of PROGRAM to FLOOR for each: the
// ratio of the medians, and the pairwise ratio (the median of the ratios of
// the two launches of each round), which a slow moment of the machine moves
// less since both launches of a round share it. FLOOR may be any program that
// maps a window, this project's bench_floor or one from elsewhere.
// --verbose also prints every launch's figures on the error stream as it goes.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kMapTimeout = std::chrono::seconds(20);
constexpr auto kSettle = std::chrono::seconds(1);

struct Sample {
    double mapMs = 0;
    double rssMiB = 0;
};

struct Program {
    std::string path;
    std::string label;
    std::vector<Sample> samples;
};

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "bench_startup: " << message << '\n';
    std::exit(1);
}

// The pid a window says it belongs to, or 0.
unsigned long WindowPid(Display* display, Window window, Atom pidAtom) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    unsigned long pid = 0;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        if (type == XA_CARDINAL && format == 32 && count == 1) {
            pid = *reinterpret_cast<unsigned long*>(data);
        }
    }
    if (data != nullptr) XFree(data);
    return pid;
}

// A window can be gone again before its properties are read.
int IgnoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

std::optional<double> ResidentMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) != 0) continue;
        std::istringstream fields(line.substr(6));
        long kib = 0;
        fields >> kib;
        return static_cast<double>(kib) / 1024.0;
    }
    return std::nullopt;
}

void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    while (Clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

Sample Launch(Display* display, const std::string& path) {
    const Window root = DefaultRootWindow(display);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);  // subscribed, and nothing left over from earlier launches

    std::string configTemplate =
        (std::filesystem::temp_directory_path() / "bench-startup-XXXXXX").string();
    if (mkdtemp(configTemplate.data()) == nullptr) Fail("cannot create a settings folder");
    const std::string configFolder = configTemplate;

    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) Fail("fork failed");
    if (pid == 0) {
        setenv("XDG_CONFIG_HOME", configFolder.c_str(), 1);
        const int devNull = open("/dev/null", O_WRONLY);
        if (devNull >= 0) {
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
        }
        char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
        execv(path.c_str(), argv);
        _exit(127);
    }

    std::optional<Clock::time_point> mapped;
    const int fd = ConnectionNumber(display);
    while (!mapped) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || event.xmap.event != root) continue;
            const auto seen = Clock::now();
            if (event.xmap.override_redirect) continue;
            if (WindowPid(display, event.xmap.window, pidAtom) == static_cast<unsigned long>(pid)) {
                mapped = seen;
                break;
            }
        }
        if (mapped) break;
        if (Clock::now() - start > kMapTimeout) {
            Stop(pid);
            Fail(path + ": no window mapped within 20 s");
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) Fail(path + " ended before mapping a window");
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, 50);
    }
    XSelectInput(display, root, NoEventMask);
    XSync(display, True);

    std::this_thread::sleep_until(*mapped + kSettle);
    const std::optional<double> rss = ResidentMiB(pid);
    Stop(pid);
    std::filesystem::remove_all(configFolder);
    if (!rss) Fail(path + ": no VmRSS in /proc status");

    Sample sample;
    sample.mapMs = std::chrono::duration<double, std::milli>(*mapped - start).count();
    sample.rssMiB = *rss;
    return sample;
}

struct Summary {
    double median = 0;
    double minimum = 0;
    double maximum = 0;
};

Summary Summarise(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    Summary summary;
    summary.median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    summary.minimum = values.front();
    summary.maximum = values.back();
    return summary;
}

int ParseCount(std::string_view text, const char* option) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) {
        Fail(std::string("bad value for ") + option);
    }
    return value;
}

double ParseRatio(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0) {
        Fail("bad value for --target");
    }
    return value;
}

std::string Fixed(double value, int decimals) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::fixed, decimals)
                         .ptr;
    return std::string(text.data(), end);
}

}  // namespace

int main(int argc, char* argv[]) {
    int runs = 30;
    int warmup = 2;
    bool verbose = false;
    double target = 1.10;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--verbose") {
            verbose = true;
        } else if ((arg == "--runs" || arg == "--warmup" || arg == "--target") && i + 1 < argc) {
            const std::string_view value = argv[++i];
            if (arg == "--runs") runs = ParseCount(value, "--runs");
            if (arg == "--warmup") warmup = ParseCount(value, "--warmup");
            if (arg == "--target") target = ParseRatio(value);
        } else {
            paths.emplace_back(arg);
        }
    }
    if (paths.size() != 2 || runs < 1) {
        std::cerr << "usage: bench_startup [--runs N] [--warmup N] [--target RATIO] [--verbose] "
                     "PROGRAM FLOOR\n";
        return 2;
    }

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) Fail("cannot open the X display (is DISPLAY set?)");
    XSetErrorHandler(IgnoreXErrors);

    std::array<Program, 2> programs{
        Program{paths[0], std::filesystem::path(paths[0]).filename().string(), {}},
        Program{paths[1], std::filesystem::path(paths[1]).filename().string(), {}}};

    for (int i = 0; i < warmup; ++i) {
        for (Program& program : programs) Launch(display, program.path);
    }
    for (int round = 0; round < runs; ++round) {
        // ABBA order: neither program always runs right after the other.
        const bool swap = round % 2 == 1;
        for (int k = 0; k < 2; ++k) {
            Program& program = programs[static_cast<std::size_t>(swap ? 1 - k : k)];
            program.samples.push_back(Launch(display, program.path));
            if (verbose) {
                std::cerr << program.label << ' ' << Fixed(program.samples.back().mapMs, 1)
                          << " ms " << Fixed(program.samples.back().rssMiB, 1) << " MiB\n";
            }
        }
    }
    XCloseDisplay(display);

    std::array<Summary, 2> times;
    std::array<Summary, 2> memory;
    std::size_t width = 0;
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::vector<double> ms;
        std::vector<double> mib;
        for (const Sample& s : programs[p].samples) {
            ms.push_back(s.mapMs);
            mib.push_back(s.rssMiB);
        }
        times[p] = Summarise(ms);
        memory[p] = Summarise(mib);
        width = std::max(width, programs[p].label.size());
    }

    std::cout << "start-up to mapped window, " << runs << " runs each after " << warmup
              << " warm-up, interleaved\n";
    std::cout << std::left << std::setw(static_cast<int>(width) + 2) << "program"
              << "   median      min      max  |  RSS median    min    max (MiB, 1 s after map)\n";
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::cout << std::left << std::setw(static_cast<int>(width) + 2) << programs[p].label
                  << std::right << std::setw(6) << Fixed(times[p].median, 1) << " ms"
                  << std::setw(6) << Fixed(times[p].minimum, 1) << " ms" << std::setw(6)
                  << Fixed(times[p].maximum, 1) << " ms  |" << std::setw(10)
                  << Fixed(memory[p].median, 1) << std::setw(7) << Fixed(memory[p].minimum, 1)
                  << std::setw(7) << Fixed(memory[p].maximum, 1) << '\n';
    }
    // Round by round: the samples of both programs are in round order.
    std::vector<double> timeRatios;
    std::vector<double> memoryRatios;
    for (std::size_t r = 0; r < programs[0].samples.size(); ++r) {
        timeRatios.push_back(programs[0].samples[r].mapMs / programs[1].samples[r].mapMs);
        memoryRatios.push_back(programs[0].samples[r].rssMiB / programs[1].samples[r].rssMiB);
    }
    const double timeRatio = times[0].median / times[1].median;
    const double memoryRatio = memory[0].median / memory[1].median;
    const double timePairwise = Summarise(timeRatios).median;
    const double memoryPairwise = Summarise(memoryRatios).median;
    const auto verdict = [target](double a, double b) {
        return a <= target && b <= target ? "met" : "NOT met";
    };
    const std::string pair = programs[0].label + "/" + programs[1].label;
    std::cout << "ratio " << pair << ": time to mapped window " << Fixed(timeRatio, 2)
              << " (medians), " << Fixed(timePairwise, 2) << " (pairwise); target at most "
              << Fixed(target, 2) << ": " << verdict(timeRatio, timePairwise) << '\n';
    std::cout << "ratio " << pair << ": resident memory " << Fixed(memoryRatio, 2) << " (medians), "
              << Fixed(memoryPairwise, 2) << " (pairwise); target at most " << Fixed(target, 2)
              << ": " << verdict(memoryRatio, memoryPairwise) << '\n';
    return 0;
}
