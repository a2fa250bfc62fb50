#include "archive/windows/UnBakMod1.h"

namespace exo {

TFoBakMod1::TFoBakMod1(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoBakMod1"));
}

} // namespace exo
