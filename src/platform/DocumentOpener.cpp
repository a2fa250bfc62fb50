#include "platform/DocumentOpener.h"

#include "platform/Cp1252.h"
#include "platform/ProgramPaths.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace exo {

namespace {
std::function<bool(const QString&)>& Opener() {
    static std::function<bool(const QString&)> opener;
    return opener;
}
} // namespace

bool OpenDocument(const QString& name) {
    if (Opener())
        return Opener()(name);
    const QString path = QString::fromStdString(ResolveProgramPath(Cp1252FromQString(name)));
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(path)));
}

void SetDocumentOpener(std::function<bool(const QString&)> opener) {
    Opener() = std::move(opener);
}

} // namespace exo
