#include "platform/ErrorBox.h"

#include "platform/Errors.h"

#include <QMessageBox>

namespace exo {

namespace {
std::function<void(const QString&)>& Presenter() {
    static std::function<void(const QString&)> presenter;
    return presenter;
}
} // namespace

QString StandardErrorText(const std::exception& error) {
    return QString::fromUtf8(error.what());
}

void ShowStandardError(const QString& text) {
    if (Presenter()) {
        Presenter()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text);
    box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    box.exec();
}

void SetErrorPresenter(std::function<void(const QString&)> presenter) {
    Presenter() = std::move(presenter);
}

ExoApplication::ExoApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ExoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const InOutError& error) {
        ShowStandardError(StandardErrorText(error));
    } catch (const ConvertError& error) {
        ShowStandardError(StandardErrorText(error));
    }
    return false;
}

} // namespace exo
