#include "graphics/windows/UnPrint.h"

namespace exo {

TFoPrint::TFoPrint(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoPrint"));
}

} // namespace exo
