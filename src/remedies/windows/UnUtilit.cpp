#include "remedies/windows/UnUtilit.h"

namespace exo {

TFoUtilit::TFoUtilit(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoUtilit"));
    setWindowTitle(QStringLiteral("Utility Ricerca"));
}

} // namespace exo
