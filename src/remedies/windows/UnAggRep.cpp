#include "remedies/windows/UnAggRep.h"

namespace exo {

TFoAggRep::TFoAggRep(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoAggRep"));
    setWindowTitle(QStringLiteral("REPERTORIO  DE LAS TERAPIAS"));
    // Shown by the access box of the main window in the administrator mode.
    for (const char* name : {"MemoInfo", "BBRico", "BBinfo", "BBelimina", "BBsalva", "BBnuovo",
                             "BBmodifEle", "BBtrova", "EdTrova"}) {
        auto* control = new QWidget(this);
        control->setObjectName(QString::fromLatin1(name));
        control->hide();
    }
}

} // namespace exo
