#pragma once
// TFoInputSpa, the birth-data form: name, local date and time of birth and the birth place
// chosen from the Italian or the foreign locality file. At each idle moment after a change
// it derives the calendar in force, the total time correction, the coordinates and the
// Julian Days (ComputeBirthResults) and shows them in a locked result panel that the user
// may unlock and correct by hand. "Continuar" checks everything and hands the subject to
// the store form.
#include "archive/BirthResults.h"
#include "archive/LocalityFile.h"
#include "archive/windows/UnitRegSpa.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTimer;
class QToolButton;

namespace exo {

class TFoInputSpa : public QDialog {
    Q_OBJECT
  public:
    explicit TFoInputSpa(QWidget* parent = nullptr);
    ~TFoInputSpa() override;

    static constexpr int kClientWidth = 664;
    static constexpr int kClientHeight = 436;

    // "Continuar" hands the subject to the store form through this opener, which shows it
    // modally and returns whether the subject was stored. However the store form closes,
    // this form closes after it.
    using StoreFormOpener = std::function<bool(const CollectedSubject&)>;
    void setStoreFormOpener(StoreFormOpener opener) { openStoreForm_ = std::move(opener); }
    // The program's opener: the store form placed over the main window and shown there.
    void setStoreForm(TFormRegSpa* form);
    // Places a dialog with its bottom-right corner 10 pixels inside the bottom-right corner
    // of the main window (the form's owner).
    void placeStoreForm(QWidget* dialog) const;

    // The subject of the last hand-over.
    const CollectedSubject& collectedSubject() const { return collected_; }

  protected:
    void showEvent(QShowEvent* event) override;
    // Every way of closing ends here: the locality file is closed with the form.
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class LongitudeEntry { Degrees, Time };
    enum class BoxKind;
    void ShowBox(BoxKind kind, const QString& text);

    void BuildNameAndDate();
    void BuildLocality();
    void BuildResultPanel();
    void BuildManualPanel();
    void BuildButtons();

    void FormActivate();
    void MyIdleHandler();
    void markStale();

    // Birth date and time.
    std::array<QLineEdit*, 5> dateEdits() const;
    void DateEditChanged(QLineEdit* edit);
    void DateEditTyped(QLineEdit* edit);
    bool DateEditKey(QLineEdit* edit, int key);
    void DateTimePicker1Change();
    void BitBtnOggiClick();
    // The date check with its message; true for a valid date (kept in date_).
    bool RunDateCheck();

    // Locality file and list.
    void OpenLocalityFile(LocalitySource source);
    void CloseLocalityFile();
    void SwitchLocalityFile(LocalitySource source);
    void DrawLocalityList();
    void ScrollBar1Scroll(int action);
    bool ListBox1Key(int key);
    void ChooseLine(int line);
    bool EditLocalKey(int key, const QString& text);
    void EditLocalClick();
    void AcceptTypedLocality();
    void ForgetLocalityChoice();

    // Results.
    void ComputeResults();
    void ClearResults();
    void ShowLock(bool locked);
    void BBLockClick();
    void EditCalendChange();
    void CheckBoxLocaleClick();
    void ShowCorrectionEditState();
    long double EnteredCorrection() const;

    // Manual coordinates.
    void EditCoordDblClick();
    void EnterLongitudeRow(LongitudeEntry entry);
    bool ValidateManualPanel();
    bool ManualEditKey(QLineEdit* edit, int key);
    void BitBtn1Click();
    void BitBtn2Click();

    void BBprosegui1Click();
    void BBRitornaClick();

    StoreFormOpener openStoreForm_;
    CollectedSubject collected_;

    std::unique_ptr<LocalityFile> file_;
    LocalitySource source_ = LocalitySource::Italian;
    std::int64_t centre_ = kFirstLocalityCentre;
    // The window line the last search found: Enter accepts this line.
    int foundLine_ = 3;
    std::string typed_;                  // the letters typed into the locality edit
    std::optional<std::int64_t> chosen_; // the chosen locality record (aqua edit)
    BirthDateTime date_;                 // the last valid date and time
    bool dateValid_ = false;
    std::optional<BirthResults> results_;
    bool resultsStale_ = false;
    int openMessages_ = 0;
    LongitudeEntry longitudeEntry_ = LongitudeEntry::Degrees;
    std::string manualCoordinates_; // the coordinates text of a valid manual panel

    QTimer* idleTimer_ = nullptr;
    QLabel* LabNome = nullptr;
    QLabel* LabData = nullptr;
    QLineEdit* EditSogg = nullptr;
    QLineEdit* EditGiorno = nullptr;
    QLineEdit* EditMese = nullptr;
    QLineEdit* EditAnno = nullptr;
    QLineEdit* EditOra = nullptr;
    QLineEdit* EditMinuti = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QPushButton* BitBtnOggi = nullptr;
    QLabel* LabNote = nullptr;
    QLineEdit* EditLocal = nullptr;
    QListWidget* ListBox1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QPushButton* BBItalia = nullptr;
    QPushButton* BBperson = nullptr;
    QGroupBox* PanelResult = nullptr;
    QLineEdit* EditDataEstesa = nullptr;
    QLineEdit* EditJD = nullptr;
    QLineEdit* EditLocEstesa = nullptr;
    QLineEdit* EditStato = nullptr;
    QLineEdit* EditCoord = nullptr;
    QLineEdit* EditFuso = nullptr;
    QLineEdit* EditCalend = nullptr;
    QCheckBox* CheckBoxLocale = nullptr;
    QToolButton* BBLock = nullptr;
    QGroupBox* PanelMan = nullptr;
    QLineEdit* EditGrdLat = nullptr;
    QLineEdit* EditNS = nullptr;
    QLineEdit* EditPriLat = nullptr;
    QLineEdit* EditGrdLon = nullptr;
    QLineEdit* EditEWgrd = nullptr;
    QLineEdit* EditPriLon = nullptr;
    QLineEdit* EditOreLon = nullptr;
    QLineEdit* EditMinLon = nullptr;
    QLineEdit* EditSecLon = nullptr;
    QLineEdit* EditEWore = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BBprosegui = nullptr;
    QPushButton* BBRitorna = nullptr;
};

} // namespace exo
