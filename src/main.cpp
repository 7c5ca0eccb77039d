// Kelvarn: steer the warship, sink the submarines, dodge the bombs.
#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>

#include "display/qt/GameApplication.h"

namespace {

// Without a display Qt would abort with a long message; say it in one line instead.
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

} // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "kelvarn: no display found (DISPLAY is not set); start it on a virtual "
                     "display with: xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvarn"));
    QApplication::setOrganizationName(QStringLiteral("Kelvarn"));
    useInstalledFaces();

    kelvarn::GameApplication game(QCoreApplication::applicationDirPath());
    game.start();
    return QApplication::exec();
}
