// The update report: what changed since the previous version. It does not stop the game.
#pragma once

#include <QWidget>

namespace kelvarn {

class frmSplash : public QWidget {
    Q_OBJECT

  public:
    explicit frmSplash(QWidget* parent = nullptr);

    void Command1_Click(); // close
};

} // namespace kelvarn
