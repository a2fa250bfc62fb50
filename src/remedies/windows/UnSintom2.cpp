#include "remedies/windows/UnSintom2.h"

namespace exo {

TFoSintom2::TFoSintom2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoSintom2"));
}

} // namespace exo
