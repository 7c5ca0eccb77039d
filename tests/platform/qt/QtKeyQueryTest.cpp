#include <gtest/gtest.h>

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
// for its press. A quick second tap must not leave the first release behind its own press.
TEST(QtKeyQuery, AHeldBackReleaseGoesFirstWhenTheKeyComesAgain) {
    QtKeyQuery keys;
    keys.setHoldBackReleases(true);
    qApp->installEventFilter(&keys);
    struct Target : QWidget {
        std::vector<QEvent::Type> seen;
        bool event(QEvent* e) override {
            if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
                seen.push_back(e->type());
            }
            return QWidget::event(e);
        }
    } target;
    auto send = [&](QEvent::Type type, quint64 timestamp) {
        QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier, 65, 32, 0, QStringLiteral(" "));
        e.setTimestamp(timestamp);
        QApplication::sendEvent(&target, &e);
    };
    using T = std::vector<QEvent::Type>;

    send(QEvent::KeyPress, 1000);
    send(QEvent::KeyRelease, 1500); // the display's repeat: a release and a press, one timestamp
    send(QEvent::KeyPress, 1500);
    EXPECT_EQ(target.seen, (T{QEvent::KeyPress, QEvent::KeyPress})) << "a repeat is no release";

    send(QEvent::KeyRelease, 2000);
    EXPECT_EQ(target.seen.size(), 2U) << "a release waits for a press that pairs with it";
    send(QEvent::KeyPress, 2010); // tapped again at once
    EXPECT_EQ(target.seen,
              (T{QEvent::KeyPress, QEvent::KeyPress, QEvent::KeyRelease, QEvent::KeyPress}));
    QTest::qWait(60);
    EXPECT_TRUE(keys.keyPressed(KeySpace));
    EXPECT_TRUE(keys.keyPressed(KeySpace)) << "the key is down while it is held";

    send(QEvent::KeyRelease, 2100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return target.seen.size() == 5; }, 1000));
    EXPECT_EQ(target.seen.back(), QEvent::KeyRelease);
    EXPECT_FALSE(keys.keyPressed(KeySpace)) << "up once really released";
    qApp->removeEventFilter(&keys);
}

} // namespace
} // namespace kelvarn::test
