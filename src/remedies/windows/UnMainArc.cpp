#include "remedies/windows/UnMainArc.h"

namespace exo {

TFoMainArc::TFoMainArc(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoMainArc"));
    setWindowTitle(QStringLiteral("BASE DE DATOS PRINCIPAL"));
    // Shown by the access box of the main window in the administrator mode.
    for (const char* name : {"MemoInfo", "BBRico", "BBinfo", "BBelimina", "BBsalva", "BBnuovo",
                             "BBmodifEle", "BBtrova", "EdTrova"}) {
        auto* control = new QWidget(this);
        control->setObjectName(QString::fromLatin1(name));
        control->hide();
    }
}

} // namespace exo
