#include "editor/windows/UnRemaiH.h"

namespace exo {

TFoReMaiH::TFoReMaiH(QWidget* parent) : ReportEditor(parent, false) {
    setObjectName(QStringLiteral("FoReMaiH"));
}

} // namespace exo
