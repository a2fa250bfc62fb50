#pragma once
// What the retrieve, delete and modify forms share: the list of archives of the program
// folder, the name box in which the first letters of a name are typed, the window of key
// lines over the sorted key file with its scroll bar, and the program's message boxes.
#include "archive/SubjectArchive.h"
#include "platform/ErrorBox.h"
#include "platform/Errors.h"
#include "platform/PlacedWidgets.h"

#include <QColor>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QScrollBar;

namespace exo {

// Name box colours: red, nothing found or chosen; aqua, the letters begin a key or a key is
// chosen.
extern const QColor kNameBoxRed;
extern const QColor kNameBoxAqua;

// The program's own message box: the text and one "OK" button.
void ShowArchiveMessage(QWidget* parent, const QString& text);
// A question with the buttons "Sí" and "No"; true for "Sí".
bool AskArchiveQuestion(QWidget* parent, const QString& caption, const QString& text);

// The archives of the program folder: each "????.ST1" file's name upper-cased and cut to
// four characters, sorted, each once; TMPR only when asked for.
std::vector<std::string> ListedArchives(bool withTemporary);
// The list entry of an archive: "BASE (personale)", "TMPR (temporaneo)", "RICE (speciale)",
// "BANK (banca dati)", any other archive under its bare name.
QString ArchiveEntry(const std::string& archive);

// Keeps an edit's text in upper case as it is typed.
void KeepUpperCase(QLineEdit* edit);
// Rows of the list windows, in pixels.
inline constexpr int kNameRowHeight = 16;

// Background colour of an edit, and setting it.
QColor EditColour(const QLineEdit* edit);
void SetEditColour(QLineEdit* edit, const QColor& colour);

// EditSoggetto: the keys are reported to the form, which keeps the typed letters itself.
class NameBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit NameBox(QWidget* parent);

  signals:
    void letterTyped(const QString& letter);
    void backspaceTyped();
    void enterTyped();
    // Clicked, or entered by the user (mouse, Tab); not when the form regains the focus.
    void clicked();
    void entered();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

// ListaNomi: Up on the first line, Down on the last and Enter are the form's.
class NameList : public QListWidget {
    Q_OBJECT
  public:
    explicit NameList(QWidget* parent);

  signals:
    void downTyped(bool onLastLine);
    void upTyped(bool onFirstLine);
    void enterTyped();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// How a form's list window runs.
struct NameWindowRules {
    int lines = 9;            // lines of the list window
    int linesAbove = 4;       // lines above the centre line
    int lowestCentre = 5;     // line up, thumb and name search keep the centre from here
    int lineDownMargin = 4;   // line down while the centre is below count − this
    int pageUpAbove = 14;     // page up while the centre is above this
    int pageDownMargin = 13;  // page down while the centre is below count − this
    int highestMargin = 4;    // thumb and name search keep the centre up to count − this
    int firstCentreBelow = 9; // the first centre for fewer subjects than this …
    int firstCentreSmall = 0; // … is this
};

// Base of the three searching forms. A form builds its own widgets around the five shared
// ones and answers the hooks.
class SubjectSearchForm : public QDialog {
    Q_OBJECT
  public:
    SubjectSearchForm(QWidget* parent, const NameWindowRules& rules, bool closesOnFocusLoss);

    // State shown to tests and to the forms.
    const std::string& selectedArchive() const { return selectedArchive_; }
    std::int64_t subjectCount() const { return SubjectCount; }
    std::int64_t windowCentre() const { return WindowCentre; }
    const std::string& typedName() const { return TypedName; }
    const std::string& chosenKey() const { return chosenKey_; }
    std::int64_t chosenPosition() const { return chosenPosition_; }

  protected:
    // The five shared widgets, created by the base and placed by the form.
    QListWidget* ListaArchivi = nullptr;
    QLineEdit* EditArchi = nullptr;
    NameBox* EditSoggetto = nullptr;
    NameList* ListaNomi = nullptr;
    QScrollBar* ScrollBar1 = nullptr;

    // Hooks.
    // The line (0-based) whose key was chosen by a double click or by Enter in the list:
    // show its subject.
    virtual void chooseLine(int line, bool byDoubleClick) = 0;
    // Enter in the name box.
    virtual void nameBoxEnter() = 0;
    // The shown subject is no longer valid (the name box was cleared, a line clicked).
    virtual void clearShownSubject() = 0;
    // An archive is about to open; false refuses it (the search stays disabled).
    virtual bool acceptsArchive(const std::string& archive);
    // The name box shows the selected line after Down on the last line; the retrieve form
    // after every Down.
    virtual bool showsLineAfterEveryDown() const { return false; }
    // The name box turns red when clicked or entered (the retrieve form).
    virtual bool clickTurnsNameBoxRed() const { return false; }
    // Entering the name box reopens the archive and redraws the list (delete, modify).
    virtual bool enteringReopensArchive() const { return true; }
    // The message when Enter finds no line to take.
    virtual QString doubleClickMessage() const;

    // Operations for the forms.
    // The layout the retrieve and delete forms share: the archive list on the left, the
    // name box and the list window on the right, each under its caption.
    void layOutSearchControls(const QString& archiveCaption, const QString& listCaption);
    void FormActivate(bool withTemporary);
    // Opens the selected archive afresh and shows its first window. Returns whether subjects
    // are shown.
    bool OpenSelectedArchive();
    void CloseSelectedArchive();
    SubjectArchive* archive() const { return archive_.get(); }
    bool windowMode() const;
    void DrawList();
    void FollowScrollBar();
    // The key and position of a list line, or nothing for a line that does not exist.
    std::optional<std::int64_t> positionOfLine(int line) const;
    const std::string& keyOfLine(int line) const;
    int lineCount() const { return static_cast<int>(lineKeys_.size()); }
    int centreLine() const { return rules_.linesAbove; }
    // Makes a line's key the chosen key (name box aqua, showing it).
    void chooseKeyOfLine(int line);
    // Makes the key at a position the chosen key without touching the name box.
    void setChosen(const std::string& key, std::int64_t position);
    void forgetChosen();
    // The subject-record number of the chosen key, falling back to the centre line (which
    // then becomes the chosen key); nothing when neither ends in a number, and the name box
    // is then red and empty.
    std::optional<std::int64_t> ChosenSubjectNumber();
    bool nameBoxRed() const;
    void setNameBoxColour(const QColor& colour);
    void clearNameBox();
    void setSearchEnabled(bool enabled);
    std::int64_t keepCentreForSearch(std::int64_t centre) const;

    const NameWindowRules rules_;
    std::string selectedArchive_;
    std::int64_t SubjectCount = 0;
    std::int64_t WindowCentre = 0;
    std::string TypedName;

    bool event(QEvent* event) override;
    void done(int result) override;

  private:
    void ListaArchiviClick(QListWidgetItem* item);
    void ScrollBar1Scroll(int action);
    void EditSoggettoLetter(const QString& letter);
    void EditSoggettoBackspace();
    void EditSoggettoClick();
    void EditSoggettoEnter();
    void SearchTypedName();
    void ListaNomiClick(QListWidgetItem* item);
    void ListaNomiDblClick(QListWidgetItem* item);
    void ListaNomiDown(bool onLastLine);
    void ListaNomiUp(bool onFirstLine);
    void ListaNomiEnter();
    void CloseWhenInactive();

    const bool closesOnFocusLoss_;
    std::unique_ptr<SubjectArchive> archive_;
    std::vector<std::string> lineKeys_;
    std::vector<std::int64_t> linePositions_;
    std::string chosenKey_;
    std::int64_t chosenPosition_ = 0;
};

} // namespace exo
