#pragma once
// Opening a document of the program folder with the program the desktop associates with
// it, as the handbooks are opened.
#include <QString>
#include <functional>

namespace exo {

// Opens the program-folder file `name`; returns false when the desktop could not.
bool OpenDocument(const QString& name);

// Window tests record the documents instead of starting programs; an empty opener restores
// the desktop's.
void SetDocumentOpener(std::function<bool(const QString&)> opener);

} // namespace exo
