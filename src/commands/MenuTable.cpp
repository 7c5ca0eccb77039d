#include "commands/MenuTable.h"

#include "commands/MenuCommands.h"

namespace kelvarn {

namespace {

using F = MenuCommands;
constexpr MenuLineKind T = MenuLineKind::Title, I = MenuLineKind::Item, S = MenuLineKind::Separator;
constexpr MenuShortcut None{};

const MenuLine MenuTree[] = {
    {0, T, "menu2", "游戏"},
    {1, I, "restart", "重新开始 &R", &F::restart_Click},
    {1, S, "o", "-"},
    {1, I, "m1", "暂停", &F::m1_Click, ctrlKey('P'), Control::m1},
    {1, I, "m2", "继续", &F::m2_Click, ctrlKey('N'), Control::m2},
    {1, S, "o2", "-"},
    {1, I, "m3", "退出", &F::m3_Click, plainKey(ShortcutKey::Delete), Control::m3, "Picture3"},
    {0, T, "menu", "功能", nullptr, None, Control::menu},
    {1, I, "miji", "秘技", &F::miji_Click, None, Control::miji, "Picture1"},
    {1, S, "o3", "-"},
    {1, I, "mhero", "英雄榜", &F::mhero_Click, None, Control::mhero},
    {0, T, "buy", "买卖", nullptr, None, Control::buy},
    {1, I, "ammo", "炮弹", &F::ammo_Click, None, Control::ammo},
    {1, S, "qq", "-"},
    {1, I, "bl", "补血包", &F::bl_Click},
    {1, S, "uy", "-"},
    {1, I, "shirt", "定时机器", &F::shirt_Click},
    {1, S, "vgfv", "-"},
    {1, I, "spee", "火炮加速器", &F::spee_Click, None, Control::spee},
    {1, S, "ew", "-"},
    {1, I, "speedsuper", "强力推进装置", &F::speedsuper_Click, None, Control::speedsuper},
    {0, T, "act", "特技"},
    {1, I, "shanbi", "超级修理", &F::shanbi_Click, plainKey(ShortcutKey::F2), Control::shanbi},
    {1, S, "E", "-"},
    {1, I, "yuhui", "特权待遇", &F::yuhui_Click, plainKey(ShortcutKey::F3), Control::yuhui},
    {0, T, "sz", "设置"},
    {1, T, "color", "窗体颜色"},
    {2, I, "black", "黑色", &F::black_Click},
    {2, I, "blue", "天蓝", &F::blue_Click},
    {2, I, "green", "深绿", &F::green_Click},
    {2, I, "yellow", "土黄", &F::yellow_Click},
    {2, I, "grey", "粉红", &F::grey_Click},
    {1, T, "colorword", "字体颜色"},
    {2, I, "wordblue", "蓝色", &F::wordblue_Click},
    {2, I, "vv", "灰色", &F::vv_Click},
    {2, I, "fd", "深绿", &F::fd_Click},
    {1, T, "asdd", "等级"},
    {2, I, "asghhj", "高", &F::asghhj_Click},
    {2, I, "addgf", "低", &F::addgf_Click},
    {0, T, "gy", "帮助"},
    {1, I, "h", "快速入门", &F::h_Click, plainKey(ShortcutKey::F1), Control::h, "Picture2"},
    {1, S, "gtgtr", "-"},
    {1, I, "renew", "更新报告", &F::renew_Click},
    {1, I, "fg", "关于", &F::fg_Click, ctrlKey('H'), Control::fg},
    {0, T, "web", "网络"},
    {1, I, "site", "我的主页", &F::site_Click, ctrlKey('W')},
    {1, S, "htrg", "-"},
    {1, I, "update", "升级 &U", &F::update_Click},
    {1, I, "mail", "软件下载", &F::mail_Click},
};

} // namespace

std::span<const MenuLine> menuTree() {
    return MenuTree;
}

std::string MenuShortcut::text() const {
    std::string s = ctrl ? "Ctrl+" : "";
    switch (key) {
    case ShortcutKey::None:
        return {};
    case ShortcutKey::Letter:
        return s + letter;
    case ShortcutKey::Delete:
        return s + "Del";
    case ShortcutKey::F1:
        return s + "F1";
    case ShortcutKey::F2:
        return s + "F2";
    case ShortcutKey::F3:
        return s + "F3";
    }
    return {};
}

MenuCaption splitMnemonic(const std::string& caption) {
    MenuCaption out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != '&' && out.mnemonic == 0) {
                out.mnemonic = caption[i];
            }
        }
        out.shown += caption[i];
    }
    return out;
}

} // namespace kelvarn
