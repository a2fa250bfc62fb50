#include "remedies/windows/UnPiante.h"

namespace exo {

TFoPiante::TFoPiante(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoPiante"));
    setWindowTitle(QStringLiteral("PLANTAS y INGREDIENTES ACTIVOS"));
}

} // namespace exo
