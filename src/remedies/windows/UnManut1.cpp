#include "remedies/windows/UnManut1.h"

namespace exo {

TFoManut1::TFoManut1(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoManut1"));
}

} // namespace exo
