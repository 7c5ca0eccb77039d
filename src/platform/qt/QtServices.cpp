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

namespace kelvarn {

std::uint32_t QtTickCounter::tickCount() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms);
}

// ---- keyboard ----

QtKeyQuery::QtKeyQuery(QObject* parent) : QObject(parent) {}

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
} // namespace

bool QtKeyQuery::eventFilter(QObject* watched, QEvent* event) {
    // A key event travels from the focus widget up to its window; every step sets the same state,
    // so seeing it more than once changes nothing.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        // X11 repeats a held key as a release and a press with one timestamp. Qt calls the
        // release a repeat only if the press is already queued, which it mostly is not; so a
        // release it calls real waits a moment, and a press that pairs with it makes it a repeat.
        if (event->type() == QEvent::KeyRelease && !keyEvent->isAutoRepeat() && !delivering_ &&
            event->spontaneous() && QGuiApplication::platformName() == QLatin1String("xcb")) {
            const int id = nextHeldId_++;
            held_.push_back({id, watched, std::unique_ptr<QKeyEvent>(keyEvent->clone())});
            QTimer::singleShot(RepeatPairWaitMs, this, [this, id] { deliverHeld(id); });
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            for (auto it = held_.begin(); it != held_.end(); ++it) {
                if (it->event->nativeScanCode() == keyEvent->nativeScanCode() &&
                    it->event->timestamp() == keyEvent->timestamp()) {
                    held_.erase(it); // the key never went up
                    break;
                }
            }
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

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title) {
    QWidget* owner = parent ? parent() : nullptr;
    QInputDialog box(owner);
    box.setWindowTitle(QString::fromStdString(title));
    box.setLabelText(QString::fromStdString(prompt));
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(QString());
    box.setOkButtonText(QStringLiteral("确定"));
    box.setCancelButtonText(QStringLiteral("取消"));
    const bool accepted = box.exec() == QDialog::Accepted;
    if (onClosed) {
        onClosed();
    }
    return accepted ? box.textValue().toStdString() : std::string();
}

} // namespace kelvarn
