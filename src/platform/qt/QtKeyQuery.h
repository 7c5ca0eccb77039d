// The keyboard on Qt, kept from the key events the application receives.
#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <deque>
#include <memory>
#include <set>

#include "platform/Services.h"

namespace kelvarn {

// Keeps the state of every key from the key events the application receives (an application-wide
// event filter, so it sees them whichever widget has the focus). Auto-repeat releases are ignored:
// a key held down stays down until it is really released. On X11 the server is asked to repeat a
// held key with presses alone; where it cannot, each release is held back a moment to see whether
// it is half of a repeat.
class QtKeyQuery : public QObject, public KeyQuery {
    Q_OBJECT
  public:
    explicit QtKeyQuery(QObject* parent = nullptr);
    bool keyPressed(int key) override;
    // The game's key code for a Qt key, or 0 for keys the game never asks about.
    static int keyCodeFor(int qtKey);
    // Whether releases are held back to be paired with a repeat press (chosen at construction).
    bool holdsBackReleases() const { return holdBackReleases_; }
    void setHoldBackReleases(bool on) { holdBackReleases_ = on; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A release held back until it is known not to be half of an X11 auto-repeat pair.
    struct HeldRelease {
        int id;
        QPointer<QObject> receiver;
        std::unique_ptr<QKeyEvent> event;
    };
    // Pairs a key event with a release of the same key that is being held back: a press with its
    // timestamp cancels it, any other event of that key delivers it first. Holds the event back
    // itself (true) when it is a release that must wait.
    bool takeBackHeldRelease(QObject* receiver, QKeyEvent& event);
    static bool sameKey(const QKeyEvent& a, const QKeyEvent& b);
    void deliverHeld(int id);

    std::set<int> down_;
    std::set<int> latched_;
    std::deque<HeldRelease> held_;
    int nextHeldId_ = 0;
    bool delivering_ = false;
    bool holdBackReleases_ = false;
};

} // namespace kelvarn
