#include "scores/WindowLayouts.h"

#include "scores/Maker.h"

namespace kelvarn {

namespace {

WindowLayout window(const char* name, const char* caption, int width, int height) {
    WindowLayout w;
    w.name = name;
    w.caption = caption;
    w.width = width;
    w.height = height;
    return w;
}

LayoutRow& button(WindowLayout& w, const char* name, const char* caption, TwipsRect place,
                  PointerShape pointer = PointerShape::CrossHair) {
    LayoutRow& r = w.add(name, ControlKind::Button, place);
    r.text = caption;
    r.pointer = pointer;
    return r;
}

LayoutRow& label(WindowLayout& w, const char* name, std::string text, TwipsRect place) {
    LayoutRow& r = w.add(name, ControlKind::Label, place);
    r.text = std::move(text);
    return r;
}

WindowLayout makeHigh() {
    WindowLayout w = window("High", "英雄榜 3.0", 3105, 4605);
    w.place.at = {4095, 1665};
    w.picture = "High";
    w.background = Rgb{16, 24, 40}; // seen only while the picture is missing

    w.add("Shape1", ControlKind::Shape, {240, 120, 2715, 4035}).outlineColour = Rgb{192, 192, 192};
    LayoutRow& list = label(w, "lblScore", {}, {240, 120, 2745, 4035});
    list.font = {"宋体", 9.75, false};
    list.textColour = Rgb{224, 224, 224};
    list.wrap = true;
    list.transparent = true;
    // 13 pixels at 96 dpi, as the Linux label lays out its 宋体 9.75 pt: the twenty lines of the
    // ten places fit the 269 pixels of the list.
    list.lineHeight = 195;
    button(w, "Command2", "返回", {600, 4200, 735, 375});
    button(w, "Command1", "退出", {1920, 4200, 735, 375});
    return w;
}

WindowLayout makeForm2() {
    WindowLayout w = window("Form2", "帮助", 3555, 3060);
    w.place.at = {4095, 1830};
    w.font = programFont(); // what the help texts are measured for

    LayoutRow& icon = w.add("imgIcon", ControlKind::Image, {240, 120, 480, 480});
    icon.tooltip = "帮助";
    icon.picture = "imgIcon32";
    icon.pointer = PointerShape::ArrowQuestion;
    label(w, "Label1", "Kelvarn", {1080, 240, 1815, 255}).pointer = PointerShape::ArrowQuestion;
    label(w, "t", HelpTexts::initial(), {240, 600, 2295, 1935}).wrap = true;
    button(w, "Command3", "赏罚", {2640, 600, 855, 375});
    button(w, "Command6", "操作", {2640, 1080, 855, 375});
    button(w, "Command8", "作者", {2640, 1560, 855, 375});
    button(w, "Command2", "关数", {2640, 2040, 855, 375}, PointerShape::Arrow);
    button(w, "Command1", "确定", {960, 2640, 855, 375});
    return w;
}

WindowLayout makeFrmHelp() {
    WindowLayout w = window("frmHelp", "关于Kelvarn", 3315, 3375);
    w.place.at = {3930, 1830};
    w.font = programFont(); // what the help texts are measured for

    w.add("Picture1", ControlKind::PictureBox, {240, 0, 1035, 465}).picture = "frmHelp_Picture1";
    label(w, "Label2", "Kelvarn", {1440, 120, 1575, 255}).font = {"宋体", 10.5, false};
    label(w, "Label6", maker::Author, {240, 600, 2295, 255});
    label(w, "Label1", maker::Studio, {240, 960, 2895, 255});
    label(w, "Label7", "当前版本： 3.0", {240, 1320, 1455, 255});
    button(w, "Command1", "确定", {2160, 1440, 975, 375});
    label(w, "Label3", "绿色软件 免费传播", {240, 1680, 1815, 255});
    w.add("Frame1", ControlKind::Frame, {120, 2040, 3015, 1215}).text = "联系方式";
    LayoutRow& address =
        label(w, "Label4", std::string("网址：") + maker::HomePage, {120, 360, 2415, 255});
    address.parent = "Frame1";
    address.pointer = PointerShape::CrossHair;
    label(w, "Label5", std::string("电子邮件：") + maker::Email, {120, 720, 2775, 255}).parent =
        "Frame1";
    return w;
}

WindowLayout makeFrmSplash() {
    WindowLayout w = window("frmSplash", "更新报告", 4770, 3900);
    w.place.centred = true;
    w.font = programFont(); // what the help texts are measured for

    label(w, "Label1", "从2.0版本到3.0版本", {240, 240, 1815, 255});
    struct ChangeLine {
        const char* name;
        int top;
        const char* text;
    };
    // The numbering punctuation differs between the lines: ASCII commas, and a full-width comma
    // in the seventh.
    static constexpr ChangeLine changes[] = {
        {"Label2", 720, "1,增加了难度设置"},
        {"Label6", 1080, "2,增加了关数"},
        {"Label5", 1440, "3,增加了更新报告 就是这个"},
        {"Label4", 1800, "4,增加了“定时机器”特技"},
        {"Label3", 2160, "5,取消禁止移动窗体"},
        {"Label9", 2520, "6,能够升级"},
        {"Label7", 2880, "7，减少BUG"},
    };
    for (const ChangeLine& line : changes) {
        label(w, line.name, line.text, {480, line.top, 4095, 255});
    }
    button(w, "Command1", "退出", {1800, 3480, 1095, 375});
    return w;
}

} // namespace

const WindowLayout& highLayout() {
    static const WindowLayout layout = makeHigh();
    return layout;
}

const WindowLayout& form2Layout() {
    static const WindowLayout layout = makeForm2();
    return layout;
}

const WindowLayout& frmHelpLayout() {
    static const WindowLayout layout = makeFrmHelp();
    return layout;
}

const WindowLayout& frmSplashLayout() {
    static const WindowLayout layout = makeFrmSplash();
    return layout;
}

const std::string& HelpTexts::initial() {
    static const std::string text = "    "
                                    "其实我很早就喜欢玩潜艇大战，无奈每个潜艇游戏都多多少少"
                                    "有一些缺点和不足，于是我研究了一些潜艇游戏源代码，自己"
                                    "编写了一个潜艇游戏，对以前的潜艇大战取长补短，并保留原"
                                    "来潜艇大战的经典，很有意思，希望大家多提意见，我会把它"
                                    "改的更好！"
                                    "  ";
    return text;
}

// The run of spaces moves "注意" to a line of its own.
const std::string& HelpTexts::rewards() {
    static const std::string text = "    "
                                    "潜艇分数不确定，与速度有关，速度越快，分数越高，一般在"
                                    "20~100之间，每发一枚炮弹减10分，挨了飞机的一枚炮弹减"
                                    "15分，生命减1格"
                                    "                   "
                                    "注意:打潜艇有技巧,如果打左边打不死,可以打右边";
    return text;
}

const std::string& HelpTexts::controls() {
    static const std::string text = "方向键控制方向,空格键开炮";
    return text;
}

// Each part starts a line of its own: the run of spaces after a part is longer than a line, so
// the label breaks there.
const std::string& HelpTexts::author() {
    static const std::string text = [] {
        const std::string gap(26, ' ');
        return std::string(maker::Author) + gap + maker::Studio + gap + "邮箱：" + maker::Email +
               gap + "网址：" + maker::HomePage;
    }();
    return text;
}

const std::string& HelpTexts::levels() {
    static const std::string text =
        "杀敌达到15个后增加到2，此后每加20个增加一等级，等级越高，难度越大";
    return text;
}

} // namespace kelvarn
