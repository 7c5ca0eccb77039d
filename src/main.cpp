// Kelvarn: steer the warship, sink the submarines, dodge the bombs.
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <cstdio>
#include <cstdlib>

#include "app/GameApplication.h"
#include "platform/qt/WindowSystem.h"

namespace {

// Without a display Qt would abort with a long message; say it in one line instead. A display
// that is named but cannot be reached is caught as the application starts (WindowSystemGuard).
bool displayAvailable() {
    if (std::getenv("QT_QPA_PLATFORM") != nullptr) {
        return true;
    }
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

void useInstalledFaces() {
    // The windows name the classic Song face; show it with an installed Song/Ming face, and
    // Verdana with a close sans-serif face.
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
                                QStringLiteral("Noto Serif CJK SC"),
                                QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans"),
                                                           QStringLiteral("WenQuanYi Zen Hei")});
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(9);
    QApplication::setFont(font);
}

// With KELVARN_REPORT_FIRST_FRAME=1 the program says on stderr when the board is first painted and
// when it first shows a frame of play, for start-up measurements.
class FirstFrameReport : public QObject {
  public:
    explicit FirstFrameReport(kelvarn::GameApplication& game) : game_(game) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !boardPainted_) {
            boardPainted_ = true;
            std::fprintf(stderr, "kelvarn: board painted\n");
        }
        if (event->type() == QEvent::Paint && game_.driver().framesRun() > 0) {
            watched->removeEventFilter(this);
            std::fprintf(stderr, "kelvarn: first frame painted\n");
        }
        return false;
    }

  private:
    kelvarn::GameApplication& game_;
    bool boardPainted_ = false;
};

} // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "kelvarn: no display found (DISPLAY is not set); start it on a virtual "
                     "display with: xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    kelvarn::WindowSystemGuard guard;
    QApplication app(argc, argv);
    guard.release();
    QApplication::setApplicationName(QStringLiteral("Kelvarn"));
    QApplication::setOrganizationName(QStringLiteral("Kelvarn"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Kelvarn"));
    useInstalledFaces();

    kelvarn::GameApplication game(QCoreApplication::applicationDirPath());
    FirstFrameReport report(game);
    if (qEnvironmentVariableIntValue("KELVARN_REPORT_FIRST_FRAME") == 1) {
        game.mainWindow()->MainBoard->installEventFilter(&report);
    }
    game.start();
    return QApplication::exec();
}
