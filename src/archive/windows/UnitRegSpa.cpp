#include "archive/windows/UnitRegSpa.h"

namespace exo {

TFormRegSpa::TFormRegSpa(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormRegSpa"));
}

} // namespace exo
