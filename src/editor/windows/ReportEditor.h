#pragma once
// The report editor window shared by TFoReMaiH and TFoReMai1: a rich-text editor with a
// menu, a tool bar of commands and font controls, a ruler with the paragraph's indent
// markers and a status bar with the caret's line and column. It opens the text named in
// FileDum\DatModif.dum each time it is shown, or the file handed to openFile.
#include <QMainWindow>
#include <QWidget>

class QAction;
class QFontComboBox;
class QLabel;
class QMimeData;
class QSpinBox;
class QTextEdit;
class QToolBar;

namespace exo {

// One of the ruler's three markers; dragging it moves it along the ruler and, on release,
// reports where it was left.
class IndentMarker : public QWidget {
    Q_OBJECT
  public:
    enum class Kind { First, Left, Right };
    IndentMarker(Kind kind, QWidget* ruler);
    Kind kind() const { return kind_; }

  signals:
    void dropped(int left);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Kind kind_;
    int dragOffset_ = -1;
};

// The ruler: a tick at every tab stop (the text of 100 tab–bar pairs) over the line.
class EditorRuler : public QWidget {
    Q_OBJECT
  public:
    explicit EditorRuler(QWidget* parent);
    void setTabStop(double pixels);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double tabStop_ = 80;
};

class ReportEditor : public QMainWindow {
    Q_OBJECT
  public:
    // `withFormatButtons`: bold, italic, underline and the three alignments on the tool bar.
    ReportEditor(QWidget* parent, bool withFormatButtons);

    // Opens the file (a program-folder name, or an absolute path) after the question on
    // unsaved changes, and shows the window. Returns whether the file was opened; a file
    // that cannot be read shows the standard error box.
    bool openFile(const QString& name);
    // Shows the window modally, without minimize and maximize buttons, with the text named
    // in FileDum\DatModif.dum, and returns when it has closed.
    void execModal();

    // The current file as named ("Untitled" for a new text).
    const QString& fileName() const { return fileName_; }

    // Ruler positions of the markers for indents in pixels (3/4 point).
    static int MarkerLeft(double indentPixels);
    static int RightMarkerLeft(int rulerWidth, double rightIndentPixels);

  signals:
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildActions(bool withFormatButtons);
    void buildMenu();
    void buildToolBar(bool withFormatButtons);
    void buildRuler();

    void FormActivate();
    void FileNew();
    void FileOpen();
    bool FileSave();
    bool FileSaveAs();
    void FilePrint();
    void FileExit();
    void SelectFont();
    void SelectionChange();
    void FontNameChange();
    void FontSizeChange();
    void MarkerDropped(IndentMarker::Kind kind, int left);
    void ShowModified();
    void UpdatePaste();

    // The question on unsaved changes; false when the action is to be abandoned (Cancel,
    // or a save that did not happen).
    bool CheckFileSave();
    // Loads the file into the editor and makes it the current file; raises InOutError.
    void PerformFileOpen(const QString& path);
    void SetFileName(const QString& name);
    bool WriteCurrentFile(const QString& path);
    QString dialogFolder() const;
    bool dropFiles(const QMimeData* data);

    QString fileName_;
    QString programFolder_;
    bool openedByCall_ = false;
    bool firstShow_ = true;
    bool updating_ = false;

  protected:
    QTextEdit* Editor = nullptr;
    EditorRuler* Ruler = nullptr;
    IndentMarker* FirstInd = nullptr;
    IndentMarker* LeftInd = nullptr;
    IndentMarker* RightInd = nullptr;
    QWidget* RulerLine = nullptr;
    QToolBar* StandardToolBar = nullptr;
    QFontComboBox* FontName = nullptr;
    QSpinBox* FontSize = nullptr;
    QLabel* StatusLine = nullptr;   // panel 0
    QLabel* StatusChange = nullptr; // panel 1

    QAction* FileNewCmd = nullptr;
    QAction* FileOpenCmd = nullptr;
    QAction* FileSaveCmd = nullptr;
    QAction* FilePrintCmd = nullptr;
    QAction* FileExitCmd = nullptr;
    QAction* FileSaveAsCmd = nullptr;
    QAction* EditUndoCmd = nullptr;
    QAction* EditCutCmd = nullptr;
    QAction* EditCopyCmd = nullptr;
    QAction* EditPasteCmd = nullptr;
    QAction* BoldButton = nullptr;
    QAction* ItalicButton = nullptr;
    QAction* UnderlineButton = nullptr;
    QAction* LeftAlign = nullptr;
    QAction* CenterAlign = nullptr;
    QAction* RightAlign = nullptr;
};

} // namespace exo
