#include "graphics/windows/UnSpeLin.h"

namespace exo {

TFoSpeLin::TFoSpeLin(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoSpeLin"));
    setWindowTitle(QStringLiteral("Espesor de las líneas "));
}

} // namespace exo
