#include "remedies/windows/UnMali.h"

namespace exo {

TFoMali::TFoMali(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoMali"));
    setWindowTitle(QStringLiteral("DEBILITAMIENTO ASTROLÓGICO / PATOLOGÍAS"));
}

} // namespace exo
