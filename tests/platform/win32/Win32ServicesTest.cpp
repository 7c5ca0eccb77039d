// The Win32 services as the game uses them: keys, sounds, the message box and our input box.
// These run under Wine on a display of their own.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/DialogTexts.h"
#include "platform/InputBoxLayout.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32KeyQuery.h"
#include "platform/win32/Win32Sound.h"

namespace kelvarn {
namespace {

namespace fs = std::filesystem;

fs::path freshFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const fs::path folder = fs::path(temp) / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

void key(WORD vk, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

void pumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

TEST(Win32KeyQuery, ADownKeyAndAPressSinceTheLastQueryCountOnlyWhileOurWindowIsInFront) {
    const HWND window = CreateWindowExW(0, L"STATIC", L"keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        100, 100, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    pumpFor(200);
    Win32KeyQuery keys;
    keys.keyPressed(KeyRight); // forget anything from before

    key(VK_RIGHT, true);
    pumpFor(50);
    EXPECT_TRUE(keys.keyPressed(KeyRight)) << "held";
    EXPECT_TRUE(keys.keyPressed(KeyRight)) << "still held";
    key(VK_RIGHT, false);
    pumpFor(50);
    EXPECT_FALSE(keys.keyPressed(KeyRight)) << "released after the last query";

    // A tap between two queries is seen once.
    key(VK_SPACE, true);
    key(VK_SPACE, false);
    pumpFor(50);
    EXPECT_TRUE(keys.keyPressed(KeySpace));
    EXPECT_FALSE(keys.keyPressed(KeySpace));

    DestroyWindow(window);
    pumpFor(100);
    key(VK_LEFT, true);
    pumpFor(50);
    EXPECT_FALSE(keys.keyPressed(KeyLeft)) << "no window of ours in front";
    key(VK_LEFT, false);
}

TEST(Win32Sound, OnlyARegularFileUnderTheExactNameIsPlayed) {
    const fs::path folder = freshFolder(L"kelvarn-声音");
    std::ofstream(folder / L"Bu.wav") << "RIFF";
    fs::create_directory(folder / L"put.wav");
    Win32SoundPlayer sound(folder);
    EXPECT_EQ(sound.fileOf("Bu"), folder / L"Bu.wav");
    EXPECT_TRUE(Win32SoundPlayer::playable(sound.fileOf("Bu")));
    EXPECT_FALSE(Win32SoundPlayer::playable(sound.fileOf("put"))) << "a folder";
    EXPECT_FALSE(Win32SoundPlayer::playable(sound.fileOf("end"))) << "missing";
    EXPECT_FALSE(Win32SoundPlayer::playable(L"\\\\.\\NUL")) << "a device";
    // Not a sound, nor anything to play: silent, and back at once.
    sound.playSound("Bu");
    sound.playSound("put");
    Win32SoundPlayer(folder / L"nowhere").playSound("Bu");
    fs::remove_all(folder);
}

// Runs `act` on the box titled `title` as soon as it is up, from inside its modal loop.
struct BoxDriver {
    static inline std::wstring title;
    static inline std::function<void(HWND)> act;
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
        if (const HWND box = FindWindowW(L"#32770", title.c_str())) {
            KillTimer(nullptr, id);
            act(box);
        }
    }
    BoxDriver(const std::string& boxTitle, std::function<void(HWND)> action) {
        title = win32::toUtf16(boxTitle);
        act = std::move(action);
        SetTimer(nullptr, 0, 30, tick);
    }
};

std::string itemText(HWND box, int id) {
    wchar_t text[64] = {};
    GetDlgItemTextW(box, id, text, 64);
    return win32::toUtf8(std::wstring_view(text));
}

RECT itemPlace(HWND box, int id) {
    const HWND item = GetDlgItem(box, id);
    RECT r{};
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(Win32Dialogs, TheMessageBoxShowsTheGameButtonsAndAnswersWithTheOnePressed) {
    Win32Dialogs dialogs;
    int closed = 0;
    dialogs.onClosed = [&] { ++closed; };
    std::string yes, no;
    BoxDriver driver("退出", [&](HWND box) {
        yes = itemText(box, IDYES);
        no = itemText(box, IDNO);
        SendMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dialogs.messageBox("真的要退出吗？", "退出", Buttons::YesNo), Answer::No);
    EXPECT_EQ(yes, dialog_texts::Yes);
    EXPECT_EQ(no, dialog_texts::No);
    EXPECT_EQ(closed, 1);
}

TEST(Win32Dialogs, TheInputBoxIsLaidOutFromItsTableAndGivesTheTextOrNothing) {
    Win32Dialogs dialogs;
    const InputBoxLayout& layout = inputBoxLayout();
    std::string prompt, field, ok, cancel;
    RECT okPlace{}, fieldPlace{}, inner{};
    int dpi = 0;
    BoxDriver accept("英雄榜", [&](HWND box) {
        dpi = windowDpi(box);
        prompt = itemText(box, Win32Dialogs::PromptId);
        field = itemText(box, Win32Dialogs::FieldId);
        ok = itemText(box, IDOK);
        cancel = itemText(box, IDCANCEL);
        okPlace = itemPlace(box, IDOK);
        fieldPlace = itemPlace(box, Win32Dialogs::FieldId);
        GetClientRect(box, &inner);
        SetDlgItemTextW(box, Win32Dialogs::FieldId, L"张三");
        SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dialogs.inputBox("请输入你的名字：", "英雄榜", "无名"), "张三");
    EXPECT_EQ(prompt, "请输入你的名字：");
    EXPECT_EQ(field, "无名") << "the field opens with the text given";
    EXPECT_EQ(ok, layout.okText);
    EXPECT_EQ(cancel, layout.cancelText);
    const auto px = [&](int twips) { return MulDiv(twips, dpi, 1440); };
    EXPECT_EQ(inner.right, px(layout.width));
    EXPECT_EQ(inner.bottom, px(layout.height));
    EXPECT_EQ(okPlace.left, px(layout.ok.left));
    EXPECT_EQ(okPlace.top, px(layout.ok.top));
    EXPECT_EQ(okPlace.right - okPlace.left, px(layout.ok.width));
    EXPECT_EQ(fieldPlace.top, px(layout.field.top));
    EXPECT_EQ(fieldPlace.right - fieldPlace.left, px(layout.field.width));

    BoxDriver refuse("英雄榜", [](HWND box) {
        SetDlgItemTextW(box, Win32Dialogs::FieldId, L"李四");
        SendMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dialogs.inputBox("请输入你的名字：", "英雄榜"), "");
}

} // namespace
} // namespace kelvarn
