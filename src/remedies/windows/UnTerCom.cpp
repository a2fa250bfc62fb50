#include "remedies/windows/UnTerCom.h"

namespace exo {

TFoTerCom::TFoTerCom(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoTerCom"));
    setWindowTitle(QStringLiteral("TERAPIE COMPOSITE"));
}

} // namespace exo
