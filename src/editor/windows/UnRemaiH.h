#pragma once
// TFoReMaiH: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QMainWindow>

namespace exo {

class TFoReMaiH : public QMainWindow {
    Q_OBJECT
  public:
    explicit TFoReMaiH(QWidget* parent = nullptr);
};

} // namespace exo
