#pragma once
// TFoUtilit: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoUtilit : public QDialog {
    Q_OBJECT
  public:
    explicit TFoUtilit(QWidget* parent = nullptr);
};

} // namespace exo
