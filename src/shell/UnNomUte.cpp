#include "shell/UnNomUte.h"

#include "platform/Cp1252.h"
#include "shell/Personalisation.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace exo {

TFoNomUte::TFoNomUte(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FoNomUte"));
    setWindowTitle(QStringLiteral("Cambiar Nombre del Usuario"));
    // A dialog border without the title bar's buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(360, 190);

    auto* title = new QLabel(QStringLiteral("Personalización"), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    title->setFont(bold);
    title->setGeometry(16, 10, 328, 24);

    const auto addEdit = [this](const char* name, const QString& caption, int y) {
        auto* label = new QLabel(caption, this);
        label->setGeometry(16, y + 3, 80, 20);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaxLength(80);
        edit->setGeometry(100, y, 244, 24);
        connect(edit, &QLineEdit::textChanged, this, [this] { changed_ = true; });
        return edit;
    };
    EditNome = addEdit("EditNome", QStringLiteral("Nombre"), 42);
    EditCognome = addEdit("EditCognome", QStringLiteral("Apellidos"), 74);

    auto* note = new QLabel(QStringLiteral("La personalización se puede variar a voluntad"), this);
    note->setObjectName(QStringLiteral("Label2"));
    note->setGeometry(16, 106, 328, 20);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtnOk"));
    ok->setGeometry(150, 144, 90, 30);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TFoNomUte::BitBtnOkClick);
    auto* cancel = new QPushButton(QStringLiteral("Anular"), this);
    cancel->setObjectName(QStringLiteral("BitBtnAnnulla"));
    cancel->setGeometry(254, 144, 90, 30);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFoNomUte::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
}

void TFoNomUte::FormActivate() {
    const Personalisation& p = GlobalPersonalisation();
    EditNome->setText(QStringFromCp1252(p.UserFirstName.view()));
    EditCognome->setText(QStringFromCp1252(p.UserLastName.view()));
    changed_ = false;
    EditNome->setFocus();
}

void TFoNomUte::BitBtnOkClick() {
    if (changed_)
        WritePersonalisation(Cp1252FromQString(EditNome->text()),
                             Cp1252FromQString(EditCognome->text()));
    accept();
}

} // namespace exo
