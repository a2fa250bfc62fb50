#pragma once
// TFoNomUte: the user's name shown on the main window's personalisation button.
#include <QDialog>

class QLineEdit;

namespace exo {

class TFoNomUte : public QDialog {
    Q_OBJECT
  public:
    explicit TFoNomUte(QWidget* parent = nullptr);

  protected:
    bool event(QEvent* event) override;

  private:
    void FormActivate();
    void BitBtnOkClick();

    QLineEdit* EditNome;
    QLineEdit* EditCognome;
    bool changed_ = false;
};

} // namespace exo
