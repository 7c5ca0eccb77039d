// The shop: points buy power-ups. Every purchase asks first, then sells only when the score is
// strictly above the item's test value, which lies below its price, so a purchase can leave the
// score below zero. Declined or refused, nothing changes.
#include "commands/MenuCommands.h"

namespace kelvarn {

namespace {

// Asks `question`; on Yes with a score above `scoreAbove`, makes the item's assignments,
// otherwise answers with the refusal box.
template <typename Assignments>
void sell(GameEdit& game, const char* question, std::int32_t scoreAbove, Assignments assign) {
    Dialogs& dialogs = game.services.dialogs;
    if (dialogs.messageBox(question, "使用物品", Buttons::YesNo) != Answer::Yes) {
        return;
    }
    if (game.score > scoreAbove) {
        assign();
    } else {
        dialogs.messageBox("分数太底", "禁止", Buttons::Ok);
    }
}

} // namespace

// 20 more shells at once; the refill stays off until the stock runs low again.
void MenuCommands::ammo_Click() {
    GameEdit& g = game;
    sell(g, "耗掉550分,炮弹暂时无限,继续?", 500, [&g] {
        g.refillOn = false;
        g.shells += 20;
        g.score -= 550;
        g.services.shell.setControlEnabled(Control::ammo, false);
    });
}

void MenuCommands::bl_Click() {
    GameEdit& g = game;
    sell(g, "耗掉180分,继续?", 1, [&g] {
        g.life += 5;
        g.score -= 180;
    });
}

// The planes stand still until Timer3 fires, 20 seconds later.
void MenuCommands::shirt_Click() {
    GameEdit& g = game;
    sell(g, "耗掉700分,敌人飞机暂时不动，继续?", 600, [&g] {
        g.planesMoving = false;
        g.score -= 700;
        g.services.shell.setTimerEnabled(TimerId::Timer3, true);
    });
}

void MenuCommands::spee_Click() {
    GameEdit& g = game;
    sell(g, "耗掉1000分,继续?", 950, [&g] {
        g.slowShells = false;
        g.score -= 1000;
        g.services.shell.setControlEnabled(Control::spee, false);
    });
}

void MenuCommands::speedsuper_Click() {
    GameEdit& g = game;
    sell(g, "耗掉950分,速度增加3倍,继续?", 900, [this, &g] {
        g.acceleration = 3;
        g.score -= 950;
        g.services.shell.setControlEnabled(Control::speedsuper, false);
        form.speedStep = 3;
    });
}

// Life is set to 30, not added to; the vessel cannot steer until Timer2 fires, 12.7 seconds later.
void MenuCommands::shanbi_Click() {
    GameEdit& g = game;
    sell(g, "耗掉540分,生命达到30,需时间,继续?", 400, [&g] {
        g.controlsEnabled = false;
        g.services.shell.setTimerEnabled(TimerId::Timer2, true);
        g.life = 30;
        g.score -= 540;
        g.statusText = "修理中----";
    });
}

// Free firing for the rest of the run.
void MenuCommands::yuhui_Click() {
    GameEdit& g = game;
    sell(g, "耗掉1300分,发炮不耗费分数，继续?", 1250, [&g] {
        g.shotCost = 0;
        g.score -= 1300;
        g.services.shell.setControlEnabled(Control::yuhui, false);
    });
}

} // namespace kelvarn
