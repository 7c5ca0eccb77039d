#include "scores/win32/Form2.h"

#include "game/GameEdit.h"
#include "scores/WindowLayouts.h"

namespace kelvarn {

Form2::Form2(GameEdit& game, PictureLoader pictures)
    : SmallWindow(form2Layout(), std::move(pictures)), game_(game) {}

void Form2::Command3_Click() {
    controls().setText("t", HelpTexts::rewards());
}

void Form2::Command6_Click() {
    controls().setText("t", HelpTexts::controls());
}

void Form2::Command8_Click() {
    controls().setText("t", HelpTexts::author());
}

void Form2::Command2_Click() {
    controls().setText("t", HelpTexts::levels());
}

void Form2::Command1_Click() {
    giveGameBack();
    close();
}

void Form2::giveGameBack() {
    if (givenBack_) {
        return;
    }
    givenBack_ = true;
    game_.services.shell.setMainWindowEnabled(true);
    game_.paused = false;
}

void Form2::onClick(const LayoutRow& row) {
    if (row.name == "Command3") {
        Command3_Click();
    } else if (row.name == "Command6") {
        Command6_Click();
    } else if (row.name == "Command8") {
        Command8_Click();
    } else if (row.name == "Command2") {
        Command2_Click();
    } else if (row.name == "Command1") {
        Command1_Click();
    }
}

} // namespace kelvarn
