#pragma once
// TFoTerapi: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoTerapi : public QDialog {
    Q_OBJECT
  public:
    explicit TFoTerapi(QWidget* parent = nullptr);
};

} // namespace exo
