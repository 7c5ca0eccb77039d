#include "scores/qt/frmHelp.h"

#include <QCloseEvent>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include "game/GameEdit.h"
#include "scores/Maker.h"
#include "scores/qt/TwipsLayout.h"

namespace kelvarn {

frmHelp::frmHelp(GameEdit& game, QWidget* parent) : QWidget(parent), game_(game) {
    setUpFixedWindow(*this, "frmHelp", QString::fromUtf8("关于Kelvarn"), 3315, 3375);
    placeWindowAt(*this, 3930, 1830);

    // The logo sits inside a sunken border two pixels wide.
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Picture1"));
    logo->setGeometry(twipsRect(240, 0, 1035, 465));
    logo->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    logo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    logo->setPixmap(QPixmap(QStringLiteral(":/pictures/frmHelp_Picture1.png")));

    QLabel* title =
        addLabel(this, "Label2", QStringLiteral("Kelvarn"), twipsRect(1440, 120, 1575, 255));
    QFont titleFont(QString::fromUtf8("宋体"));
    titleFont.setPointSizeF(10.5);
    title->setFont(titleFont);

    addLabel(this, "Label6", QString::fromUtf8(maker::Author), twipsRect(240, 600, 2295, 255));
    addLabel(this, "Label1", QString::fromUtf8(maker::Studio), twipsRect(240, 960, 2895, 255));
    addLabel(this, "Label7", QString::fromUtf8("当前版本： 3.0"), twipsRect(240, 1320, 1455, 255));
    auto* ok =
        addButton(this, "Command1", QString::fromUtf8("确定"), twipsRect(2160, 1440, 975, 375));
    addLabel(this, "Label3", QString::fromUtf8("绿色软件 免费传播"),
             twipsRect(240, 1680, 1815, 255));

    auto* contact = new QGroupBox(QString::fromUtf8("联系方式"), this);
    contact->setObjectName(QStringLiteral("Frame1"));
    contact->setGeometry(twipsRect(120, 2040, 3015, 1215));
    address_ = addLabel(contact, "Label4",
                        QString::fromUtf8("网址：") + QString::fromUtf8(maker::HomePage),
                        twipsRect(120, 360, 2415, 255));
    address_->setCursor(Qt::CrossCursor);
    address_->installEventFilter(this);
    addLabel(contact, "Label5", QString::fromUtf8("电子邮件：") + QString::fromUtf8(maker::Email),
             twipsRect(120, 720, 2775, 255));

    connect(ok, &QPushButton::clicked, this, &frmHelp::Command1_Click);
}

void frmHelp::Command1_Click() {
    close();
}

void frmHelp::Label4_Click() {
    game_.openLink(maker::HomePage);
}

void frmHelp::closeEvent(QCloseEvent* event) {
    game_.services.shell.setMainWindowEnabled(true);
    game_.paused = false;
    QWidget::closeEvent(event);
}

// A click on the address is a left button released over it.
bool frmHelp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == address_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            address_->rect().contains(mouse->position().toPoint())) {
            Label4_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kelvarn
