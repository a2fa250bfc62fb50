#include "platform/ProgramPaths.h"

#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <filesystem>
#include <system_error>

namespace exo {

namespace {

// The entry of `folder` whose name equals `component` ignoring case, or the component itself.
QString MatchComponent(const QString& folder, const QString& component) {
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (QFileInfo::exists(dir.filePath(component)))
        return component;
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(component, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return component;
}

} // namespace

std::string ResolveProgramPath(const std::string& name) {
    QString path = QStringFromCp1252(name);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty() || QFileInfo::exists(path))
        return path.toStdString();

    const bool absolute = path.startsWith(QLatin1Char('/'));
    const QStringList components = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString resolved = absolute ? QStringLiteral("/") : QString();
    for (const QString& component : components) {
        QString actual = component;
        if (component != QLatin1String(".") && component != QLatin1String(".."))
            actual = MatchComponent(resolved, component);
        if (!resolved.isEmpty() && !resolved.endsWith(QLatin1Char('/')))
            resolved += QLatin1Char('/');
        resolved += actual;
    }
    if (path.endsWith(QLatin1Char('/')))
        resolved += QLatin1Char('/');
    return resolved.toStdString();
}

bool FileExists(const std::string& name) {
    const QFileInfo info(QString::fromStdString(ResolveProgramPath(name)));
    return info.exists() && !info.isDir();
}

bool FolderExists(const std::string& name) {
    return QFileInfo(QString::fromStdString(ResolveProgramPath(name))).isDir();
}

void MakeFolder(const std::string& name) {
    const std::string path = ResolveProgramPath(name);
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error || !std::filesystem::is_directory(path))
        throw InOutError(path, "mkdir", error.message());
}

void DeleteFile(const std::string& name) {
    const std::string path = ResolveProgramPath(name);
    std::error_code error;
    if (!std::filesystem::remove(path, error) && error)
        throw InOutError(path, "delete", error.message());
}

} // namespace exo
