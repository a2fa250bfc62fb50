#pragma once
// TFoMetGra: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoMetGra : public QDialog {
    Q_OBJECT
  public:
    explicit TFoMetGra(QWidget* parent = nullptr);
};

} // namespace exo
