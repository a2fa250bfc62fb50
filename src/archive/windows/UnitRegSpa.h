#pragma once
// TFormRegSpa, the store form: shows the subject collected by the birth-data form, takes up
// to four note lines, and stores the subject into the chosen archive (and so makes it the
// current subject), optionally with a new text file opened in the report editor.
#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace exo {

// What the birth-data form hands over. Texts are Windows-1252 bytes.
struct CollectedSubject {
    std::string Name;     // upper case, up to 38 characters
    long double Year = 0; // local civil date and time of birth
    long double Month = 0;
    long double Day = 0;
    long double Hour = 0;
    long double Minute = 0;
    std::string BirthDateText; // "DD/MM/YYYY hh:mm" of the same moment
    std::string Locality;      // as entered
    std::string CoordinatesText;
    // The correction with its sign inverted and a decimal comma: "+1" for a birth one hour
    // east of Greenwich (correction −1); "+" or "-" alone mean zero.
    std::string GmtText;
    std::string Country;
    bool Gregorian = true;
    long double JulianDay = 0; // universal time, as the birth-data form showed it
};

// The report editor that the store and modify forms show over themselves once they have
// named the text in FileDum\DatModif.dum. The editor window lives in a library above this
// one, so the program's start-up hands it in; until then no editor is shown (the text file
// is written all the same).
using SubjectTextEditor = std::function<void(QWidget* over)>;
void SetSubjectTextEditor(SubjectTextEditor editor);
void ShowSubjectTextEditor(QWidget* over);

class TFormRegSpa : public QDialog {
    Q_OBJECT
  public:
    explicit TFormRegSpa(QWidget* parent = nullptr);

    // Shows the form modally for the subject and returns whether it was stored. However the
    // form closes, the birth-data form is to close after it.
    bool RegisterSubject(const CollectedSubject& subject);

    // The subject the next showing displays (RegisterSubject sets it, then shows the form).
    void setCollectedSubject(const CollectedSubject& subject);
    bool stored() const { return stored_; }

    static constexpr int kClientWidth = 560;
    static constexpr int kClientHeight = 400;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    void FormActivate();
    void FillArchiveList();
    void ListBox1Click();
    void BitBtnRegistraClick();
    void BBregTextClick();
    void BBannullaClick();
    // Stores the subject with the note lines and the text number of EditNfile.
    void StoreShownSubject();

    CollectedSubject subject_;
    std::string archive_;
    long double correction_ = 0;
    bool stored_ = false;
    std::string storedKey_;
    std::int64_t storedPosition_ = 0;

    QListWidget* ListBox1 = nullptr;
    QLineEdit* EditArchi = nullptr;
    QLineEdit* EditNomeSogg = nullptr;
    QLineEdit* EditDataNasc = nullptr;
    QLineEdit* EditGmt = nullptr;
    QLineEdit* EditLocalita = nullptr;
    QLineEdit* EditCalend = nullptr;
    QLineEdit* EditJd = nullptr;
    QLineEdit* EditCoord = nullptr;
    QLineEdit* EditStato = nullptr;
    std::array<QLineEdit*, 4> EditMemo{};
    QLineEdit* EditNfile = nullptr;
    QPushButton* BitBtnRegistra = nullptr;
    QPushButton* BBregText = nullptr;
    QPushButton* BBannulla = nullptr;
};

} // namespace exo
