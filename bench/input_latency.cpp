// How quickly the real game answers the keyboard, on a virtual X11 display of its own. Keys are
// pressed and released through the XTest extension, as a keyboard would, and the screen is read
// back until the answer shows:
//   - an arrow key pressed -> the first frame on the screen in which the vessel has moved;
//   - the space bar released -> the first frame on the screen that shows the new shell.
// Prints the median, the 99th percentile and the worst of each. Figures only; nothing is
// asserted. The vessel only moves and a shell only falls in a frame, so the answer can come no
// sooner than the next frame: the target is at most one frame period plus the paint, 32 ms.
//
//   input_latency [path of kelvarn] [events]   (default: ../kelvarn beside this program, 200)
#include "RealProgram.h"

#include <QImage>
#include <cstdint>
#include <random>
#include <set>
#include <unordered_set>

#include "display/qt/Pictures.h"

namespace {

// The exact colours of a picture's drawing (its ground left out), in its first `rows` rows.
std::set<std::uint32_t> drawingColours(const char* name, std::uint32_t ground, int rows) {
    const QImage picture = kelvarn::loadPicture(QString::fromLatin1(name));
    std::set<std::uint32_t> colours;
    for (int y = 0; y < std::min(rows, picture.height()); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t c = picture.pixel(x, y) & 0xFFFFFFU;
            if (c != ground) {
                colours.insert(c);
            }
        }
    }
    return colours;
}

} // namespace

// Xlib after Qt: its macros (KeyPress, None, Bool, ...) would spoil Qt's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace bench;

namespace {

constexpr int FieldWidth = 400;
constexpr int VesselTop = 104;
constexpr int VesselRows = 15;       // the lowest rows of the vessel never show
constexpr int ReadTop = 100;         // rows read back: the vessel and a new shell below it
constexpr int ReadRows = 40;         // a new shell starts at row 118, 16 rows high
constexpr int NewShellTop = 118 - 4; // an older shell has sunk far below by then
constexpr double ShotSpacing = 1.3;  // seconds: the stock refills one shell every 41 frames
constexpr auto AnswerTimeout = std::chrono::milliseconds(500);

struct Palettes {
    std::unordered_set<std::uint32_t> vessel;
    std::unordered_set<std::uint32_t> shell;
};

// What one read of the screen says: the vessel's leftmost column (-1 when it is not seen) and
// how many pixels of a shell stand just below it.
struct Reading {
    int vesselLeft = -1;
    int newShellPixels = 0;
};

class FieldReader {
  public:
    explicit FieldReader(const Palettes& palettes) : palettes_(palettes) {
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr) {
            std::fprintf(stderr, "input_latency: cannot open the display\n");
            std::exit(1);
        }
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
            std::fprintf(stderr, "input_latency: the display has no XTest extension\n");
            std::exit(1);
        }
    }
    ~FieldReader() { XCloseDisplay(display_); }
    FieldReader(const FieldReader&) = delete;
    FieldReader& operator=(const FieldReader&) = delete;

    void setField(int x, int y) {
        fieldX_ = x;
        fieldY_ = y;
    }

    // Presses or releases a key as the keyboard would; returns once the server has it.
    void key(KeySym symbol, bool press) {
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, symbol), press ? True : False, 0);
        XSync(display_, False);
    }

    Reading read() {
        Reading r;
        XImage* image = XGetImage(display_, DefaultRootWindow(display_), fieldX_, fieldY_ + ReadTop,
                                  FieldWidth, ReadRows, AllPlanes, ZPixmap);
        if (image == nullptr) {
            return r;
        }
        const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
        for (int y = 0; y < ReadRows; ++y) {
            const int row = ReadTop + y;
            const auto* line =
                reinterpret_cast<const std::uint32_t*>(image->data + y * image->bytes_per_line);
            for (int x = 0; x < FieldWidth; ++x) {
                const std::uint32_t c =
                    (direct ? line[x] : std::uint32_t(XGetPixel(image, x, y))) & 0xFFFFFFU;
                if (row >= VesselTop && row < VesselTop + VesselRows &&
                    (r.vesselLeft < 0 || x < r.vesselLeft) && palettes_.vessel.count(c) > 0) {
                    r.vesselLeft = x;
                }
                if (row >= NewShellTop && palettes_.shell.count(c) > 0) {
                    ++r.newShellPixels;
                }
            }
        }
        XDestroyImage(image);
        return r;
    }

  private:
    const Palettes& palettes_;
    Display* display_ = nullptr;
    int fieldX_ = 0;
    int fieldY_ = 0;
};

