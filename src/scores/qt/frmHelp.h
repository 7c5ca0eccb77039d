// The about window: title, version, credits and contact. Clicking the address opens the home
// page. The game is paused and the main window disabled while it is open.
#pragma once

#include <QWidget>

class QCloseEvent;
class QEvent;
class QLabel;

namespace kelvarn {

class GameEdit;

class frmHelp : public QWidget {
    Q_OBJECT

  public:
    explicit frmHelp(GameEdit& game, QWidget* parent = nullptr);

    void Command1_Click(); // OK
    void Label4_Click();   // the web address

  protected:
    // However the window closes, the game runs on behind an enabled main window.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    GameEdit& game_;
    QLabel* address_ = nullptr;
};

} // namespace kelvarn
