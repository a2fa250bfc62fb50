#include "graphics/windows/UgrTxtSpa.h"

namespace exo {

TFgrTxtSpa::TFgrTxtSpa(QWidget* parent) : FullScreenWindow(parent, false) {
    setObjectName(QStringLiteral("FgrTxtSpa"));
}

} // namespace exo
