#include "platform/PlacedWidgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace exo {

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

QLineEdit* AddEdit(QWidget* parent, const char* name, const QRect& geometry, bool readOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(geometry);
    edit->setReadOnly(readOnly);
    return edit;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& text,
                       const QRect& geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    // Enter in an edit presses no button: the edits give Enter their own meaning.
    button->setAutoDefault(false);
    return button;
}

} // namespace exo
