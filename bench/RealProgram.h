// What the benchmarks of the real program share: a virtual display of their own, a copy of the
// built game in a fresh program folder, child processes and what /proc says about them, xdotool
// for windows and keys, and the minimal Qt Widgets window they measure the game against.
#pragma once

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace bench {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// ---- child processes ----

struct Child {
    pid_t pid = -1;
    int stderrPipe = -1; // the child's stderr, when asked for
};

// Starts `argv` with `extraEnv` ("NAME=value") added; its stdout goes to /dev/null, its stderr to
// a pipe (captureStderr) or to /dev/null.
inline Child spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                   bool captureStderr) {
    int fds[2] = {-1, -1};
    if (captureStderr && pipe(fds) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        std::exit(1);
    }
    if (pid == 0) {
        for (const auto& e : extraEnv) {
            putenv(const_cast<char*>(e.c_str()));
        }
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        dup2(captureStderr ? fds[1] : devnull, STDERR_FILENO);
        if (captureStderr) {
            close(fds[0]);
        }
        std::vector<char*> args;
        for (const auto& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    if (captureStderr) {
        close(fds[1]);
    }
    return Child{pid, captureStderr ? fds[0] : -1};
}

inline bool alive(const Child& child) {
    return child.pid > 0 && waitpid(child.pid, nullptr, WNOHANG) == 0;
}

inline void stop(Child& child) {
    if (child.pid > 0) {
        kill(child.pid, SIGTERM);
        waitpid(child.pid, nullptr, 0);
    }
    if (child.stderrPipe >= 0) {
        close(child.stderrPipe);
    }
    child = Child{};
}

// Runs a command to its end; its standard output, trimmed.
inline std::string run(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, p) != nullptr) {
            out += buffer;
        }
        pclose(p);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) {
        out.pop_back();
    }
    return out;
}

// Waits up to `timeout` for lines containing each of `markers` on the child's stderr; the moment
// each came (an empty result when one never came).
inline std::vector<Clock::time_point>
waitForLines(Child& child, const std::vector<std::string>& markers, std::chrono::seconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::string seen;
    std::vector<Clock::time_point> times;
    while (times.size() < markers.size() && Clock::now() < deadline) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(child.stderrPipe, &set);
        timeval wait{0, 100000};
        const int ready = select(child.stderrPipe + 1, &set, nullptr, nullptr, &wait);
        if (ready < 0 && errno != EINTR) {
            return {};
        }
        if (ready > 0) {
            char buffer[512];
            const ssize_t n = read(child.stderrPipe, buffer, sizeof buffer);
            if (n <= 0) {
                return {}; // the child ended
            }
            seen.append(buffer, std::size_t(n));
            const auto now = Clock::now();
            while (times.size() < markers.size() &&
                   seen.find(markers[times.size()]) != std::string::npos) {
                times.push_back(now);
            }
        }
    }
    return times.size() == markers.size() ? times : std::vector<Clock::time_point>{};
}

// ---- /proc ----

// User plus system CPU seconds the process has used so far.
inline double cpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(in, line);
    const auto close = line.rfind(')');
    if (close == std::string::npos) {
        return 0;
    }
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) {
            utime = std::stoull(field);
        } else if (i == 15) {
            stime = std::stoull(field);
        }
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

// A "Vm...:" figure of /proc/<pid>/status in kB, or 0.
inline long statusKb(pid_t pid, const std::string& name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(name + ":", 0) == 0) {
            return std::atol(line.c_str() + name.size() + 1);
        }
    }
    return 0;
}

// How often the process's threads living now have been switched in so far (voluntary and
// involuntary context switches): a process that sleeps until something happens barely counts.
inline long wakeups(pid_t pid) {
    long total = 0;
    std::error_code ec;
    for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
        std::ifstream in(task.path() / "status");
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
                line.rfind("nonvoluntary_ctxt_switches:", 0) == 0) {
                total += std::atol(line.c_str() + line.find(':') + 1);
            }
        }
    }
    return total;
}

// ---- the virtual display ----

