#include "platform/qt/WindowSystem.h"

#include <QMessageLogContext>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kelvarn {

namespace {

struct HeldMessage {
    QtMsgType type;
    std::string file, function, category;
    int line;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The platforms Qt names in "Could not load the Qt platform plugin "wayland" ..." and "Could
// not find the Qt platform plugin "bogus" ...".
void collectPlatformNames(const QString& text, std::vector<std::string>& names) {
    static const QString marker = QStringLiteral("platform plugin \"");
    for (qsizetype at = text.indexOf(marker); at >= 0; at = text.indexOf(marker, at)) {
        at += marker.size();
        const qsizetype end = text.indexOf(QLatin1Char('"'), at);
        if (end < 0) {
            break;
        }
        const std::string name = text.mid(at, end - at).toStdString();
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(name);
        }
        at = end;
    }
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, context.file != nullptr ? context.file : "",
                                context.function != nullptr ? context.function : "",
                                context.category != nullptr ? context.category : "", context.line,
                                text});
        return;
    }
    // No platform could start: Qt would abort now.
    std::vector<std::string> platforms;
    for (const HeldMessage& m : heldMessages) {
        collectPlatformNames(m.text, platforms);
    }
    collectPlatformNames(text, platforms);
    std::string reason = unreachableWindowSystems(platforms);
    if (platforms.empty()) {
        reason = text.section(QLatin1Char('\n'), 0, 0).toStdString();
    }
    std::fprintf(stderr, "kelvarn: cannot open a window: %s\n", reason.c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

std::string unreachableWindowSystems(const std::vector<std::string>& platforms) {
    std::string out;
    for (const std::string& name : platforms) {
        std::string what;
        if (name.rfind("wayland", 0) == 0) {
            std::string socket = environment("WAYLAND_DISPLAY");
            if (socket.empty()) {
                socket = "wayland-0";
            }
            const std::string runtime = environment("XDG_RUNTIME_DIR");
            if (!environment("WAYLAND_SOCKET").empty()) {
                what = "no Wayland compositor on the socket WAYLAND_SOCKET names";
            } else if (socket.front() == '/') {
                what = "no Wayland compositor at " + socket;
            } else if (runtime.empty()) {
                what = "no Wayland compositor (XDG_RUNTIME_DIR is not set)";
            } else {
                what = "no Wayland compositor at " + runtime;
                what += "/" + socket;
            }
        } else if (name == "xcb") {
            const std::string display = environment("DISPLAY");
            what = display.empty() ? "no X display (DISPLAY is not set)"
                                   : "no X display at " + display;
        } else {
            what = "the window system \"" + name + "\" could not start";
        }
        if (out.find(what) == std::string::npos) {
            out += (out.empty() ? "" : ", ") + what;
        }
    }
    return out.empty() ? "no window system could be reached" : out;
}

WindowSystemGuard::WindowSystemGuard() {
    heldMessages.clear();
    previousHandler = qInstallMessageHandler(holdMessage);
}

WindowSystemGuard::~WindowSystemGuard() {
    release();
}

void WindowSystemGuard::release() {
    if (released_) {
        return;
    }
    released_ = true;
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& m : heldMessages) {
        const QMessageLogContext context(m.file.c_str(), m.line, m.function.c_str(),
                                         m.category.c_str());
        if (previousHandler != nullptr) {
            previousHandler(m.type, context, m.text);
        } else {
            std::fprintf(stderr, "%s\n", qPrintable(m.text));
        }
    }
    heldMessages.clear();
}

} // namespace kelvarn
