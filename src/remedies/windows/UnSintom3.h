#pragma once
// TFoSintom3: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoSintom3 : public QDialog {
    Q_OBJECT
  public:
    explicit TFoSintom3(QWidget* parent = nullptr);
};

} // namespace exo
