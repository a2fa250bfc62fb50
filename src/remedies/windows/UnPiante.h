#pragma once
// TFoPiante: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoPiante : public QDialog {
    Q_OBJECT
  public:
    explicit TFoPiante(QWidget* parent = nullptr);
};

} // namespace exo
