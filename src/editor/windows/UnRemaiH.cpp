#include "editor/windows/UnRemaiH.h"

namespace exo {

TFoReMaiH::TFoReMaiH(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("FoReMaiH"));
}

} // namespace exo
