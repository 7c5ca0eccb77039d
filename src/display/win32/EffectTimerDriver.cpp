#include "display/win32/EffectTimerDriver.h"

#include <algorithm>

namespace kelvarn {

namespace {

constexpr wchar_t WindowClass[] = L"KelvarnEffectTimers";
constexpr UINT_PTR StandbyTimer = 1;
constexpr DWORD HighResolutionTimer = 0x00000002; // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

} // namespace

EffectTimerDriver::EffectTimerDriver(TickCounter& ticks, std::function<void(TimerId)> fire)
    : ticks_(ticks), fire_(std::move(fire)) {
    // Windows 10 1803 and later end a high-resolution timer within a fraction of a millisecond;
    // elsewhere the flag is refused and the plain timer, with the timer period at 1 ms (the tick
    // counter sets it), ends within about a millisecond.
    waitable_ = CreateWaitableTimerExW(nullptr, nullptr, HighResolutionTimer, TIMER_ALL_ACCESS);
    if (waitable_ == nullptr) {
        waitable_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(instance, WindowClass, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &EffectTimerDriver::windowProc;
        wc.hInstance = instance;
        wc.lpszClassName = WindowClass;
        RegisterClassExW(&wc);
    }
    window_ =
        CreateWindowExW(0, WindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
}

EffectTimerDriver::~EffectTimerDriver() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (waitable_ != nullptr) {
        CancelWaitableTimer(waitable_);
        CloseHandle(waitable_);
    }
}

LRESULT CALLBACK EffectTimerDriver::windowProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<EffectTimerDriver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && message == WM_TIMER && wParam == StandbyTimer) {
        self->check();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void EffectTimerDriver::setEnabled(TimerId timer, bool enabled) {
    if (enabled) {
        timers_.enable(timer, ticks_.tickCount());
    } else {
        timers_.disable(timer);
    }
    if (!checking_) {
        arm();
    }
}

void EffectTimerDriver::check() {
    if (checking_) {
        return; // a handler's box dispatched the standby timer: the outer check goes on
    }
    checking_ = true;
    const std::uint32_t now = ticks_.tickCount();
    // Each handler runs once for its time; one that leaves its timer on gets it again an interval
    // later, as a window timer would.
    for (int turn = 0; turn < 2; ++turn) {
        const std::optional<TimerId> timer = timers_.due(now);
        if (!timer) {
            break;
        }
        timers_.restart(*timer, now);
        fire_(*timer);
    }
    checking_ = false;
    arm();
}

void EffectTimerDriver::arm() {
    const std::optional<std::uint32_t> wait = timers_.msUntilNext(ticks_.tickCount());
    if (!wait) {
        if (waitable_ != nullptr) {
            CancelWaitableTimer(waitable_);
        }
        if (window_ != nullptr) {
            KillTimer(window_, StandbyTimer);
        }
        return;
    }
    if (waitable_ != nullptr) {
        // Relative due time in units of 100 ns; at least one unit, so that "now" is still a wait.
        LARGE_INTEGER due;
        due.QuadPart = *wait == 0 ? -1 : -LONGLONG(*wait) * 10000;
        SetWaitableTimer(waitable_, &due, 0, nullptr, nullptr, FALSE);
    }
    if (window_ != nullptr) {
        SetTimer(window_, StandbyTimer, std::max<UINT>(*wait, USER_TIMER_MINIMUM), nullptr);
    }
}

} // namespace kelvarn
