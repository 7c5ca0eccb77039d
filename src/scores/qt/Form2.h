// The help window "帮助": a text area whose text four buttons replace, and "确定", which returns to
// the game. The game is paused and the main window disabled while it is open.
#pragma once

#include <QWidget>

class QCloseEvent;
class QLabel;

namespace kelvarn {

class GameEdit;

class Form2 : public QWidget {
    Q_OBJECT

  public:
    explicit Form2(GameEdit& game, QWidget* parent = nullptr);

    // The text shown when the window opens.
    static QString initialText();
    // The maker's credits and contact, as the "作者" button shows them.
    static QString authorText();

    void Command3_Click(); // "赏罚"
    void Command6_Click(); // "操作"
    void Command8_Click(); // "作者"
    void Command2_Click(); // "关数"
    void Command1_Click(); // "确定"

  protected:
    // However the window closes, the game runs on behind an enabled main window.
    void closeEvent(QCloseEvent* event) override;

  private:
    GameEdit& game_;
    QLabel* t_ = nullptr;
};

} // namespace kelvarn
