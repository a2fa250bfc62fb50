#include "archive/windows/UnitRich.h"

namespace exo {

TFormRich::TFormRich(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormRich"));
}

} // namespace exo
