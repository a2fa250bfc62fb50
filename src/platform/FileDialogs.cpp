#include "platform/FileDialogs.h"

namespace exo {

QFileDialog* FileDialog(QWidget* parent, const QString& caption, const QString& folder,
                        const QString& filter, QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(parent, caption, folder, filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setAcceptMode(mode);
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    if (mode == QFileDialog::AcceptOpen)
        dialog->setFileMode(QFileDialog::ExistingFile);
    return dialog;
}

QString ChosenFile(QFileDialog* dialog) {
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const QString chosen = accepted ? dialog->selectedFiles().value(0) : QString();
    delete dialog;
    return chosen;
}

} // namespace exo
