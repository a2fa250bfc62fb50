#pragma once
// The printer dialog: switches the empty "Dummy" print job that some Epson printers need
// before each sheet (line 2 of FileSet\MMVarLas.stt) on or off. One panel is shown for
// each state; after a change the dialog confirms it briefly and closes by itself.
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace exo {

struct DisplaySettings;

class TFoStampa : public QDialog {
    Q_OBJECT
  public:
    explicit TFoStampa(QWidget* parent = nullptr);

    static constexpr int kClientWidth = 430;
    static constexpr int kClientHeight = 250;
    // How long the confirmation stays on the screen before the dialog closes.
    static constexpr int kConfirmationMs = 600;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void BuildPanel1();
    void BuildPanel2();
    void BitBtn1Click();
    void BitBtn2Click();
    // Toggles the dummy job, writes the settings, confirms and closes after a moment.
    void ChangePrinterKind();
    void ShowPanels();

    DisplaySettings& settings_;
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtnRitorna = nullptr;
    QLabel* LabModi = nullptr;
    QLabel* LabModi1 = nullptr;
    QTimer* closeTimer_ = nullptr;
};

} // namespace exo
