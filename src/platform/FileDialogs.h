#pragma once
// The program's own file dialogs: never the platform's native one, so every window behaves
// the same on every desktop and the tests can drive them.
#include <QFileDialog>
#include <QString>

namespace exo {

// A dialog the caller runs with ChosenFile; overwriting is asked by the caller.
QFileDialog* FileDialog(QWidget* parent, const QString& caption, const QString& folder,
                        const QString& filter, QFileDialog::AcceptMode mode);

// Runs and deletes the dialog: the file it was accepted with, or nothing when cancelled.
QString ChosenFile(QFileDialog* dialog);

} // namespace exo
