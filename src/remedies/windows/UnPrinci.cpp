#include "remedies/windows/UnPrinci.h"

namespace exo {

TFoPrinci::TFoPrinci(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoPrinci"));
    setWindowTitle(QStringLiteral("PRINCIPI CURATIVI"));
}

} // namespace exo
