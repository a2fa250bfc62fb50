#pragma once
// TFoCancel: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoCancel : public QDialog {
    Q_OBJECT
  public:
    explicit TFoCancel(QWidget* parent = nullptr);
};

} // namespace exo
