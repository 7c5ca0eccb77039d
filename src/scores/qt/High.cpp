#include "scores/qt/High.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "scores/qt/TwipsLayout.h"

namespace kelvarn {
namespace {

// A rectangle drawn as a one-pixel outline inside its bounds.
class OutlineShape : public QWidget {
  public:
    OutlineShape(QColor colour, QWidget* parent) : QWidget(parent), colour_(colour) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(colour_);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

  private:
    QColor colour_;
};

// The rules end lines with CR LF; a label breaks lines at LF.
QString labelText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

} // namespace

High::High(GameEdit& game, bool afterRecord, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      logic_(game), afterRecord_(afterRecord), background_(QStringLiteral(":/pictures/High.png")) {
    setObjectName(QStringLiteral("High"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("英雄榜 3.0"));
    setFixedSize(twipsToPixels(3105), twipsToPixels(4605));
    placeWindowAt(*this, 4095, 1665);

    Shape1 = new OutlineShape(QColor(192, 192, 192), this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(twipsRect(240, 120, 2715, 4035));

    // Names come from the file and the player: the list is plain text, never markup.
    lblScore = addLabel(this, "lblScore", QString(), twipsRect(240, 120, 2745, 4035), true);
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(9.75);
    lblScore->setFont(font);
    QPalette palette = lblScore->palette();
    palette.setColor(QPalette::WindowText, QColor(224, 224, 224));
    lblScore->setPalette(palette);
    lblScore->setAutoFillBackground(false);

    Command2 = addButton(this, "Command2", QStringLiteral("返回"), twipsRect(600, 4200, 735, 375));
    Command1 = addButton(this, "Command1", QStringLiteral("退出"), twipsRect(1920, 4200, 735, 375));
    connect(Command2, &QPushButton::clicked, this, &High::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &High::Command1_Click);
    if (afterRecord_) {
        // About the middle of the width, and mostly below the bottom edge.
        Command2->hide();
        Command1->move(twipsToPixels(1200), twipsToPixels(4560));
    }

    Timer1 = new QTimer(this);
    Timer1->setInterval(200);
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
        painter.fillRect(rect(), QColor(16, 24, 40));
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