// An Xvfb of our own on a display number it picks itself; DISPLAY points at it while it lives.
// It does not reset when its last client leaves, which would refuse a client connecting then.
class VirtualDisplay {
  public:
    VirtualDisplay() {
        int fds[2];
        if (pipe(fds) != 0) {
            std::perror("pipe");
            std::exit(1);
        }
        const std::string fd = std::to_string(fds[1]);
        server_ = spawn({"Xvfb", "-displayfd", fd, "-screen", "0", "1024x768x24", "-nolisten",
                         "tcp", "-noreset"},
                        {}, false);
        close(fds[1]);
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        close(fds[0]);
        if (number.empty()) {
            std::fprintf(stderr, "Xvfb did not start (is the package xvfb installed?)\n");
            std::exit(1);
        }
        setenv("DISPLAY", (":" + number).c_str(), 1);
        unsetenv("XAUTHORITY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
    }
    ~VirtualDisplay() { stop(server_); }
    pid_t serverPid() const { return server_.pid; }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  private:
    Child server_;
};

// ---- the game and its windows ----

// The built game: the program given on the command line, or `kelvarn` in the build folder
// above this benchmark's own folder.
inline fs::path builtGame(int argc, char** argv) {
    if (argc > 1 && argv[1][0] != '-') {
        return fs::absolute(argv[1]);
    }
    return fs::canonical("/proc/self/exe").parent_path().parent_path() / "kelvarn";
}

// A fresh program folder with a copy of the game and its sounds (no data.dat), and a home of
// its own, so that nothing of the user's is read or written. Removed when it goes.
class ProgramFolder {
  public:
    explicit ProgramFolder(const fs::path& game) {
        char pattern[] = "/tmp/kelvarn-bench.XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        root_ = pattern;
        fs::create_directories(root_ / "program");
        fs::create_directories(root_ / "home");
        fs::create_directories(root_ / "runtime");
        fs::permissions(root_ / "runtime", fs::perms::owner_all);
        fs::copy_file(game, program());
        if (fs::is_directory(game.parent_path() / "sound")) {
            fs::copy(game.parent_path() / "sound", root_ / "program" / "sound");
        }
    }
    ~ProgramFolder() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    fs::path program() const { return root_ / "program" / "kelvarn"; }
    std::vector<std::string> environment() const {
        return {"HOME=" + (root_ / "home").string(),
                "XDG_RUNTIME_DIR=" + (root_ / "runtime").string()};
    }

  private:
    fs::path root_;
};

// The id of the visible window titled exactly `title`, waiting up to `timeout` for it.
inline std::string waitForWindow(const std::string& title, std::chrono::seconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        const std::string id =
            run("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null | head -n 1");
        if (!id.empty()) {
            return id;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
}

// ---- the baseline ----

// The smallest Qt Widgets program with a window the size of the game's: what any such program
// costs. `reportFirstPaint` prints one line on stderr when it is first painted; `chineseText`
// adds one label of Chinese text in a Song face, to tell the price of the text from the game's;
// `repaint` shows a 400 x 360 RGB32 image and repaints all of it every 29 ms, as a game that
// painted its whole board each frame would at the least; `repaintCorner` repaints only a 20 x 20
// corner of it every 29 ms: what showing any new picture every frame costs through the toolkit.
class BaselineWindow : public QWidget {
  public:
    BaselineWindow(bool reportFirstPaint, bool chineseText, bool repaint = false,
                   bool repaintCorner = false)
        : report_(reportFirstPaint) {
        repaint = repaint || repaintCorner;
        setWindowTitle(chineseText     ? QStringLiteral("Baseline text")
                       : repaintCorner ? QStringLiteral("Baseline corner")
                       : repaint       ? QStringLiteral("Baseline repaint")
                                       : QStringLiteral("Baseline"));
        resize(420, 416);
        move(620, chineseText ? 300 : 100);
        if (repaint) {
            image_ = QImage(400, 360, QImage::Format_RGB32);
            image_.fill(QColor(224, 224, 224));
            timer_.setTimerType(Qt::PreciseTimer);
            timer_.setInterval(29);
            const QRect shown = repaintCorner ? QRect(8, 8, 20, 20) : QRect(8, 8, 400, 360);
            QObject::connect(&timer_, &QTimer::timeout, this, [this, shown] {
                ++frames_; // a new picture each time
                image_.setPixel(frames_ % 20, 0, QRgb(frames_) & 0xFFFFFFu);
                update(shown);
            });
            timer_.start();
        }
        if (chineseText) {
            auto* label = new QLabel(QStringLiteral("炮弹: 等级 得分: 总得分: 生命: 速度: 杀敌: "
                                                    "使用炮弹: 当前状态: 正常"),
                                     this);
            label->setFont(QFont(QStringLiteral("AR PL UMing CN"), 9));
            label->move(10, 10);
        }
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (report_) {
            report_ = false;
            std::fprintf(stderr, "baseline: first paint\n");
        }
        if (!image_.isNull()) {
            QPainter painter(this);
            painter.drawImage(8, 8, image_); // cut to the part asked for by the toolkit
        }
    }

  private:
    bool report_;
    QImage image_;
    QTimer timer_;
    int frames_ = 0;
};

inline int runBaselineWindow(int argc, char** argv, bool reportFirstPaint) {
    QApplication app(argc, argv);
    const std::string kind = argc > 2 ? argv[2] : "";
    BaselineWindow window(reportFirstPaint, kind == "text", kind == "repaint", kind == "corner");
    window.show();
    return QApplication::exec();
}

// `--baseline-window [text]`: run as the baseline window.
inline bool isBaselineCall(int argc, char** argv) {
    return argc > 1 && std::string(argv[1]) == "--baseline-window";
}

} // namespace bench
