#include "editor/windows/UnRemai1.h"

namespace exo {

TFoReMai1::TFoReMai1(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoReMai1"));
}

} // namespace exo
