#include "platform/qt/QtServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <chrono>

#if KELVARN_HAVE_XCB_XKB
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
// The C header names a field `explicit`.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#endif

namespace kelvarn {

std::uint32_t QtTickCounter::tickCount() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms);
}

// ---- keyboard ----

int QtKeyQuery::keyCodeFor(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Space:
        return KeySpace;
    case Qt::Key_Left:
        return KeyLeft;
    case Qt::Key_Up:
        return KeyUp;
    case Qt::Key_Right:
        return KeyRight;
    case Qt::Key_A:
        return KeyA;
    default:
        return 0;
    }
}

bool QtKeyQuery::keyPressed(int key) {
    const bool pressed = down_.count(key) > 0 || latched_.count(key) > 0;
    latched_.erase(key);
    return pressed;
}

namespace {
// How long a release waits for the press that would make it an auto-repeat. Far below a frame.
constexpr int RepeatPairWaitMs = 20;

// Asks the X server to repeat a held key with presses alone (XKB's detectable auto-repeat), so
// that every release it sends is a real one. False where it cannot (not X11, no XKB).
bool serverSendsOnlyRealReleases() {
#if KELVARN_HAVE_XCB_XKB
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return false;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return false;
    }
    const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(connection, &xcb_xkb_id);
    if (xkb == nullptr || xkb->present == 0U) {
        return false;
    }
    // Qt has already agreed on the XKB version with the server, which the request needs.
    constexpr std::uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    xcb_xkb_per_client_flags_reply_t* reply = xcb_xkb_per_client_flags_reply(
        connection,
        xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0),
        nullptr);
    const bool granted = reply != nullptr && (reply->value & flag) != 0U;
    std::free(reply);
    return granted;
#else
    return false;
#endif
}
} // namespace

QtKeyQuery::QtKeyQuery(QObject* parent) : QObject(parent) {
    // Without the server's help, X11 repeats a held key as a release and a press, and a release
    // must wait to be told apart.
    holdBackReleases_ =
        QGuiApplication::platformName() == QLatin1String("xcb") && !serverSendsOnlyRealReleases();
}

bool QtKeyQuery::eventFilter(QObject* watched, QEvent* event) {
    // A key event travels from the focus widget up to its window; every step sets the same state,
    // so seeing it more than once changes nothing.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (!delivering_ && takeBackHeldRelease(watched, *keyEvent)) {
            return true; // held back in turn, or delivered again after the release before it
        }
        if (const int code = keyCodeFor(keyEvent->key())) {
            if (event->type() == QEvent::KeyPress) {
                down_.insert(code);
                latched_.insert(code);
            } else if (!keyEvent->isAutoRepeat()) {
                down_.erase(code);
            }
        }
    } else if (event->type() == QEvent::ApplicationDeactivate) {
        // Keys released while another application had the focus never reach us.
        down_.clear();
    }
    return QObject::eventFilter(watched, event);
}

bool QtKeyQuery::takeBackHeldRelease(QObject* receiver, QKeyEvent& event) {
    // X11 repeats a held key as a release and a press with one timestamp. Qt calls the release a
    // repeat only if the press is already queued, which it mostly is not; so a release it calls
    // real waits a moment, and a press that pairs with it makes it a repeat.
    const bool press = event.type() == QEvent::KeyPress;
    for (auto it = held_.begin(); it != held_.end(); ++it) {
        if (!sameKey(*it->event, event)) {
            continue;
        }
        if (press && it->event->timestamp() == event.timestamp()) {
            held_.erase(it); // the key never went up
            return false;
        }
        // The key went up before this event of the same key: that comes first.
        deliverHeld(it->id);
        break;
    }
    if (!press && holdBackReleases_ && !event.isAutoRepeat()) {
        const int id = nextHeldId_++;
        held_.push_back({id, receiver, std::unique_ptr<QKeyEvent>(event.clone())});
        QTimer::singleShot(RepeatPairWaitMs, this, [this, id] { deliverHeld(id); });
        return true;
    }
    return false;
}

bool QtKeyQuery::sameKey(const QKeyEvent& a, const QKeyEvent& b) {
    return a.nativeScanCode() != 0 || b.nativeScanCode() != 0
               ? a.nativeScanCode() == b.nativeScanCode()
               : a.key() == b.key();
}

void QtKeyQuery::deliverHeld(int id) {
    for (auto it = held_.begin(); it != held_.end(); ++it) {
        if (it->id != id) {
            continue;
        }
        HeldRelease release = std::move(*it);
        held_.erase(it);
        if (release.receiver) {
            delivering_ = true;
            QCoreApplication::sendEvent(release.receiver, release.event.get());
            delivering_ = false;
        }
        return;
    }
}

// ---- random numbers ----

QtRandom::QtRandom() {
    reseedFromClock();
}

double QtRandom::next() {
    // 53 random bits: 0 <= r < 1.
    return double(engine_() >> 11) * 0x1.0p-53;
}

void QtRandom::reseedFromClock() {
    // Reseeding from the clock twice within one tick must not give the same numbers twice, so
    // the clock is mixed into the running state rather than replacing it.
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{std::uint64_t(now), engine_(), std::uint64_t(now >> 32)};
    engine_.seed(seq);
}

// ---- links ----

void QtLinkOpener::openLink(const std::string& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(address)));
}

// ---- boxes ----

Answer QtDialogs::messageBox(const std::string& text, const std::string& title, Buttons buttons) {
    QWidget* owner = parent ? parent() : nullptr;
    QMessageBox box(owner);
    box.setWindowTitle(QString::fromStdString(title));
    // Texts carry CR LF line breaks; the box wants plain LF.
    box.setText(QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::NoIcon);
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
        box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    }
    const int result = box.exec();
    if (onClosed) {
        onClosed();
    }
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                const std::string& text) {
    QWidget* owner = parent ? parent() : nullptr;
    QInputDialog box(owner);
    box.setWindowTitle(QString::fromStdString(title));
    box.setLabelText(QString::fromStdString(prompt));
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(QString::fromStdString(text));
    box.setOkButtonText(QStringLiteral("确定"));
    box.setCancelButtonText(QStringLiteral("取消"));
    const bool accepted = box.exec() == QDialog::Accepted;
    if (onClosed) {
        onClosed();
    }
    return accepted ? box.textValue().toStdString() : std::string();
}

} // namespace kelvarn
