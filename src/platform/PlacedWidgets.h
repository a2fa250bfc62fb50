#pragma once
// Controls placed at fixed positions and named as the windows name them, as every form of
// the program lays out its controls.
#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace exo {

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry);
QLineEdit* AddEdit(QWidget* parent, const char* name, const QRect& geometry, bool readOnly = false);
// Enter in an edit presses no button: the edits give Enter their own meaning.
QPushButton* AddButton(QWidget* parent, const char* name, const QString& text,
                       const QRect& geometry);

} // namespace exo
