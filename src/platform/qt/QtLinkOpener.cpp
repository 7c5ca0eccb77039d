#include "platform/qt/QtLinkOpener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace kelvarn {

void QtLinkOpener::openLink(const std::string& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(address)));
}

} // namespace kelvarn
