// The main window: the menu bar, the board with its sunken border, the three labels below it and
// the underline of the address label. It owns no game rules: events go to Form1Logic and the
// board shows the surface the painter composed.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <functional>

#include "display/Form1Logic.h"
#include "display/qt/BoardScaler.h"

namespace kelvarn {

// The visible play field: 400 x 360 pixels inside a 2-pixel sunken border. On a screen with one
// device pixel per board pixel it shows the board as it is; on a high-density screen, a picture
// of the screen's own size in which every board pixel covers the same area and the status lines
// are drawn at the screen's resolution (see BoardScaler).
class BoardView : public QFrame {
    Q_OBJECT
  public:
    // `text`, when given, is the printer of the board's status lines.
    BoardView(const BoardLayers& layers, const Sprites& sprites, const QtTextPrinter* text,
              QWidget* parent);
    std::function<void()> onMouseMove;

    // The painter has drawn a new frame: repaint what changed.
    void boardChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    // More than one device pixel per board pixel. (A screen with fewer shows the board as it is,
    // shrunk by the toolkit.)
    bool scaled() const { return devicePixelRatioF() > 1.0; }

    const Surface& board_;
    Surface ground_; // the cleared board: its colour and background picture
    BoardScaler scaler_;
};

// A label that reports the pointer moving over it, buttons going down and up, and clicks.
class PointerLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    std::function<void()> onMouseMove, onMouseDown, onMouseUp, onClick;

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class Form1 : public QMainWindow {
    Q_OBJECT
  public:
    Form1(Form1Logic& logic, QWidget* parent = nullptr);

    BoardView* MainBoard = nullptr;
    // The clicks of the address and the exit label are the menu commands'; whoever builds the
    // window wires them.
    PointerLabel* Label1 = nullptr;
    PointerLabel* TXT = nullptr;
    PointerLabel* picexit = nullptr;
    QFrame* Shape1 = nullptr;

    void setWindowColour(QColor colour);
    void setExitColour(Rgb colour);
    QColor exitColour() const;

    // Closes the window for good: its unload handler runs, and it never comes back.
    void unload();
    bool unloaded() const { return unloaded_; }
    // The program is ending: close without the unload handler.
    void closeSilently();

    // ---- pointer feedback ----
    void Form_MouseMove();
    void MainBoard_MouseMove();
    void Label1_MouseMove();
    void picexit_MouseMove();
    void picexit_MouseDown();
    void picexit_MouseUp();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    Form1Logic& logic_;
    QWidget* background_ = nullptr;
    bool unloaded_ = false;
    bool closingSilently_ = false;
    bool unloading_ = false;
    bool placed_ = false;
};

} // namespace kelvarn
