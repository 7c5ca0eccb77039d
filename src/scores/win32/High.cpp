#include "scores/win32/High.h"

#include "scores/WindowLayouts.h"

namespace kelvarn {

High::High(GameEdit& game, bool afterRecord, PictureLoader pictures)
    : SmallWindow(highLayout(), std::move(pictures)), logic_(game), afterRecord_(afterRecord) {}

void High::onCreated() {
    if (afterRecord_) {
        controls().setVisible("Command2", false);
        controls().moveTo("Command1", HighWindowPlan::exitAfterRecord);
    }
    SetTimer(hwnd(), Timer1, HighWindowPlan::blinkIntervalMs, nullptr);
    Form_Activate();
}

// The list's lines end with CR LF, which a static control breaks at as they are.
void High::Form_Activate() {
    controls().setText("lblScore", logic_.text());
}

void High::Command1_Click() {
    const auto window = alive();
    logic_.Command1_Click();
    if (*window) {
        close();
    }
}

void High::Command2_Click() {
    const auto window = alive();
    logic_.Command2_Click();
    if (*window) {
        close();
    }
}

void High::Timer1_Timer() {
    for (const LayoutRow& row : highLayout().rows) {
        if (row.kind == ControlKind::Label && row.tag == "1") {
            controls().setVisible(row.name, !controls().isVisible(row.name));
        }
    }
}

void High::onClick(const LayoutRow& row) {
    if (row.name == "Command1") {
        Command1_Click();
    } else if (row.name == "Command2") {
        Command2_Click();
    }
}

void High::onTimer(UINT_PTR id) {
    if (id == Timer1) {
        Timer1_Timer();
    }
}

void High::onTitleBarClose() {
    if (afterRecord_) {
        Command1_Click();
    } else {
        Command2_Click();
    }
}

} // namespace kelvarn
