#include "remedies/windows/UnSintom1.h"

namespace exo {

TFoSintom1::TFoSintom1(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoSintom1"));
    setWindowTitle(QStringLiteral("Síntomas y Remedios Relacionados"));
}

} // namespace exo
