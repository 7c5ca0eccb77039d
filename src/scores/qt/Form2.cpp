#include "scores/qt/Form2.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "game/GameEdit.h"
#include "scores/Maker.h"
#include "scores/qt/TwipsLayout.h"

namespace kelvarn {

namespace {

// The texts of `t`. They wrap in the label and carry no line breaks of their own; the run of spaces
// in RewardsText moves "注意" to a line of its own.
const char* const InitialText = "    "
                                "其实我很早就喜欢玩潜艇大战，无奈每个潜艇游戏都多多少少"
                                "有一些缺点和不足，于是我研究了一些潜艇游戏源代码，自己"
                                "编写了一个潜艇游戏，对以前的潜艇大战取长补短，并保留原"
                                "来潜艇大战的经典，很有意思，希望大家多提意见，我会把它"
                                "改的更好！"
                                "  ";
const char* const RewardsText = "    "
                                "潜艇分数不确定，与速度有关，速度越快，分数越高，一般在"
                                "20~100之间，每发一枚炮弹减10分，挨了飞机的一枚炮弹减"
                                "15分，生命减1格"
                                "                   "
                                "注意:打潜艇有技巧,如果打左边打不死,可以打右边";
const char* const ControlsText = "方向键控制方向,空格键开炮";
const char* const LevelsText = "杀敌达到15个后增加到2，此后每加20个增加一等级，等级越高，难度越大";

} // namespace

QString Form2::initialText() {
    return QString::fromUtf8(InitialText);
}

// Each part starts a line of its own: the run of spaces after a part is longer than a line, so
// the label breaks there.
QString Form2::authorText() {
    const QString gap(26, QLatin1Char(' '));
    return QString::fromUtf8(maker::Author) + gap + QString::fromUtf8(maker::Studio) + gap +
           QString::fromUtf8("邮箱：") + QString::fromUtf8(maker::Email) + gap +
           QString::fromUtf8("网址：") + QString::fromUtf8(maker::HomePage);
}

Form2::Form2(GameEdit& game, QWidget* parent) : QWidget(parent), game_(game) {
    setUpFixedWindow(*this, "Form2", QString::fromUtf8("帮助"), 3555, 3060);
    placeWindowAt(*this, 4095, 1830);

    auto* imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    imgIcon->setGeometry(twipsRect(240, 120, 480, 480));
    imgIcon->setPixmap(QPixmap(QStringLiteral(":/pictures/imgIcon32.png")));
    imgIcon->setToolTip(QString::fromUtf8("帮助"));
    imgIcon->setCursor(Qt::WhatsThisCursor);

    QLabel* title =
        addLabel(this, "Label1", QStringLiteral("Kelvarn"), twipsRect(1080, 240, 1815, 255));
    title->setCursor(Qt::WhatsThisCursor);

    t_ = addLabel(this, "t", initialText(), twipsRect(240, 600, 2295, 1935), true);

    auto* rewards =
        addButton(this, "Command3", QString::fromUtf8("赏罚"), twipsRect(2640, 600, 855, 375));
    auto* controls =
        addButton(this, "Command6", QString::fromUtf8("操作"), twipsRect(2640, 1080, 855, 375));
    auto* author =
        addButton(this, "Command8", QString::fromUtf8("作者"), twipsRect(2640, 1560, 855, 375));
    auto* levels = addButton(this, "Command2", QString::fromUtf8("关数"),
                             twipsRect(2640, 2040, 855, 375), false);
    auto* ok =
        addButton(this, "Command1", QString::fromUtf8("确定"), twipsRect(960, 2640, 855, 375));

    connect(rewards, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(controls, &QPushButton::clicked, this, &Form2::Command6_Click);
    connect(author, &QPushButton::clicked, this, &Form2::Command8_Click);
    connect(levels, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(ok, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::Command3_Click() {
    t_->setText(QString::fromUtf8(RewardsText));
}

void Form2::Command6_Click() {
    t_->setText(QString::fromUtf8(ControlsText));
}

void Form2::Command8_Click() {
    t_->setText(authorText());
}

void Form2::Command2_Click() {
    t_->setText(QString::fromUtf8(LevelsText));
}

void Form2::Command1_Click() {
    close();
}

void Form2::closeEvent(QCloseEvent* event) {
    game_.services.shell.setMainWindowEnabled(true);
    game_.paused = false;
    QWidget::closeEvent(event);
}

} // namespace kelvarn
