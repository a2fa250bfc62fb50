#include "archive/windows/UnCancel.h"

namespace exo {

TFoCancel::TFoCancel(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoCancel"));
}

} // namespace exo
