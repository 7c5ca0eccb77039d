#include "scores/qt/Form2.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include "game/GameEdit.h"
#include "platform/qt/QtLayout.h"
#include "scores/WindowLayouts.h"

namespace kelvarn {

Form2::Form2(GameEdit& game, QWidget* parent) : QWidget(parent), game_(game) {
    const WindowLayout& layout = form2Layout();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setUpWindow(*this, layout);
    placeWindow(*this, layout);

    const auto built = buildRows(*this, layout);
    t_ = qobject_cast<QLabel*>(built.at("t"));
    const auto click = [&built](const char* name) {
        return qobject_cast<QPushButton*>(built.at(name));
    };
    connect(click("Command3"), &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(click("Command6"), &QPushButton::clicked, this, &Form2::Command6_Click);
    connect(click("Command8"), &QPushButton::clicked, this, &Form2::Command8_Click);
    connect(click("Command2"), &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(click("Command1"), &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::Command3_Click() {
    t_->setText(qtText(HelpTexts::rewards()));
}

void Form2::Command6_Click() {
    t_->setText(qtText(HelpTexts::controls()));
}

void Form2::Command8_Click() {
    t_->setText(qtText(HelpTexts::author()));
}

void Form2::Command2_Click() {
    t_->setText(qtText(HelpTexts::levels()));
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
