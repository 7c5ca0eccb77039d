// The secret codes behind "秘技": one accepted code per run, wrong answers as often as the player
// likes. Answers are compared exactly, character for character.
#include <array>

#include "commands/MenuCommands.h"

namespace kelvarn {

namespace {

struct CheatCode {
    const char* code;
    const char* message;
    void (*grant)(GameEdit&);
};

const std::array<CheatCode, 3> CheatCodes{{
    {"48213", "这个密码使你生命加20", [](GameEdit& g) { g.life += 20; }},
    // Only the ceiling of the refill: the stock itself grows one refill at a time.
    {"90576", "这个密码使你的炮弹为12个", [](GameEdit& g) { g.maxShells = 12; }},
    // Set, not added: a higher score comes down to 2000.
    {"15842", "这个密码使你的分数升到2000", [](GameEdit& g) { g.score = 2000; }},
}};

} // namespace

void MenuCommands::miji_Click() {
    WindowShell& shell = game.services.shell;
    Dialogs& dialogs = game.services.dialogs;
    shell.setMainWindowEnabled(false);
    // Cancel gives "" and is refused like any other wrong answer.
    const std::string answer = dialogs.inputBox(
        "若您已获得密码，请输入密码，若没有，请登陆我的网站或发邮件索取密码", "获取秘籍");
    for (const CheatCode& c : CheatCodes) {
        if (answer == c.code) {
            dialogs.messageBox(c.message, "成功", Buttons::Ok);
            c.grant(game);
            shell.setMainWindowEnabled(true);
            game.paused = false;
            shell.setControlEnabled(Control::miji, false);
            return;
        }
    }
    game.playSound("error");
    dialogs.messageBox("密码错误", "失败", Buttons::Ok);
    shell.setMainWindowEnabled(true);
    game.paused = false;
}

} // namespace kelvarn
