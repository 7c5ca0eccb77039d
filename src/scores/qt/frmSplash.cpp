#include "scores/qt/frmSplash.h"

#include <QPushButton>

#include "platform/qt/QtLayout.h"
#include "scores/WindowLayouts.h"

namespace kelvarn {

frmSplash::frmSplash(QWidget* parent) : QWidget(parent) {
    const WindowLayout& layout = frmSplashLayout();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setUpWindow(*this, layout);
    placeWindow(*this, layout);

    const auto built = buildRows(*this, layout);
    connect(qobject_cast<QPushButton*>(built.at("Command1")), &QPushButton::clicked, this,
            &frmSplash::Command1_Click);
}

void frmSplash::Command1_Click() {
    close();
}

} // namespace kelvarn
