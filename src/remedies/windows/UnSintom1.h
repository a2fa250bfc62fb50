#pragma once
// TFoSintom1: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoSintom1 : public QDialog {
    Q_OBJECT
  public:
    explicit TFoSintom1(QWidget* parent = nullptr);
};

} // namespace exo
