#pragma once
// TFoIstDef: the choice between the short and the extended instructions.
#include <QDialog>

class QRadioButton;

namespace exo {

class TFoIstDef : public QDialog {
    Q_OBJECT
  public:
    explicit TFoIstDef(QWidget* parent = nullptr);

  protected:
    bool event(QEvent* event) override;

  private:
    void BitBtn1Click();

    QRadioButton* RB1;
    QRadioButton* RB2;
};

} // namespace exo
