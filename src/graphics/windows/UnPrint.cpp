#include "graphics/windows/UnPrint.h"

#include <QPrinter>
#include <QTextEdit>

namespace exo {

TFoPrint::TFoPrint(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoPrint"));
    Editor = new QTextEdit(this);
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setAcceptRichText(false);
    Editor->setGeometry(8, 8, 200, 100);
}

void TFoPrint::PrintDummyJob(QPrinter& printer) {
    const QString title = printer.docName();
    printer.setDocName(QStringLiteral("Dummy"));
    Editor->print(&printer);
    printer.setDocName(title);
}

} // namespace exo
