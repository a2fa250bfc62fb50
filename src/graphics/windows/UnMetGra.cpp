#include "graphics/windows/UnMetGra.h"

namespace exo {

TFoMetGra::TFoMetGra(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoMetGra"));
}

} // namespace exo
