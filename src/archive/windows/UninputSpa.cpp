#include "archive/windows/UninputSpa.h"

namespace exo {

TFoInputSpa::TFoInputSpa(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoInputSpa"));
    setWindowTitle(QStringLiteral("Datos de Nacimiento de tipo"));
}

} // namespace exo
