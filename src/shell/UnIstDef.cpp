#include "shell/UnIstDef.h"

#include "platform/DocumentOpener.h"

#include <QEvent>
#include <QPushButton>
#include <QRadioButton>

namespace exo {

TFoIstDef::TFoIstDef(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoIstDef"));
    setWindowTitle(QStringLiteral("Selezionare"));
    setFixedSize(380, 130);
    RB1 = new QRadioButton(QStringLiteral("Instrucciones sumarias  (Istruzioni-pdf)"), this);
    RB1->setObjectName(QStringLiteral("RB1"));
    RB1->setGeometry(20, 14, 340, 24);
    RB2 = new QRadioButton(QStringLiteral("Instrucciones extendidas  (Istruzioni.pdf)"), this);
    RB2->setObjectName(QStringLiteral("RB2"));
    RB2->setGeometry(20, 44, 340, 24);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(170, 86, 90, 30);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TFoIstDef::BitBtn1Click);
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    cancel->setGeometry(270, 86, 90, 30);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFoIstDef::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        RB1->setChecked(true);
    return QDialog::event(event);
}

void TFoIstDef::BitBtn1Click() {
    OpenDocument(RB1->isChecked() ? QStringLiteral("Istruzioni_J.pdf")
                                  : QStringLiteral("Istruzioni.pdf"));
    accept();
}

} // namespace exo
