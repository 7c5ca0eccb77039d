#include "scores/qt/frmHelp.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "game/GameEdit.h"
#include "platform/qt/QtLayout.h"
#include "scores/Maker.h"
#include "scores/WindowLayouts.h"

namespace kelvarn {

frmHelp::frmHelp(GameEdit& game, QWidget* parent) : QWidget(parent), game_(game) {
    const WindowLayout& layout = frmHelpLayout();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setUpWindow(*this, layout);
    placeWindow(*this, layout);

    const auto built = buildRows(*this, layout);
    address_ = qobject_cast<QLabel*>(built.at("Label4"));
    address_->installEventFilter(this);
    connect(qobject_cast<QPushButton*>(built.at("Command1")), &QPushButton::clicked, this,
            &frmHelp::Command1_Click);
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
