#pragma once
// TFoRicCom: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoRicCom : public QDialog {
    Q_OBJECT
  public:
    explicit TFoRicCom(QWidget* parent = nullptr);
};

} // namespace exo
