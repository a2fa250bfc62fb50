#pragma once
// TFoTerCom: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoTerCom : public QDialog {
    Q_OBJECT
  public:
    explicit TFoTerCom(QWidget* parent = nullptr);
};

} // namespace exo
