#include "scores/qt/High.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "platform/qt/QtLayout.h"
#include "scores/WindowLayouts.h"

namespace kelvarn {
namespace {

// The rules end lines with CR LF; a label breaks lines at LF.
QString labelText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

template <class Widget>
Widget* control(const std::map<std::string, QWidget*>& built, const char* name) {
    return qobject_cast<Widget*>(built.at(name));
}

} // namespace

High::High(GameEdit& game, bool afterRecord, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      logic_(game), afterRecord_(afterRecord), background_(picturePath(highLayout().picture)) {
    const WindowLayout& layout = highLayout();
    setAttribute(Qt::WA_DeleteOnClose);
    setUpWindow(*this, layout);
    placeWindow(*this, layout);

    const auto built = buildRows(*this, layout);
    Shape1 = built.at("Shape1");
    lblScore = control<QLabel>(built, "lblScore");
    Command2 = control<QPushButton>(built, "Command2");
    Command1 = control<QPushButton>(built, "Command1");
    connect(Command2, &QPushButton::clicked, this, &High::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &High::Command1_Click);
    if (afterRecord_) {
        Command2->hide();
        Command1->move(twipsToPixels(HighWindowPlan::exitAfterRecord.left),
                       twipsToPixels(HighWindowPlan::exitAfterRecord.top));
    }

    Timer1 = new QTimer(this);
    Timer1->setInterval(HighWindowPlan::blinkIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &High::Timer1_Timer);
    Timer1->start();

    Form_Activate();
}

void High::Form_Activate() {
    lblScore->setText(labelText(logic_.text()));
}

void High::Command1_Click() {
    closingByButton_ = true;
    logic_.Command1_Click();
    close();
}

void High::Command2_Click() {
    closingByButton_ = true;
    logic_.Command2_Click();
    close();
}

void High::Timer1_Timer() {
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->property("tag").toString() == QStringLiteral("1")) {
            label->setVisible(label->isHidden());
        }
    }
}

bool High::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        Form_Activate();
    }
    return QWidget::event(event);
}

void High::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (background_.isNull()) {
        painter.fillRect(rect(), qtColour(highLayout().background.value_or(Rgb{})));
    } else {
        painter.drawPixmap(0, 0, background_);
    }
}

void High::closeEvent(QCloseEvent* event) {
    if (!closingByButton_) {
        closingByButton_ = true;
        if (afterRecord_) {
            logic_.Command1_Click();
        } else {
            logic_.Command2_Click();
        }
    }
    event->accept();
}

} // namespace kelvarn
