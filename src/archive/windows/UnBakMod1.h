#pragma once
// TFoBakMod1, the backup dialog: the personal archive BASE and its texts go to the folder
// ExorvexBck on a volume the user chooses, and come back from it. Created for each use.
#include <QDialog>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace exo {

class TFoBakMod1 : public QDialog {
    Q_OBJECT
  public:
    explicit TFoBakMod1(QWidget* parent = nullptr);

    static constexpr int kClientWidth = 460;
    static constexpr int kClientHeight = 340;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void FormActivate();
    void BBCambiaDestClick();
    void BBchiudiSceltaClick();
    void DriveComboBox1Change(int index);
    void BBbackupClick();
    void BBRestoreClick();
    void setDestination(const QString& text, bool chosen);

    QString programFolder_;
    // The chosen volume's root and the backup folder on it; the folder is the unchosen text
    // until a volume is chosen.
    QString root_;
    QString backupFolder_;

    QPlainTextEdit* Memo1 = nullptr;
    QFrame* Panel4 = nullptr;
    QLabel* LabDef1 = nullptr;
    QLabel* LabDef2 = nullptr;
    QLabel* LabDest = nullptr;
    QLineEdit* EditDest = nullptr;
    QLineEdit* EditData = nullptr;
    QLabel* LabOkDati = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* BBCambiaDest = nullptr;
    QPushButton* BBbackup = nullptr;
    QPushButton* BBRestore = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QPushButton* BBchiudiScelta = nullptr;
    QPushButton* BitBtnRitorna = nullptr;
};

} // namespace exo
