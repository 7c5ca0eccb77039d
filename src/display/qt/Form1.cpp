#include "display/qt/Form1.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QPainter>

#include "display/Form1Layout.h"
#include "display/qt/QtTextPrinter.h"
#include "platform/qt/QtLayout.h"

namespace kelvarn {

// ---- board ----

BoardView::BoardView(const BoardLayers& layers, const Sprites& sprites, const QtTextPrinter* text,
                     QWidget* parent)
    : QFrame(parent), board_(layers.MainBoard),
      ground_(BoardLayers::Width, BoardLayers::Height, BoardLayers::Colour),
      scaler_(layers, ground_, text) {
    ground_.clearToPicture(sprites.boardBackground, BoardLayers::Colour);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardView::boardChanged() {
    if (!scaled()) {
        update();
        return;
    }
    scaler_.setScale(devicePixelRatioF());
    const QRegion changed = scaler_.update();
    if (!changed.isEmpty()) {
        update(changed.translated(contentsRect().topLeft()));
    }
}

void BoardView::boardChanged(const BoardRegion& changed) {
    if (!scaled()) {
        // The painter's rectangles are disjoint and banded, as a region holds them.
        const std::vector<Rect>& rects = changed.rects();
        std::vector<QRect> parts;
        parts.reserve(rects.size());
        const QPoint origin = contentsRect().topLeft();
        for (const Rect& r : rects) {
            parts.emplace_back(origin.x() + r.x, origin.y() + r.y, r.width, r.height);
        }
        if (!parts.empty()) {
            QRegion region;
            region.setRects(parts.data(), int(parts.size()));
            update(region);
        }
        return;
    }
    scaler_.setScale(devicePixelRatioF());
    const QRegion region = scaler_.update(changed);
    if (!region.isEmpty()) {
        update(region.translated(contentsRect().topLeft()));
    }
}

void BoardView::paintEvent(QPaintEvent* event) {
    const QRect inside = contentsRect();
    const QRegion& region = event->region();
    // The sunken border is drawn only when the repaint reaches it.
    if (!inside.contains(region.boundingRect())) {
        QFrame::paintEvent(event);
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (scaled() && (scaler_.scale() != devicePixelRatioF() || scaler_.image().isNull())) {
        // A new screen, or the first paint: draw the whole picture for it.
        scaler_.setScale(devicePixelRatioF());
        scaler_.update();
    }
    // The board's own pixels, wrapped without a copy, or the screen's picture of them.
    const QImage board(reinterpret_cast<const uchar*>(board_.data()), board_.width(),
                       board_.height(), qsizetype(board_.width()) * 4, QImage::Format_RGB32);
    const QImage& image = scaled() ? scaler_.image() : board;
    // Rectangle by rectangle, each the only clip, so that each copy is one plain block of pixels:
    // under a clip of many rectangles the toolkit draws the image span by span, handing the spans
    // to helper threads.
    for (const QRect& part : region) {
        const QRect target = part & inside;
        if (!target.isEmpty()) {
            painter.setClipRect(target);
            painter.drawImage(inside.topLeft(), image);
        }
    }
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove) {
        onMouseMove();
    }
    event->accept();
}

// ---- labels ----

void PointerLabel::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove) {
        onMouseMove();
    }
    event->accept();
}

void PointerLabel::mousePressEvent(QMouseEvent* event) {
    if (onMouseDown) {
        onMouseDown();
    }
    event->accept();
}

void PointerLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (onMouseUp) {
        onMouseUp();
    }
    // A click is a press and a release over the label.
    if (onClick && rect().contains(event->position().toPoint())) {
        onClick();
    }
    event->accept();
}

// ---- the window ----

