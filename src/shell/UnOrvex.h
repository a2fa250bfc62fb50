#pragma once
// The main window of the program.
#include <QMainWindow>

namespace exo {

class TFoOrvex : public QMainWindow {
    Q_OBJECT
  public:
    explicit TFoOrvex(QWidget* parent = nullptr);
};

} // namespace exo
