#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include "platform/qt/QtKeyQuery.h"

namespace kelvarn::test {
namespace {

TEST(QtKeyQuery, FollowsTheApplicationsKeyEvents) {
    QtKeyQuery keys;
    keys.setHoldBackReleases(false);
    qApp->installEventFilter(&keys);
    QWidget target;
    auto send = [&](QEvent::Type type, int key, bool repeat = false) {
        QKeyEvent e(type, key, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(&target, &e);
    };
    send(QEvent::KeyPress, Qt::Key_Up);
    send(QEvent::KeyRelease, Qt::Key_Up, true);
    EXPECT_TRUE(keys.keyPressed(KeyUp));
    EXPECT_TRUE(keys.keyPressed(KeyUp)) << "an auto-repeat release leaves the key down";
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QApplication::sendEvent(&target, &deactivate);
    EXPECT_FALSE(keys.keyPressed(KeyUp)) << "no key stays down once the keyboard is gone";
    qApp->removeEventFilter(&keys);
}

// Where the display repeats a held key as a release and a press, each release waits a moment
// for its press. A release that goes on must reach the handlers before any later event.
TEST(QtKeyQuery, HeldBackReleasesPairWithRepeatsOrGoOnBeforeLaterEvents) {
    QtKeyQuery keys;
    keys.setHoldBackReleases(true);
    qApp->installEventFilter(&keys);
    struct Target : QWidget {
        std::vector<std::pair<QEvent::Type, int>> seen;
        bool event(QEvent* e) override {
            if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
                seen.emplace_back(e->type(), static_cast<QKeyEvent*>(e)->key());
            }
            return QWidget::event(e);
        }
    } target;
    auto send = [&](QEvent::Type type, quint64 timestamp, int key = Qt::Key_Space) {
        QKeyEvent e(type, key, Qt::NoModifier, key == Qt::Key_Space ? 65 : 113, key, 0, QString());
        e.setTimestamp(timestamp);
        QApplication::sendEvent(&target, &e);
    };
    using Seen = std::vector<std::pair<QEvent::Type, int>>;
    constexpr auto Press = QEvent::KeyPress;
    constexpr auto Release = QEvent::KeyRelease;

    send(Press, 1000);
    for (quint64 t = 1500; t < 11500; t += 33) { // ten seconds of the display's repeats
        send(Release, t);
        send(Press, t);
    }
    EXPECT_EQ(target.seen.size(), 305U);
    EXPECT_TRUE(std::all_of(target.seen.begin(), target.seen.end(), [](const auto& e) {
        return e.first == Press;
    })) << "a repeat is no release";
    EXPECT_EQ(keys.heldCopies(), 0U) << "no copy is kept of a release that paired up";
    target.seen.clear();

    send(Release, 12000);
    EXPECT_TRUE(target.seen.empty()) << "a release waits for a press that pairs with it";
    send(Press, 12010);               // tapped again at once
    send(Release, 12050);             // and released ...
    send(Press, 12055, Qt::Key_Left); // ... just before another key goes down
    EXPECT_EQ(target.seen, (Seen{{Release, Qt::Key_Space},
                                 {Press, Qt::Key_Space},
                                 {Release, Qt::Key_Space},
                                 {Press, Qt::Key_Left}}));
    EXPECT_TRUE(keys.keyPressed(KeyLeft));
    EXPECT_TRUE(keys.keyPressed(KeySpace)) << "pressed since the last query";
    EXPECT_FALSE(keys.keyPressed(KeySpace));

    send(Release, 12100, Qt::Key_Left);
    EXPECT_TRUE(QTest::qWaitFor([&] { return target.seen.size() == 5; }, 1000));
    EXPECT_EQ(target.seen.back(), std::make_pair(Release, int(Qt::Key_Left)));
    EXPECT_EQ(keys.heldCopies(), 0U);
    qApp->removeEventFilter(&keys);
}

} // namespace
} // namespace kelvarn::test
