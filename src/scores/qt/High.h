// The high-score window: the ten places as one text over a picture, a button back to the game
// (Command2) and one out of the program (Command1). Opened from the menu it lets the game go on;
// opened after a new record it is all that is left of the program.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "scores/HighList.h"

class QLabel;
class QPushButton;
class QTimer;

namespace kelvarn {

class High : public QWidget {
    Q_OBJECT

  public:
    // `afterRecord`: opened by the new-record flow, so Command2 is hidden and Command1 sits at the
    // bottom edge.
    High(GameEdit& game, bool afterRecord, QWidget* parent = nullptr);

    QWidget* Shape1;
    QLabel* lblScore;
    QPushButton* Command2; // back to the game
    QPushButton* Command1; // out of the program
    QTimer* Timer1;

    void Form_Activate();
    void Command1_Click();
    void Command2_Click();
    // Blinks every label whose "tag" property is "1".
    void Timer1_Timer();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The title bar's close button: after a record it ends the program as Command1 does (saving
    // the list); opened from the menu it returns to the game as Command2 does.
    void closeEvent(QCloseEvent* event) override;

  private:
    HighList logic_;
    bool afterRecord_;
    bool closingByButton_ = false;
    QPixmap background_;
};

} // namespace kelvarn
