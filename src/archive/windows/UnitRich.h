#pragma once
// TFormRich: created at start with the other long-lived windows; its controls come with the
// function it serves.
#include <QDialog>

namespace exo {

class TFormRich : public QDialog {
    Q_OBJECT
  public:
    explicit TFormRich(QWidget* parent = nullptr);
};

} // namespace exo
