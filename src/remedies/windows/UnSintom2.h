#pragma once
// TFoSintom2: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoSintom2 : public QDialog {
    Q_OBJECT
  public:
    explicit TFoSintom2(QWidget* parent = nullptr);
};

} // namespace exo
