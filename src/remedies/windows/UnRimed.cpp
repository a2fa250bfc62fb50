#include "remedies/windows/UnRimed.h"

namespace exo {

TFoRimed::TFoRimed(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoRimed"));
    setWindowTitle(QStringLiteral("Remedios y síntomas relacionados"));
}

} // namespace exo
