#include "scores/win32/SecondaryWindows.h"

#include "scores/win32/Form2.h"
#include "scores/win32/High.h"
#include "scores/win32/frmHelp.h"
#include "scores/win32/frmSplash.h"

namespace kelvarn {

Win32SecondaryWindows::Win32SecondaryWindows(GameEdit& game, PictureLoader pictures)
    : game_(game), pictures_(std::move(pictures)) {}

Win32SecondaryWindows::~Win32SecondaryWindows() {
    closeAll();
}

SmallWindow* Win32SecondaryWindows::make(WindowId window, bool afterRecord) {
    switch (window) {
    case WindowId::High:
        return new High(game_, afterRecord, pictures_);
    case WindowId::Form2:
        return new Form2(game_, pictures_);
    case WindowId::frmHelp:
        return new frmHelp(game_, pictures_);
    case WindowId::frmSplash:
        return new frmSplash(pictures_);
    }
    return nullptr;
}

void Win32SecondaryWindows::show(WindowId window, bool afterRecord) {
    auto it = open_.find(window);
    if (it == open_.end()) {
        // A window deletes itself once it is destroyed; until it has been created, it is ours.
        SmallWindow* made = make(window, afterRecord);
        if (made == nullptr) {
            return;
        }
        made->onDestroyed = [this, window] { open_.erase(window); };
        if (!made->create()) {
            delete made;
            return;
        }
        it = open_.emplace(window, made).first;
    }
    it->second->show();
}

HWND Win32SecondaryWindows::open(WindowId window) const {
    const auto it = open_.find(window);
    return it == open_.end() ? nullptr : it->second->hwnd();
}

void Win32SecondaryWindows::closeAll() {
    while (!open_.empty()) {
        SmallWindow* w = open_.begin()->second;
        w->onDestroyed = nullptr;
        open_.erase(open_.begin());
        w->close();
    }
}

} // namespace kelvarn
