#include "remedies/windows/UnAggiorna.h"

namespace exo {

TFoAggiorna::TFoAggiorna(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoAggiorna"));
    setWindowTitle(QStringLiteral("ACTUALIZACIONES DE SITUACIÓN"));
}

} // namespace exo
