// The help window: a text area whose text four buttons replace, and an OK button that returns to
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

    void Command3_Click(); // rewards and penalties
    void Command6_Click(); // controls
    void Command8_Click(); // the maker's credits
    void Command2_Click(); // levels
    void Command1_Click(); // OK

  protected:
    // However the window closes, the game runs on behind an enabled main window.
    void closeEvent(QCloseEvent* event) override;

  private:
    GameEdit& game_;
    QLabel* t_ = nullptr;
};

} // namespace kelvarn
