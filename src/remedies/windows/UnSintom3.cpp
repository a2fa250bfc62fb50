#include "remedies/windows/UnSintom3.h"

namespace exo {

TFoSintom3::TFoSintom3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoSintom3"));
}

} // namespace exo
