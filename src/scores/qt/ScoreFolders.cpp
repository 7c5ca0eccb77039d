#include "scores/qt/ScoreFolders.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

namespace kelvarn {
namespace {

std::filesystem::path localPath(const QString& folder) {
    return folder.isEmpty() ? std::filesystem::path()
                            : std::filesystem::path(QFile::encodeName(folder).toStdString());
}

} // namespace

std::unique_ptr<FileScoreStore> makeFileScoreStore() {
    return std::make_unique<FileScoreStore>(
        localPath(QCoreApplication::applicationDirPath()),
        localPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
}

} // namespace kelvarn
