#include "remedies/windows/UnRicCom.h"

namespace exo {

TFoRicCom::TFoRicCom(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoRicCom"));
    setWindowTitle(QStringLiteral("SINTOMI MULTIPLI"));
}

} // namespace exo
