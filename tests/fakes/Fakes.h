// Scripted stand-ins for the platform services: a tick you set, keys you press, random values you
// queue, dialog answers you queue, sounds and window requests you read back.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Services.h"
#include "platform/Surface.h"
#include "scores/ScoreStore.h"

namespace kelvarn::test {

class FakeTicks : public TickCounter {
  public:
    std::uint32_t now = 1000000;
    std::uint32_t tickCount() override { return now; }
};

// press/release mimic the keyboard: a query finds a key pressed while it is down, or once after
// it was pressed since the previous query.
class FakeKeys : public KeyQuery {
  public:
    void press(int key) {
        down_.insert(key);
        latched_.insert(key);
    }
    void release(int key) { down_.erase(key); }
    void tap(int key) {
        press(key);
        release(key);
    }
    bool keyPressed(int key) override {
        const bool pressed = down_.count(key) > 0 || latched_.count(key) > 0;
        latched_.erase(key);
        return pressed;
    }

  private:
    std::set<int> down_;
    std::set<int> latched_;
};

// Returns queued values first, then `fallback`; counts reseeds.
class FakeRandom : public RandomSource {
  public:
    std::deque<double> queue;
    double fallback = 0.99; // high enough that no submarine or plane starts
    int reseeds = 0;
    void push(std::initializer_list<double> values) { queue.insert(queue.end(), values); }
    double next() override {
        if (queue.empty()) {
            return fallback;
        }
        const double r = queue.front();
        queue.pop_front();
        return r;
    }
    void reseedFromClock() override { ++reseeds; }
};

class FakeSound : public SoundPlayer {
  public:
    std::vector<std::string> played;
    void playSound(const std::string& name) override { played.push_back(name); }
    int count(const std::string& name) const {
        int n = 0;
        for (const auto& p : played) {
            n += p == name ? 1 : 0;
        }
        return n;
    }
};

class FakeLinks : public LinkOpener {
  public:
    std::vector<std::string> opened;
    void openLink(const std::string& address) override { opened.push_back(address); }
};

struct ShownBox {
    std::string text;
    std::string title;
    Buttons buttons = Buttons::Ok;
    bool input = false;
    std::string inputText; // what an input box opened with
};

// Answers boxes from queues; an unexpected box (nothing queued) fails the test loudly.
class FakeDialogs : public Dialogs {
  public:
    std::deque<Answer> answers;
    std::deque<std::string> inputs;
    std::vector<ShownBox> shown;
    // Called while each box is up, to act "during" it (timers firing, say).
    std::function<void()> whileOpen;

    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons) override {
        shown.push_back({text, title, buttons, false, {}});
        if (whileOpen) {
            whileOpen();
        }
        if (buttons == Buttons::Ok) {
            if (!answers.empty() && answers.front() == Answer::Ok) {
                answers.pop_front();
            }
            return Answer::Ok;
        }
        if (answers.empty()) {
            throw std::logic_error("unexpected question: " + text);
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& text = {}) override {
        shown.push_back({prompt, title, Buttons::Ok, true, text});
        if (whileOpen) {
            whileOpen();
        }
        if (inputs.empty()) {
            throw std::logic_error("unexpected input box: " + prompt);
        }
        std::string s = inputs.front();
        inputs.pop_front();
        return s;
    }
};

// Remembers every request of the rules to the windows.
class FakeShell : public WindowShell {
  public:
    std::map<Control, bool> enabled; // absent = never switched (enabled by design)
    bool mainWindowEnabled = true;
    bool mainWindowVisible = true;
    bool mainWindowUnloaded = false;
    int unloadCount = 0;
    std::map<TimerId, bool> timers;
    Rgb windowColour{0, 0, 0};
    std::vector<std::pair<WindowId, bool>> windowsShown;
    std::string date = "2026/12/8";
    bool ended = false;
    std::function<void()> onUnload; // the real window runs Form_Unload here

    bool isEnabled(Control c) const {
        auto it = enabled.find(c);
        return it == enabled.end() || it->second;
    }
    void setControlEnabled(Control control, bool on) override { enabled[control] = on; }
    void setMainWindowEnabled(bool on) override { mainWindowEnabled = on; }
    void showMainWindow() override { mainWindowVisible = true; }
    void unloadMainWindow() override {
        mainWindowUnloaded = true;
        mainWindowVisible = false;
        ++unloadCount;
        if (onUnload) {
            onUnload();
        }
    }
    void setTimerEnabled(TimerId timer, bool on) override { timers[timer] = on; }
    void setWindowColour(Rgb colour) override { windowColour = colour; }
    void showWindow(WindowId window, bool afterRecord) override {
        windowsShown.emplace_back(window, afterRecord);
    }
    std::string shortDateText() override { return date; }
    void endProgram() override { ended = true; }
};

class FakeScoreStore : public ScoreStore {
  public:
    std::vector<std::uint8_t> bytes;
    bool exists = false;
    bool failSaves = false;
    int saves = 0;
    std::optional<StoreNotice> notice; // given by the next takeNotice
    std::optional<StoreNotice> takeNotice() override {
        std::optional<StoreNotice> n;
        n.swap(notice);
        return n;
    }
    std::vector<std::uint8_t> loadBytes() override {
        exists = true;
        return bytes;
    }
    bool saveBytes(const std::vector<std::uint8_t>& b) override {
        ++saves;
        if (failSaves) {
            return false;
        }
        bytes = b;
        exists = true;
        return true;
    }
};

// Records the lines printed on the board. With `draws` set it also marks each byte of a line as
// one pixel (its height within the line follows the byte), and keeps to a clip, as a real printer
// does.
class FakeTextPrinter : public TextPrinter {
  public:
    static constexpr int LineHeight = 12;
    std::vector<std::string> lines;
    std::uint32_t colour = 0;
    bool draws = false;
    void begin(Surface& s, std::uint32_t c) override {
        lines.clear();
        colour = c;
        surface_ = &s;
        clip_ = s.bounds();
    }
    void printLine(const std::string& utf8) override {
        if (draws) {
            const int top = int(lines.size()) * LineHeight;
            for (std::size_t k = 0; k < utf8.size(); ++k) {
                const int x = 1 + int(k);
                const int y = top + 2 + std::uint8_t(utf8[k]) % 8;
                if (Rect{x, y, 1, 1}.intersects(clip_)) {
                    surface_->setPixel(x, y, colour);
                }
            }
        }
        lines.push_back(utf8);
    }
    void end() override {}
    void clipTo(const Rect& clip) override { clip_ = clip.clippedTo(surface_->bounds()); }
    Rect lineArea(int index, const std::string& utf8) const override {
        if (!draws) {
            return TextPrinter::lineArea(index, utf8);
        }
        return {1, index * LineHeight + 2, int(utf8.size()), 8};
    }

  private:
    Surface* surface_ = nullptr;
    Rect clip_;
};

} // namespace kelvarn::test
