// What the small Win32 windows share: a fixed-size top-level window with a title bar and a close
// button only, laid out from its table, its background painted from the table, button and label
// clicks by control, activation and timers. The window exists from create() until it is closed;
// it then deletes itself.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/WindowLayout.h"
#include "platform/win32/LayoutBuilder.h"

namespace kelvarn {

class SmallWindow {
  public:
    virtual ~SmallWindow();
    SmallWindow(const SmallWindow&) = delete;
    SmallWindow& operator=(const SmallWindow&) = delete;

    // Creates the window, hidden, with every control. False when the system refuses.
    bool create();
    // Shows the window and brings it to the front.
    void show();
    HWND hwnd() const { return hwnd_; }
    // Closes the window for good: it is destroyed and deletes itself.
    void close();
    // True for a window of this kind: the program's message loop hands its keys to
    // IsDialogMessageW, so that Tab moves between the buttons, Enter presses the focused or
    // default button and Esc closes the window as its title bar's close button does.
    static bool isSmallWindow(HWND window);

    // Runs once the window is gone, just before the object is deleted.
    std::function<void()> onDestroyed;

  protected:
    SmallWindow(const WindowLayout& layout, PictureLoader pictures);
    LayoutBuilder& controls() { return *controls_; }
    // True while the window exists: a handler that calls out to the game checks it afterwards,
    // since the program may have ended in the meantime.
    std::shared_ptr<const bool> alive() const { return alive_; }

    virtual void onCreated() {}
    virtual void onClick(const LayoutRow& /*row*/) {}
    virtual void onActivate() {}
    virtual void onTimer(UINT_PTR /*id*/) {}
    // The title bar's close button; closes the window unless overridden.
    virtual void onTitleBarClose() { close(); }
    // The window is being destroyed, however that came about.
    virtual void onDestroying() {}
    // The button that Enter presses while no button has the focus; when it is hidden, the first
    // shown button in the table.
    virtual const char* defaultButton() const { return "Command1"; }

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND defaultButtonControl() const;
    // Gives `control` the focus; a push button taking it becomes the default one.
    void focus(HWND control);

    const WindowLayout& layout_;
    PictureLoader pictures_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<LayoutBuilder> controls_;
    HWND focused_ = nullptr; // the control that gets the focus back on activation
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(false);
};

} // namespace kelvarn
