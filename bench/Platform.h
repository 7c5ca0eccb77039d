// Where a benchmark shows its windows, chosen by KELVARN_BENCH_PLATFORM:
//   x11      an Xvfb of its own (what the benchmarks of the real program use when it is not set)
//   wayland  a headless sway of its own with a grey desktop; the benchmark runs itself again inside
//            it as the ordinary player of tests/lib/player.sh (sway refuses root), with Qt on its
//            wayland platform, keys from wtype and windows found through swaymsg
//   wine     an Xvfb of its own, with the cross-built Windows game under Wine (WineProgram.h)
#pragma once

#include <optional>
#include <unistd.h>

#include "RealProgram.h"

namespace bench {

enum class Platform { Unset, X11, Wayland, Wine };

inline Platform requestedPlatform() {
    const char* value = std::getenv("KELVARN_BENCH_PLATFORM");
    const std::string name = value != nullptr ? value : "";
    if (name.empty()) {
        return Platform::Unset;
    }
    if (name == "x11") {
        return Platform::X11;
    }
    if (name == "wayland") {
        return Platform::Wayland;
    }
    if (name == "wine") {
        return Platform::Wine;
    }
    std::fprintf(stderr, "KELVARN_BENCH_PLATFORM is x11, wayland or wine, not '%s'\n",
                 name.c_str());
    std::exit(2);
}

inline const char* platformTitle(Platform platform) {
    switch (platform) {
    case Platform::Wayland:
        return "Wayland (headless sway, Qt's wayland platform)";
    case Platform::Wine:
        return "Wine (the Windows program under Wine on Xvfb)";
    default:
        return "X11 (Xvfb, Qt's xcb platform)";
    }
}

// True inside the session that rerunInWaylandSession() started.
inline bool inWaylandSession() {
    const char* inside = std::getenv("KELVARN_BENCH_IN_SESSION");
    return inside != nullptr && std::string(inside) == "1";
}

// Runs this benchmark again as the player inside a headless sway session, with copies of
// `alsoCopy` beside it, and `args` as its arguments (paths of copies given by file name); returns
// its exit status.
inline int rerunInWaylandSession(const std::vector<fs::path>& alsoCopy,
                                 const std::vector<std::string>& args) {
    const fs::path self = fs::canonical("/proc/self/exe");
    std::vector<std::string> argv = {
        "bash", std::string(KELVARN_SOURCE_DIR) + "/tests/lib/wayland_session.sh", "--copy",
        self.string()};
    for (const fs::path& p : alsoCopy) {
        argv.insert(argv.end(), {"--copy", p.string()});
    }
    argv.insert(argv.end(),
                {"--", "env", "KELVARN_BENCH_IN_SESSION=1", "./" + self.filename().string()});
    argv.insert(argv.end(), args.begin(), args.end());
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> raw;
        for (auto& a : argv) {
            raw.push_back(a.data());
        }
        raw.push_back(nullptr);
        execvp(raw[0], raw.data());
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) < 0) {
        return 1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

// The display the benchmark's windows go to: an Xvfb for X11 (with Qt on xcb); for Wayland the
// session is already there.
class PlatformDisplay {
  public:
    explicit PlatformDisplay(Platform platform) : platform_(platform) {
        if (platform_ != Platform::Wayland) {
            xvfb_.emplace();
            setenv("QT_QPA_PLATFORM", "xcb", 1);
            return;
        }
        // The programs get runtime folders of their own: name the compositor's socket in full.
        const char* socket = std::getenv("WAYLAND_DISPLAY");
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (socket != nullptr && socket[0] != '/' && runtime != nullptr) {
            setenv("WAYLAND_DISPLAY", (std::string(runtime) + "/" + socket).c_str(), 1);
        }
    }
    Platform platform() const { return platform_; }

  private:
    Platform platform_;
    std::optional<VirtualDisplay> xvfb_;
};

// Whether a visible window titled exactly `title` is on the desktop.
inline bool hasWindow(Platform platform, const std::string& title) {
    if (platform == Platform::Wayland) {
        return run("swaymsg -t get_tree 2>/dev/null | grep -cF '\"name\": \"" + title + "\",'") !=
               "0";
    }
    return !run("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null | head -n 1")
                .empty();
}

inline bool waitForWindowOn(Platform platform, const std::string& title,
                            std::chrono::seconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        if (hasWindow(platform, title)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// Gives the window titled `title` the keyboard.
inline void focusWindow(Platform platform, const std::string& title) {
    if (platform == Platform::Wayland) {
        run("swaymsg '[title=\"^" + title + "$\"] focus' >/dev/null 2>&1");
    } else {
        run("xdotool search --onlyvisible --name '^" + title + "$' windowfocus --sync 2>/dev/null");
    }
}

} // namespace bench
