#include "editor/windows/UnRemai1.h"

namespace exo {

TFoReMai1::TFoReMai1(QWidget* parent) : ReportEditor(parent, true) {
    setObjectName(QStringLiteral("FoReMai1"));
}

} // namespace exo
