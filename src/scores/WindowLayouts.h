// The secondary windows as data: the high-score window "英雄榜 3.0", the help window "帮助", the
// about window "关于Kelvarn" and the update report "更新报告", each with its controls, and the
// texts their buttons show. The Qt and the Win32 windows are both built from these.
#pragma once

#include <string>

#include "platform/WindowLayout.h"

namespace kelvarn {

// High: "Shape1" (silver outline), "lblScore" (the list), "Command2" ("返回"), "Command1" ("退出").
const WindowLayout& highLayout();
// Form2: "imgIcon", "Label1", "t" (the help text), "Command3", "Command6", "Command8", "Command2"
// (the four text buttons) and "Command1" ("确定").
const WindowLayout& form2Layout();
// frmHelp: "Picture1" (logo), "Label2", "Label6", "Label1", "Label7", "Command1" ("确定"),
// "Label3", "Frame1" holding "Label4" (the address, which opens the home page) and "Label5".
const WindowLayout& frmHelpLayout();
// frmSplash: "Label1" (heading), seven change lines, "Command1" ("退出").
const WindowLayout& frmSplashLayout();

// What is special about the high-score window beyond its layout.
struct HighWindowPlan {
    // Opened after a record: "返回" is hidden and "退出" moves here, about the middle of the
    // width and mostly below the bottom edge.
    static constexpr TwipsPoint exitAfterRecord{1200, 4560};
    // Timer1 blinks every label tagged "1" at this interval.
    static constexpr int blinkIntervalMs = 200;
};

// The texts that the help window's buttons put into `t`. They wrap in the label and carry no line
// breaks of their own.
struct HelpTexts {
    static const std::string& initial();  // shown when the window opens
    static const std::string& rewards();  // "赏罚"
    static const std::string& controls(); // "操作"
    static const std::string& author();   // "作者": the maker's credits and contact
    static const std::string& levels();   // "关数"
};

} // namespace kelvarn
