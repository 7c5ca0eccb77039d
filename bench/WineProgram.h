// The Windows game under Wine, for the benchmarks run with KELVARN_BENCH_PLATFORM=wine: the
// cross-built kelvarn.exe (KELVARN_WINDOWS_EXE, or build-windows/kelvarn.exe of the source tree)
// copied into a fresh program folder, a Wine prefix of its own (a copy of the prepared prefix
// KELVARN_WINE_TEMPLATE, or one made with `wineboot -i`), on the benchmark's own Xvfb. The frames
// are seen from outside, as they reach the X server: every frame the game paints is flushed to
// its window, and the X Damage extension reports each flush. Figures measured this way are
// figures under Wine, not under Windows.
#pragma once

#include <dirent.h>
#ifdef KELVARN_BENCH_XDAMAGE
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#endif

#include "RealProgram.h"

namespace bench {

inline fs::path windowsGame() {
    if (const char* exe = std::getenv("KELVARN_WINDOWS_EXE"); exe != nullptr && exe[0] != '\0') {
        return fs::absolute(exe);
    }
    return fs::path(KELVARN_SOURCE_DIR) / "build-windows" / "kelvarn.exe";
}

inline std::string readProcFile(pid_t pid, const char* name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A program folder with kelvarn.exe and its sounds, and a Wine prefix, both removed when it goes
// (after every Wine process of the prefix has been ended).
class WineGame {
  public:
    explicit WineGame(const fs::path& exe) {
        char pattern[] = "/tmp/kelvarn-bench-wine.XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        root_ = pattern;
        fs::create_directories(root_ / "program");
        fs::copy_file(exe, root_ / "program" / "kelvarn.exe");
        const fs::path sound = exe.parent_path() / "sound";
        if (fs::is_directory(sound)) {
            fs::copy(sound, root_ / "program" / "sound");
        }
        setenv("WINEPREFIX", prefix().c_str(), 1);
        setenv("WINEDEBUG", "-all", 1);
        setenv("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d", 1);
        const char* templ = std::getenv("KELVARN_WINE_TEMPLATE");
        if (templ != nullptr && fs::exists(fs::path(templ) / "system.reg")) {
            run("cp -a '" + std::string(templ) + "' '" + prefix().string() + "' && rm -f '" +
                prefix().string() + "/wineserver'");
        } else {
            std::printf("(making a Wine prefix with wineboot -i)\n");
            run("wineboot -i >/dev/null 2>&1; wineserver -w");
        }
    }
    ~WineGame() {
        run("wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1");
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    WineGame(const WineGame&) = delete;
    WineGame& operator=(const WineGame&) = delete;

    fs::path prefix() const { return root_ / "prefix"; }

    // Starts kelvarn.exe from its folder, with `extraEnv` added; its stderr to a pipe
    // (captureStderr) or to /dev/null.
    Child start(const std::vector<std::string>& extraEnv = {}, bool captureStderr = false) {
        return spawn(
            {"sh", "-c", "cd '" + (root_ / "program").string() + "' && exec wine kelvarn.exe"},
            extraEnv, captureStderr);
    }

    // The Windows process whose command line names `what` (kelvarn.exe, wineserver), or -1.
    pid_t find(const std::string& what) const {
        const std::string ours = "WINEPREFIX=" + prefix().string();
        DIR* proc = opendir("/proc");
        pid_t found = -1;
        while (dirent* entry = proc != nullptr ? readdir(proc) : nullptr) {
            const pid_t pid = std::atoi(entry->d_name);
            if (pid <= 0) {
                continue;
            }
            const std::string cmdline = readProcFile(pid, "cmdline");
            if (cmdline.find(what) == std::string::npos || cmdline.rfind("/bin/sh", 0) == 0 ||
                cmdline.rfind("sh", 0) == 0) {
                continue;
            }
            const std::string environ = readProcFile(pid, "environ");
            if (environ.find(ours + '\0') != std::string::npos) {
                found = pid;
                break;
            }
        }
        if (proc != nullptr) {
            closedir(proc);
        }
        return found;
    }

  private:
    fs::path root_;
};

#ifdef KELVARN_BENCH_XDAMAGE
// The moments at which a window's contents reached the X server: one per flush of the window, as
// the Damage extension reports them (a flush comes as one burst; bursts closer than 3 ms are one).
class FlushWatch {
  public:
    explicit FlushWatch(unsigned long window) : display_(XOpenDisplay(nullptr)) {
        int errorBase = 0;
        if (display_ == nullptr || !XDamageQueryExtension(display_, &eventBase_, &errorBase)) {
            std::fprintf(stderr, "no X display with the Damage extension\n");
            std::exit(1);
        }
        damage_ = XDamageCreate(display_, Window(window), XDamageReportNonEmpty);
        XSync(display_, False);
    }
    // Closing the connection frees the damage object too, also when the window has gone.
    ~FlushWatch() { XCloseDisplay(display_); }
    FlushWatch(const FlushWatch&) = delete;
    FlushWatch& operator=(const FlushWatch&) = delete;

    // Milliseconds since the watch began at which flushes came, for `seconds`.
    std::vector<double> collect(double seconds) {
        std::vector<double> times;
        const auto start = Clock::now();
        const int fd = ConnectionNumber(display_);
        while (secondsSince(start) < seconds) {
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type == eventBase_ + XDamageNotify) {
                    const double now = secondsSince(start) * 1000.0;
                    if (times.empty() || now - times.back() > 3.0) {
                        times.push_back(now);
                    }
                    XDamageSubtract(display_, damage_, None, None);
                    XFlush(display_);
                }
            }
            fd_set set;
            FD_ZERO(&set);
            FD_SET(fd, &set);
            timeval wait{0, 20000};
            select(fd + 1, &set, nullptr, nullptr, &wait);
        }
        return times;
    }

  private:
    Display* display_;
    int eventBase_ = 0;
    Damage damage_ = 0;
};
#endif

// The X window id of the visible window titled exactly `title`, or 0.
inline unsigned long windowId(const std::string& title) {
    const std::string id =
        run("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null | head -n 1");
    return id.empty() ? 0 : std::stoul(id);
}

} // namespace bench
