#include "graphics/windows/Unstampa.h"

namespace exo {

TFoStampa::TFoStampa(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoStampa"));
    setWindowTitle(QStringLiteral("Impresora"));
}

} // namespace exo
