#pragma once
// TFoAggiorna: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFoAggiorna : public QDialog {
    Q_OBJECT
  public:
    explicit TFoAggiorna(QWidget* parent = nullptr);
};

} // namespace exo
