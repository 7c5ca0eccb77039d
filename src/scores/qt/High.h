// The high-score window "英雄榜 3.0": the ten places as one text over a picture, "返回" back to
// the game and "退出" out of the program. Opened from the menu it lets the game go on; opened
// after a new record it is all that is left of the program.
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
    // `afterRecord`: opened by the new-record flow, so "返回" is hidden and "退出" sits at the
    // bottom edge.
    High(GameEdit& game, bool afterRecord, QWidget* parent = nullptr);

    QWidget* Shape1;
    QLabel* lblScore;
    QPushButton* Command2; // "返回"
    QPushButton* Command1; // "退出"
    QTimer* Timer1;

    void Form_Activate();
    void Command1_Click();
    void Command2_Click();
    // Blinks every label whose "tag" property is "1".
    void Timer1_Timer();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The title bar's close button: after a record it ends the program as "退出" does (saving the
    // list); opened from the menu it returns to the game as "返回" does.
    void closeEvent(QCloseEvent* event) override;

  private:
    HighList logic_;
    bool afterRecord_;
    bool closingByButton_ = false;
    QPixmap background_;
};

} // namespace kelvarn
