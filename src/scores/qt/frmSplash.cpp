#include "scores/qt/frmSplash.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "scores/qt/TwipsLayout.h"

namespace kelvarn {

frmSplash::frmSplash(QWidget* parent) : QWidget(parent) {
    setUpFixedWindow(*this, "frmSplash", QString::fromUtf8("更新报告"), 4770, 3900);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect inner(QPoint(0, 0), size());
        inner.moveCenter(screen->geometry().center());
        setGeometry(inner);
    }

    addLabel(this, "Label1", QString::fromUtf8("从2.0版本到3.0版本"),
             twipsRect(240, 240, 1815, 255));

    struct ChangeLine {
        const char* name;
        int top;
        const char* text;
    };
    static constexpr ChangeLine changes[] = {
        {"Label2", 720, "1,增加了难度设置"},
        {"Label6", 1080, "2,增加了关数"},
        {"Label5", 1440, "3,增加了更新报告 就是这个"},
        {"Label4", 1800, "4,增加了“定时机器”特技"},
        {"Label3", 2160, "5,取消禁止移动窗体"},
        {"Label9", 2520, "6,能够升级"},
        {"Label7", 2880, "7，减少BUG"},
    };
    for (const ChangeLine& line : changes) {
        addLabel(this, line.name, QString::fromUtf8(line.text),
                 twipsRect(480, line.top, 4095, 255));
    }

    auto* quit =
        addButton(this, "Command1", QString::fromUtf8("退出"), twipsRect(1800, 3480, 1095, 375));
    connect(quit, &QPushButton::clicked, this, &frmSplash::Command1_Click);
}

void frmSplash::Command1_Click() {
    close();
}

} // namespace kelvarn
