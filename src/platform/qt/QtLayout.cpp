#include "platform/qt/QtLayout.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace kelvarn {

namespace {

// A rectangle drawn as a one-pixel outline inside its bounds.
class OutlineShape : public QWidget {
  public:
    OutlineShape(QColor colour, QWidget* parent) : QWidget(parent), colour_(colour) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(colour_);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

  private:
    QColor colour_;
};

QWidget* buildShape(QWidget& parent, const LayoutRow& row) {
    QWidget* shape = nullptr;
    if (row.outlineColour) {
        shape = new OutlineShape(qtColour(*row.outlineColour), &parent);
    } else {
        auto* line = new QFrame(&parent);
        line->setAutoFillBackground(true);
        QPalette palette = line->palette();
        palette.setColor(QPalette::Window, qtColour(row.fillColour.value_or(Rgb{})));
        line->setPalette(palette);
        shape = line;
    }
    shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    return shape;
}

QWidget* buildPicture(QWidget& parent, const LayoutRow& row) {
    auto* picture = new QLabel(&parent);
    if (row.kind == ControlKind::PictureBox) {
        picture->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    picture->setPixmap(QPixmap(picturePath(row.picture)));
    return picture;
}

} // namespace

QFont qtFont(const FontSpec& wanted) {
    QFont font(qtText(wanted.family));
    font.setPointSizeF(wanted.points);
    font.setBold(wanted.bold);
    return font;
}

Qt::CursorShape qtCursor(PointerShape pointer) {
    switch (pointer) {
    case PointerShape::CrossHair:
        return Qt::CrossCursor;
    case PointerShape::ArrowQuestion:
        return Qt::WhatsThisCursor;
    case PointerShape::Arrow:
        break;
    }
    return Qt::ArrowCursor;
}

QString picturePath(const std::string& stem) {
    return QStringLiteral(":/pictures/") + QString::fromStdString(stem) + QStringLiteral(".png");
}

void setUpWindow(QWidget& window, const WindowLayout& layout) {
    window.setObjectName(qtText(layout.name));
    window.setWindowTitle(qtText(layout.caption));
    window.setFixedSize(innerSize(layout));
    if (layout.font.given()) {
        window.setFont(qtFont(layout.font));
    }
}

void placeWindow(QWidget& window, const WindowLayout& layout) {
    QRect inner(QPoint(twipsToPixels(layout.place.at.left), twipsToPixels(layout.place.at.top)),
                window.size());
    if (layout.place.centred) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen == nullptr) {
            return;
        }
        inner.moveCenter(screen->geometry().center());
    }
    window.setGeometry(inner);
}

void setTextColour(QWidget& widget, QColor colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    widget.setPalette(palette);
}

void setRowText(QWidget& widget, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QPushButton*>(&widget)) {
        button->setText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(&widget)) {
        frame->setTitle(text);
    }
}

void applyRow(QWidget& widget, const LayoutRow& row) {
    widget.setObjectName(qtText(row.name));
    widget.setGeometry(qtRect(row.place));
    if (row.font.given()) {
        widget.setFont(qtFont(row.font));
    }
    if (row.textColour) {
        setTextColour(widget, qtColour(*row.textColour));
    }
    if (row.pointer != PointerShape::Arrow) {
        widget.setCursor(qtCursor(row.pointer));
    }
    if (!row.tooltip.empty()) {
        widget.setToolTip(qtText(row.tooltip));
    }
    if (!row.tag.empty()) {
        widget.setProperty("tag", qtText(row.tag));
    }
    if (!row.visible) {
        widget.hide();
    }
}

QWidget* buildRow(QWidget& parent, const LayoutRow& row) {
    QWidget* widget = nullptr;
    switch (row.kind) {
    case ControlKind::Label: {
        // Plain text: texts are shown exactly as written, runs of spaces included, and names
        // that come from a file are never markup.
        auto* label = new QLabel(&parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(row.wrap);
        widget = label;
        break;
    }
    case ControlKind::Button:
        widget = new QPushButton(&parent);
        break;
    case ControlKind::Frame:
        widget = new QGroupBox(&parent);
        break;
    case ControlKind::Image:
    case ControlKind::PictureBox:
        widget = buildPicture(parent, row);
        break;
    case ControlKind::Shape:
    case ControlKind::Board:
        widget = buildShape(parent, row);
        break;
    }
    setRowText(*widget, qtText(row.text));
    applyRow(*widget, row);
    return widget;
}

std::map<std::string, QWidget*> buildRows(QWidget& window, const WindowLayout& layout) {
    std::map<std::string, QWidget*> built;
    for (const LayoutRow& row : layout.rows) {
        QWidget* parent = &window;
        if (!row.parent.empty()) {
            parent = built.at(row.parent);
        }
        built[row.name] = buildRow(*parent, row);
    }
    return built;
}

} // namespace kelvarn
