#include "remedies/windows/UnSintesi.h"

namespace exo {

TFoSintesi::TFoSintesi(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoSintesi"));
    setWindowTitle(QStringLiteral("SÍNTESIS PSÍQUICA "));
}

} // namespace exo
