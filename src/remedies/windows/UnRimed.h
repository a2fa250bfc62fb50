#pragma once
// TFoRimed: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoRimed : public QDialog {
    Q_OBJECT
  public:
    explicit TFoRimed(QWidget* parent = nullptr);
};

} // namespace exo