Form1::Form1(Form1Logic& logic, QWidget* parent) : QMainWindow(parent), logic_(logic) {
    const WindowLayout& form = form1Layout();
    setObjectName(qtText(form.name));
    setWindowTitle(qtText(form.caption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    background_ = new QWidget(this);
    background_->setObjectName(QStringLiteral("FormBackground"));
    background_->setFixedSize(innerSize(form));
    background_->setAutoFillBackground(true);
    background_->setMouseTracking(true);
    background_->setFocusPolicy(Qt::StrongFocus);
    setCentralWidget(background_);
    setMouseTracking(true);
    setWindowColour(qtColour(form.background.value_or(Rgb{})));
    setTextColour(*background_, qtColour(form.textColour.value_or(Rgb{})));

    MainBoard = new BoardView(logic.layers, logic.sprites,
                              dynamic_cast<const QtTextPrinter*>(&logic.text), background_);
    applyRow(*MainBoard, form.row("MainBoard"));
    MainBoard->onMouseMove = [this] { MainBoard_MouseMove(); };

    const auto label = [this, &form](const char* name) {
        const LayoutRow& row = form.row(name);
        auto* made = new PointerLabel(qtText(row.text), background_);
        applyRow(*made, row);
        made->setMouseTracking(true);
        return made;
    };
    Label1 = label("Label1");
    Label1->onMouseMove = [this] { Label1_MouseMove(); };

    // The studio's name does nothing, but it is not the background either: the pointer over it
    // brings up the author's line and leaves the underline and the exit label as they are.
    TXT = label("TXT");

    picexit = label("picexit");
    picexit->onMouseMove = [this] { picexit_MouseMove(); };
    picexit->onMouseDown = [this] { picexit_MouseDown(); };
    picexit->onMouseUp = [this] { picexit_MouseUp(); };

    Shape1 = qobject_cast<QFrame*>(buildRow(*background_, form.row("Shape1")));

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    background_->setFocus();
}

void Form1::showEvent(QShowEvent* event) {
    // The window's inner area, below the title bar and the menu bar, stands where the layout
    // places it. The menu bar is inside the window, so the window begins that much
    // higher; where the desktop shows the menu bar elsewhere the two coincide.
    if (!placed_) {
        placed_ = true;
        layout()->activate();
        const QPoint inner = background_->mapTo(this, QPoint(0, 0));
        const TwipsPoint at = form1Layout().place.at;
        setGeometry(QRect(QPoint(twipsToPixels(at.left), twipsToPixels(at.top)) - inner, size()));
    }
    QMainWindow::showEvent(event);
}

void Form1::setWindowColour(QColor colour) {
    QPalette palette = background_->palette();
    palette.setColor(QPalette::Window, colour);
    background_->setPalette(palette);
}

void Form1::setExitColour(Rgb colour) {
    setTextColour(*picexit, qtColour(colour));
}

QColor Form1::exitColour() const {
    return picexit->palette().color(QPalette::Active, QPalette::WindowText);
}

// Pointer feedback. There are no leave events: the underline goes and the exit label calms down
// only when the pointer next moves over the window's background or the board.
void Form1::Form_MouseMove() {
    Shape1->hide();
    setExitColour(ExitLabelColours::rest);
}

void Form1::MainBoard_MouseMove() {
    Shape1->hide();
    setExitColour(ExitLabelColours::rest);
}

void Form1::Label1_MouseMove() {
    Shape1->show();
}

void Form1::picexit_MouseMove() {
    setExitColour(ExitLabelColours::hover);
}

void Form1::picexit_MouseDown() {
    setExitColour(ExitLabelColours::pressed);
}

void Form1::picexit_MouseUp() {
    setExitColour(ExitLabelColours::pressed);
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QMainWindow::mouseMoveEvent(event);
}

// ---- keys ----

void Form1::keyPressEvent(QKeyEvent* event) {
    // Auto-repeat presses come here too: holding two arrows keeps the speed gauge at 0.
    logic_.Form_KeyDown();
    event->accept();
}

void Form1::keyReleaseEvent(QKeyEvent* event) {
    // Holding a key produces no release until it is really let go.
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    logic_.Form_KeyUp(event->key() == Qt::Key_A ? int(KeyA) : event->key());
    event->accept();
}

// ---- closing ----

void Form1::unload() {
    if (unloaded_) {
        return;
    }
    unloading_ = true;
    close();
    unloading_ = false;
}

void Form1::closeSilently() {
    closingSilently_ = true;
    close();
}

void Form1::closeEvent(QCloseEvent* event) {
    if (unloaded_ || closingSilently_) {
        unloaded_ = true;
        event->accept();
        return;
    }
    if (unloading_) {
        unloaded_ = true;
        logic_.Form_Unload();
        event->accept();
        return;
    }
    // Closed through the title bar: leave the way the exit commands do, so that a score that
    // makes the list is offered before the program ends.
    event->ignore();
    if (isEnabled()) {
        logic_.closeFromTitleBar();
    }
}

} // namespace kelvarn
