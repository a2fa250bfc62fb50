#include "remedies/windows/UnSegnat.h"

namespace exo {

TFoSegnat::TFoSegnat(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoSegnat"));
    setWindowTitle(QStringLiteral("SIGNATURAS ASTROLÓGICAS "));
}

} // namespace exo
