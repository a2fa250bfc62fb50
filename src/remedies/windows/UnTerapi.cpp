#include "remedies/windows/UnTerapi.h"

namespace exo {

TFoTerapi::TFoTerapi(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoTerapi"));
    setWindowTitle(QStringLiteral("Terapias"));
}

} // namespace exo
