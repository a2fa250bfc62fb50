#include "archive/windows/UnModifi.h"

namespace exo {

TFoModifi::TFoModifi(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoModifi"));
}

} // namespace exo
