// The commands of the menu bar and of the two labels below the board: the game menu, the shop,
// the cheat codes, the settings and the links. Each handler keeps the name of the control it
// belongs to; the menu bar and the main window only call them.
#pragma once

#include "display/Form1Logic.h"
#include "game/GameEdit.h"

namespace kelvarn {

class MenuCommands {
  public:
    // Both must outlive the commands.
    MenuCommands(GameEdit& game, Form1Logic& form) : game(game), form(form) {}

    GameEdit& game;
    Form1Logic& form; // pause and resume, the thruster's step, the board's text colour

    // ---- the game menu and the windows ----
    void menuTitle_Click(); // any of the ten menu titles opening
    void restart_Click();
    void m1_Click() { form.pause(); }
    void m2_Click() { form.unpause(); }
    void m3_Click();
    void picexit_Click();
    void mhero_Click();
    void h_Click();
    void fg_Click();
    void renew_Click();
    // ---- shop ----
    void ammo_Click();
    void bl_Click();
    void shirt_Click();
    void spee_Click();
    void speedsuper_Click();
    void shanbi_Click();
    void yuhui_Click();
    // ---- cheat codes ----
    void miji_Click();
    // ---- settings ----
    void black_Click();
    void blue_Click();
    void green_Click();
    void yellow_Click();
    void grey_Click();
    void wordblue_Click();
    void vv_Click();
    void fd_Click();
    void asghhj_Click();
    void addgf_Click();
    // ---- links ----
    void site_Click();
    void update_Click();
    void mail_Click();
    void Label1_Click();
};

} // namespace kelvarn
