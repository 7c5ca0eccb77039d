// Reaching the window system at start-up. When no platform can start (no X display, no Wayland
// compositor where the environment points), Qt prints a screenful and aborts; the program says in
// one line what it could not reach and ends with status 1 instead.
#pragma once

#include <string>
#include <vector>

namespace kelvarn {

// Lives while the application object is being created. Qt's messages are held back meanwhile;
// if no platform starts, one line goes to stderr and the program exits with status 1 (no core,
// no abort). Once the application exists, release() (or the destructor) passes the held messages
// on as they would have gone.
class WindowSystemGuard {
  public:
    WindowSystemGuard();
    ~WindowSystemGuard();
    WindowSystemGuard(const WindowSystemGuard&) = delete;
    WindowSystemGuard& operator=(const WindowSystemGuard&) = delete;
    void release();

  private:
    bool released_ = false;
};

// What could not be reached, from the names of the platforms Qt failed to start ("wayland",
// "xcb", ...) and the environment that points at them: "no Wayland compositor at
// /run/user/1000/wayland-0". Empty names give "no window system could be reached".
std::string unreachableWindowSystems(const std::vector<std::string>& platforms);

} // namespace kelvarn