// Reads the screen until `answered` says yes; the time from `since` to that read, in ms, or a
// negative value when nothing came within the timeout.
template <typename Answered>
double waitForAnswer(FieldReader& screen, Clock::time_point since, Answered answered) {
    while (Clock::now() - since < AnswerTimeout) {
        const Reading r = screen.read();
        const auto seen = Clock::now();
        if (answered(r)) {
            return std::chrono::duration<double, std::milli>(seen - since).count();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    return -1;
}

// Waits until the vessel has stood still for a while (it glides on after a key is let go).
bool waitUntilAtRest(FieldReader& screen) {
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    int last = -2;
    auto still = Clock::now();
    while (Clock::now() < deadline) {
        const int left = screen.read().vesselLeft;
        if (left != last || left < 0) {
            last = left;
            still = Clock::now();
        } else if (Clock::now() - still > std::chrono::milliseconds(150)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[std::size_t(p * double(values.size() - 1) + 0.5)];
}

void print(const char* what, const std::vector<double>& ms) {
    std::printf("  %-34s n %4zu   p50 %5.1f ms   p99 %5.1f ms   max %5.1f ms\n", what, ms.size(),
                percentile(ms, 0.5), percentile(ms, 0.99), percentile(ms, 1.0));
}

// One run of the game: started, its board found, the keyboard given to it.
class Session {
  public:
    Session(const ProgramFolder& folder, FieldReader& screen) : screen_(screen) {
        game_ = spawn({folder.program().string()}, folder.environment(), false);
        window_ = waitForWindow("Kelvarn", std::chrono::seconds(30));
        if (window_.empty()) {
            return;
        }
        run("xdotool windowfocus --sync " + window_ + " 2>/dev/null");
        std::istringstream geometry(run("xdotool getwindowgeometry --shell " + window_));
        int x = 0, y = 0, height = 0;
        std::string line;
        while (std::getline(geometry, line)) {
            if (line.rfind("X=", 0) == 0) {
                x = std::atoi(line.c_str() + 2);
            } else if (line.rfind("Y=", 0) == 0) {
                y = std::atoi(line.c_str() + 2);
            } else if (line.rfind("HEIGHT=", 0) == 0) {
                height = std::atoi(line.c_str() + 7);
            }
        }
        // Below the menu bar the client area is 399 pixels high; the play field sits inside the
        // board's 2-pixel border, whose outer corner is at (8, 8).
        screen_.setField(x + 10, y + height - 399 + 10);
        const auto deadline = Clock::now() + std::chrono::seconds(30);
        while (Clock::now() < deadline && alive(game_)) {
            if (screen_.read().vesselLeft >= 0) {
                ready_ = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    ~Session() { stop(game_); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool ready() const { return ready_ && alive(game_); }

  private:
    FieldReader& screen_;
    Child game_;
    std::string window_;
    bool ready_ = false;
};

} // namespace

int main(int argc, char** argv) {
    const fs::path game = builtGame(argc, argv);
    if (!fs::exists(game)) {
        std::fprintf(stderr, "input_latency: no game at %s (build the target kelvarn)\n",
                     game.c_str());
        return 1;
    }
    const int events = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;

    Palettes palettes;
    {
        kelvarn::initialiseResources();
        for (const char* name : {"sss", "ss"}) {
            for (std::uint32_t c : drawingColours(name, 0xFFFFFF, VesselRows)) {
                palettes.vessel.insert(c);
            }
        }
        for (std::uint32_t c : drawingColours("bbb", 0x000000, 16)) {
            palettes.shell.insert(c);
        }
    }

    VirtualDisplay display;
    ProgramFolder folder(game);
    FieldReader screen(palettes);
    std::mt19937 jitter(12345);
    std::uniform_int_distribution<int> phase(0, 29); // where in the frame the key comes

    std::vector<double> pressMs, shotMs;
    int missed = 0, sessions = 0;
    bool right = true;
    const auto start = Clock::now();
    while ((int(pressMs.size()) < events || int(shotMs.size()) < events) && sessions < 40) {
        Session session(folder, screen);
        ++sessions;
        if (!session.ready()) {
            std::fprintf(stderr, "input_latency: the game did not show its board\n");
            continue;
        }
        auto lastShot = Clock::now() - std::chrono::seconds(2);
        int missesInARow = 0;
        while (session.ready() && missesInARow < 2 &&
               (int(pressMs.size()) < events || int(shotMs.size()) < events)) {
            // An arrow key: the vessel starts to move.
            if (!waitUntilAtRest(screen)) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(phase(jitter)));
            const KeySym arrow = right ? XK_Right : XK_Left;
            right = !right;
            const int before = screen.read().vesselLeft;
            const auto pressed = Clock::now();
            screen.key(arrow, true);
            const double moved = waitForAnswer(screen, pressed, [before](const Reading& r) {
                return r.vesselLeft >= 0 && r.vesselLeft != before;
            });
            screen.key(arrow, false);
            if (moved < 0) {
                ++missed;
                ++missesInARow;
                continue;
            }
            pressMs.push_back(moved);

            // The space bar: a shell when it is let go.
            if (!waitUntilAtRest(screen)) {
                break;
            }
            while (secondsSince(lastShot) < ShotSpacing) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            screen.key(XK_space, true);
            std::this_thread::sleep_for(std::chrono::milliseconds(40 + phase(jitter)));
            const int shellPixels = screen.read().newShellPixels;
            const auto released = Clock::now();
            screen.key(XK_space, false);
            lastShot = released;
            const double fired = waitForAnswer(screen, released, [shellPixels](const Reading& r) {
                return r.newShellPixels > shellPixels;
            });
            if (fired < 0) {
                ++missed;
                ++missesInARow;
                continue;
            }
            missesInARow = 0;
            shotMs.push_back(fired);
        }
    }

    std::printf("input_latency: %.0f s on Xvfb, %d run(s) of the game, %d answer(s) missed "
                "(a game over, a bomb in the way)\n",
                secondsSince(start), sessions, missed);
    print("arrow pressed -> vessel moves", pressMs);
    print("space released -> new shell shown", shotMs);
    std::printf("  target: p99 <= 32 ms (a frame every 29 ms, plus the paint)\n");
    return 0;
}
