#pragma once
// TFormRich, the retrieve form: finds a subject by the first letters of its name, shows its
// data and notes, and makes it the current subject (TMPR). It closes as soon as it loses
// the focus.
#include "archive/windows/SubjectSearch.h"

#include <optional>
#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace exo {

// The parts of a name that "Invertir Apellido / Nombre" turns round: the text before the
// first "(", split at blanks into a first, a second and a third part (the third keeps the
// rest of the name, so no word is lost).
std::vector<std::string> NameParts(std::string_view name);
// The name after `press` presses (1, 2, …): two parts alternate, three parts run through
// their six orders; one part stays as it is.
std::string RotatedName(const std::vector<std::string>& parts, int press);

class TFormRich : public SubjectSearchForm {
    Q_OBJECT
  public:
    explicit TFormRich(QWidget* parent = nullptr);

    static constexpr int kClientWidth = 612;
    static constexpr int kClientHeight = 436;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

    void chooseLine(int line, bool byDoubleClick) override;
    void nameBoxEnter() override;
    void clearShownSubject() override;
    bool acceptsArchive(const std::string& archive) override;
    bool showsLineAfterEveryDown() const override { return true; }
    bool clickTurnsNameBoxRed() const override { return true; }
    bool enteringReopensArchive() const override { return false; }
    QString doubleClickMessage() const override;

  private:
    void ShowRetrievedSubject();
    void BitBtnInvertiClick();
    void BitBtnOKClick();
    void BitBtnAnnullaClick();

    struct Shown {
        SubjectRecord Record;
        std::string NotesLine;  // the notes as the main window shows them
        std::string TextNumber; // of the subject's text, or empty
    };
    std::optional<Shown> shown_;
    std::vector<std::string> nameParts_;
    int NamePartCycle = 0;

    QLineEdit* EditNome = nullptr;
    QLineEdit* EditLocal = nullptr;
    QLineEdit* EditNaz = nullptr;
    QLineEdit* EditData = nullptr;
    QLineEdit* EditCorr = nullptr;
    QLineEdit* EditCoord = nullptr;
    QLineEdit* EditCal = nullptr;
    QPlainTextEdit* MemoAnnotaz = nullptr;
    QPushButton* BitBtnInverti = nullptr;
    QPushButton* BitBtnOK = nullptr;
    QPushButton* BitBtnAnnulla = nullptr;
};

} // namespace exo
