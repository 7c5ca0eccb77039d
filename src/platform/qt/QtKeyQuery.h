// The keyboard on Qt: an application-wide event filter (so it sees key events whichever widget
// has the focus) that hands every key event to the key tracker, holds back the releases the
// tracker holds and sends them on to their receivers when the tracker lets them go.
#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <map>
#include <memory>
#include <optional>

#include "platform/KeyTracker.h"
#include "platform/qt/QtTickCounter.h"

namespace kelvarn {

class QtKeyQuery : public QObject, public KeyQuery {
    Q_OBJECT
  public:
    // Holds releases back where the display needs it (chosen here, once, for X11).
    explicit QtKeyQuery(QObject* parent = nullptr);
    bool keyPressed(int key) override { return tracker_.keyPressed(key); }
    // The game's key code for a Qt key, or 0 for keys the game never asks about.
    static int keyCodeFor(int qtKey);
    bool holdsBackReleases() const { return tracker_.holdsBackReleases(); }
    void setHoldBackReleases(bool on) { tracker_.setHoldBackReleases(on); }
    // Copies of releases waiting to be sent on.
    std::size_t heldCopies() const { return held_.size(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct HeldRelease {
        QPointer<QObject> receiver;
        std::unique_ptr<QKeyEvent> event;
    };
    // Sends a held release on to its receiver, if that still lives.
    void sendOn(int id);
    void sendOnDue();
    void waitForNextDue();

    KeyTracker tracker_;
    QtTickCounter clock_;
    std::map<int, HeldRelease> held_;
    QTimer dueTimer_;
    bool sendingOn_ = false;
};

} // namespace kelvarn
