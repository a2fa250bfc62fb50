#include "editor/windows/ReportEditor.h"

#include "editor/ReportText.h"
#include "graphics/windows/ProgramPrinter.h"
#include "platform/Cp1252.h"
#include "platform/ErrorBox.h"
#include "platform/Errors.h"
#include "platform/FileDialogs.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontDialog>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace exo {

namespace {

const QString kUntitled = QStringLiteral("Untitled");
constexpr int kRulerHeight = 26;
constexpr int kMarkerWidth = 10;
constexpr int kMarkerHeight = 9;
constexpr int kMarkerMargin = 2;      // ruler pixels before the text's left edge
constexpr int kRightMarkerMargin = 6; // ruler pixels after the text's right edge

enum class Answer { Yes, No, Cancel };

// A question with the buttons "Sí", "No" and "Cancelar" (Escape cancels).
Answer AskYesNoCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    return box.clickedButton() == no ? Answer::No : Answer::Cancel;
}

// A file named as the program names it (relative to the program folder, backslashes
// allowed, any letter case), or an absolute path, as a native path.
QString NativePath(const QString& name) {
    if (QDir::isAbsolutePath(name))
        return name;
    return QDir::current().absoluteFilePath(
        QString::fromStdString(ResolveProgramPath(Cp1252FromQString(name))));
}

QString FileNamePart(const QString& name) {
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QFileInfo(path).fileName();
}

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw InOutError(path.toStdString(), "open", file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw InOutError(path.toStdString(), "read", file.errorString().toStdString());
    return bytes;
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
    ReplaceFileBytes(path.toStdString(),
                     {bytes.constData(), static_cast<std::size_t>(bytes.size())}, "write");
}

const QString kTextFilter = QStringLiteral("Testi (*.txt *.TXT *.rtf *.RTF);;Tutti i file (*)");

// The caret's line (visual lines, as the control counts them) and column, both from 0.
QPoint CaretLineAndColumn(const QTextCursor& cursor) {
    const QTextBlock block = cursor.block();
    int line = 0;
    for (QTextBlock b = block.document()->begin(); b.isValid() && b != block; b = b.next())
        line += std::max(1, b.layout() ? b.layout()->lineCount() : 1);
    int column = cursor.positionInBlock();
    if (const QTextLayout* layout = block.layout()) {
        const QTextLine textLine = layout->lineForTextPosition(cursor.positionInBlock());
        if (textLine.isValid()) {
            line += textLine.lineNumber();
            column -= textLine.textStart();
        }
    }
    return {column, line};
}

} // namespace

// ---- The ruler and its markers ------------------------------------------------------

IndentMarker::IndentMarker(Kind kind, QWidget* ruler) : QWidget(ruler), kind_(kind) {
    setFixedSize(kMarkerWidth, kMarkerHeight);
    setCursor(Qt::SizeHorCursor);
}

void IndentMarker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(palette().color(QPalette::Button));
    const int w = width() - 1;
    const int h = height() - 1;
    QPolygon triangle;
    if (kind_ == Kind::First)
        triangle << QPoint(0, 0) << QPoint(w, 0) << QPoint(w / 2, h);
    else
        triangle << QPoint(w / 2, 0) << QPoint(w, h) << QPoint(0, h);
    painter.drawPolygon(triangle);
}

void IndentMarker::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragOffset_ = static_cast<int>(event->position().x());
}

void IndentMarker::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_ < 0)
        return;
    const int left = mapToParent(event->position().toPoint()).x() - dragOffset_;
    move(std::clamp(left, 0, std::max(0, parentWidget()->width() - width())), y());
}

void IndentMarker::mouseReleaseEvent(QMouseEvent* event) {
    if (dragOffset_ < 0 || event->button() != Qt::LeftButton)
        return;
    dragOffset_ = -1;
    emit dropped(x());
}

EditorRuler::EditorRuler(QWidget* parent) : QWidget(parent) {
    setFixedHeight(kRulerHeight);
}

void EditorRuler::setTabStop(double pixels) {
    tabStop_ = pixels > 1 ? pixels : 80;
    update();
}

void EditorRuler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int tab = 1; tab <= 100; ++tab) {
        const int x = kMarkerMargin + kMarkerWidth / 2 + static_cast<int>(tab * tabStop_);
        if (x >= width())
            break;
        painter.drawLine(x, 10, x, 16);
    }
}

// ---- The window ---------------------------------------------------------------------

ReportEditor::ReportEditor(QWidget* parent, bool withFormatButtons) : QMainWindow(parent) {
    fileName_ = kUntitled;
    resize(640, 460);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Ruler = new EditorRuler(central);
    Ruler->setObjectName(QStringLiteral("Ruler"));
    Editor = new QTextEdit(central);
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setAcceptRichText(true);
    // The default text attribute; the window's own font (set when it is shown) leaves it.
    const int defaultSize =
        QApplication::font().pointSize() > 0 ? QApplication::font().pointSize() : 10;
    Editor->setFont(QFont(QStringLiteral("Courier New"), defaultSize));
    layout->addWidget(Ruler);
    layout->addWidget(Editor, 1);
    setCentralWidget(central);

    buildActions(withFormatButtons);
    buildMenu();
    buildToolBar(withFormatButtons);
    buildRuler();

    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    StatusLine = new QLabel(statusBar());
    StatusLine->setObjectName(QStringLiteral("StatusPanel0"));
    StatusLine->setMinimumWidth(180);
    StatusChange = new QLabel(statusBar());
    StatusChange->setObjectName(QStringLiteral("StatusPanel1"));
    // Normal (not permanent) panels: a hint shown in the bar covers both.
    statusBar()->addWidget(StatusLine);
    statusBar()->addWidget(StatusChange, 1);

    QTextDocument* document = Editor->document();
    connect(Editor, &QTextEdit::cursorPositionChanged, this, [this] { SelectionChange(); });
    connect(Editor, &QTextEdit::currentCharFormatChanged, this, [this] { SelectionChange(); });
    connect(Editor, &QTextEdit::selectionChanged, this, [this] { UpdatePaste(); });
    connect(Editor, &QTextEdit::copyAvailable, EditCutCmd, &QAction::setEnabled);
    connect(Editor, &QTextEdit::copyAvailable, EditCopyCmd, &QAction::setEnabled);
    connect(Editor, &QTextEdit::undoAvailable, EditUndoCmd, &QAction::setEnabled);
    connect(document, &QTextDocument::modificationChanged, this, [this] { ShowModified(); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { UpdatePaste(); });
    EditCutCmd->setEnabled(false);
    EditCopyCmd->setEnabled(false);
    EditUndoCmd->setEnabled(false);

    setAcceptDrops(true);
    // Drops reach the editor or its viewport, whichever takes them.
    Editor->installEventFilter(this);
    Editor->viewport()->installEventFilter(this);
    Ruler->installEventFilter(this);
    SetFileName(kUntitled);
    SelectionChange();
    UpdatePaste();
    ShowModified();
}

void ReportEditor::buildActions(bool withFormatButtons) {
    QStyle* style = this->style();
    const auto make = [this](const char* name, const QString& text, const QKeySequence& keys,
                             const QString& hint, const QIcon& icon) {
        auto* action = new QAction(icon, text, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        if (!hint.isEmpty()) {
            action->setToolTip(hint);
            action->setStatusTip(hint);
        }
        addAction(action);
        return action;
    };
    const auto themed = [style](const char* name, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(QString::fromLatin1(name), style->standardIcon(fallback));
    };
    FileNewCmd = make("FileNewCmd", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N),
                      QStringLiteral("Crea Nuovo File"), style->standardIcon(QStyle::SP_FileIcon));
    FileOpenCmd = make("FileOpenCmd", QStringLiteral("&Open..."),
                       QKeySequence(Qt::CTRL | Qt::Key_O), QStringLiteral("Apri un File Esistente"),
                       style->standardIcon(QStyle::SP_DialogOpenButton));
    FileSaveCmd = make("FileSaveCmd", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
                       QStringLiteral("Salva il File Attuale"),
                       style->standardIcon(QStyle::SP_DialogSaveButton));
    FilePrintCmd =
        make("FilePrintCmd", QStringLiteral("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P),
             QStringLiteral("Stampa il File Attuale"),
             themed("document-print", QStyle::SP_ComputerIcon));
    FileExitCmd = make("FileExitCmd", QStringLiteral("E&xit"), QKeySequence(Qt::ALT | Qt::Key_X),
                       QString(), QIcon());
    FileSaveAsCmd =
        make("FileSaveAsCmd", QStringLiteral("Save &As..."), QKeySequence(), QString(), QIcon());
    EditUndoCmd = make("EditUndoCmd", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
                       QStringLiteral("Annulla Ultima Operazione"),
                       themed("edit-undo", QStyle::SP_ArrowBack));
    EditCutCmd = make("EditCutCmd", QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X),
                      QStringLiteral("Elimina Parte Selezionata"),
                      themed("edit-cut", QStyle::SP_DialogDiscardButton));
    EditCopyCmd = make("EditCopyCmd", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C),
                       QStringLiteral("Copia Parte Selezionata"),
                       themed("edit-copy", QStyle::SP_FileLinkIcon));
    EditPasteCmd =
        make("EditPasteCmd", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V),
             QStringLiteral("Incolla"), themed("edit-paste", QStyle::SP_DialogApplyButton));
    // The editor's own shortcuts for these commands would answer first.
    for (QAction* action : {EditUndoCmd, EditCutCmd, EditCopyCmd, EditPasteCmd})
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);

    connect(FileNewCmd, &QAction::triggered, this, [this] { FileNew(); });
    connect(FileOpenCmd, &QAction::triggered, this, [this] { FileOpen(); });
    connect(FileSaveCmd, &QAction::triggered, this, [this] { FileSave(); });
    connect(FileSaveAsCmd, &QAction::triggered, this, [this] { FileSaveAs(); });
    connect(FilePrintCmd, &QAction::triggered, this, [this] { FilePrint(); });
    connect(FileExitCmd, &QAction::triggered, this, [this] { FileExit(); });
    connect(EditUndoCmd, &QAction::triggered, Editor, &QTextEdit::undo);
    connect(EditCutCmd, &QAction::triggered, Editor, &QTextEdit::cut);
    connect(EditCopyCmd, &QAction::triggered, Editor, &QTextEdit::copy);
    connect(EditPasteCmd, &QAction::triggered, Editor, &QTextEdit::paste);

    if (!withFormatButtons)
        return;
    const auto toggle = [&](const char* name, const QString& text, const QString& hint) {
        QAction* action = make(name, text, QKeySequence(), hint, QIcon());
        action->setCheckable(true);
        return action;
    };
    BoldButton = toggle("BoldButton", QStringLiteral("G"), QStringLiteral("Grassetto"));
    ItalicButton = toggle("ItalicButton", QStringLiteral("I"), QStringLiteral("Inclinato"));
    UnderlineButton =
        toggle("UnderlineButton", QStringLiteral("S"), QStringLiteral("Sottolineato"));
    LeftAlign = toggle("LeftAlign", QStringLiteral("Sx"), QStringLiteral("Allinea a Sinistra"));
    CenterAlign = toggle("CenterAlign", QStringLiteral("C"), QStringLiteral("Centrato"));
    RightAlign = toggle("RightAlign", QStringLiteral("Dx"), QStringLiteral("Allinea a Destra"));
    auto* alignments = new QActionGroup(this);
    for (QAction* action : {LeftAlign, CenterAlign, RightAlign})
        alignments->addAction(action);

    const auto charChange = [this](auto apply) {
        return [this, apply](bool on) {
            if (updating_)
                return;
            QTextCharFormat format;
            apply(format, on);
            Editor->mergeCurrentCharFormat(format);
        };
    };
    connect(BoldButton, &QAction::toggled, this, charChange([](QTextCharFormat& f, bool on) {
                f.setFontWeight(on ? QFont::Bold : QFont::Normal);
            }));
    connect(ItalicButton, &QAction::toggled, this,
            charChange([](QTextCharFormat& f, bool on) { f.setFontItalic(on); }));
    connect(UnderlineButton, &QAction::toggled, this,
            charChange([](QTextCharFormat& f, bool on) { f.setFontUnderline(on); }));
    const auto align = [this](Qt::Alignment alignment) {
        return [this, alignment](bool on) {
            if (on && !updating_)
                Editor->setAlignment(alignment);
        };
    };
    connect(LeftAlign, &QAction::toggled, this, align(Qt::AlignLeft));
    connect(CenterAlign, &QAction::toggled, this, align(Qt::AlignHCenter));
    connect(RightAlign, &QAction::toggled, this, align(Qt::AlignRight));
}

void ReportEditor::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    const auto item = [](QMenu* menu, const char* name, const QString& text, QAction* command) {
        QAction* entry = menu->addAction(text);
        entry->setObjectName(QString::fromLatin1(name));
        QObject::connect(entry, &QAction::triggered, command, &QAction::trigger);
        entry->setEnabled(command->isEnabled());
        QObject::connect(command, &QAction::changed, entry,
                         [entry, command] { entry->setEnabled(command->isEnabled()); });
        return entry;
    };
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    item(file, "FileNewItem", QStringLiteral("&Nuovo"), FileNewCmd);
    item(file, "FileOpenItem", QStringLiteral("&Apri..."), FileOpenCmd);
    item(file, "FileSaveItem", QStringLiteral("&Salva"), FileSaveCmd);
    item(file, "FileSaveAsItem", QStringLiteral("salva come"), FileSaveAsCmd);
    item(file, "FilePrintItem", QStringLiteral("Stam&Pa"), FilePrintCmd);
    file->addSeparator();
    item(file, "FileExitItem", QStringLiteral("Fine E&Xit"), FileExitCmd);

    QMenu* edit = bar->addMenu(QStringLiteral("&Modifica"));
    edit->setObjectName(QStringLiteral("Edit1"));
    item(edit, "EditUndoItem", QStringLiteral("&Annulla"), EditUndoCmd);
    item(edit, "EditCutItem", QStringLiteral("&Taglia"), EditCutCmd);
    item(edit, "EditCopyItem", QStringLiteral("&Copia"), EditCopyCmd);
    item(edit, "EditPasteItem", QStringLiteral("&Incolla"), EditPasteCmd);
    edit->addSeparator();
    QAction* font = edit->addAction(QStringLiteral("&Font..."));
    font->setObjectName(QStringLiteral("EditFontItem"));
    connect(font, &QAction::triggered, this, [this] { SelectFont(); });
}

void ReportEditor::buildToolBar(bool withFormatButtons) {
    StandardToolBar = addToolBar(QStringLiteral("StandardToolBar"));
    StandardToolBar->setObjectName(QStringLiteral("StandardToolBar"));
    StandardToolBar->setMovable(false);
    StandardToolBar->addActions({FileNewCmd, FileOpenCmd, FileSaveCmd, FilePrintCmd});
    StandardToolBar->addSeparator();
    StandardToolBar->addActions({EditCutCmd, EditCopyCmd, EditPasteCmd, EditUndoCmd});
    StandardToolBar->addSeparator();

    FontName = new QFontComboBox(StandardToolBar);
    FontName->setObjectName(QStringLiteral("FontName"));
    FontName->setToolTip(QStringLiteral("Nome del Font"));
    FontName->setStatusTip(QStringLiteral("Nome del Font"));
    FontName->setMaximumWidth(200);
    StandardToolBar->addWidget(FontName);
    FontSize = new QSpinBox(StandardToolBar);
    FontSize->setObjectName(QStringLiteral("FontSize"));
    FontSize->setToolTip(QStringLiteral("Grandezza Font"));
    FontSize->setStatusTip(QStringLiteral("Grandezza Font"));
    FontSize->setRange(1, 400);
    StandardToolBar->addWidget(FontSize);
    connect(FontName, &QFontComboBox::currentFontChanged, this, [this] { FontNameChange(); });
    connect(FontSize, &QSpinBox::valueChanged, this, [this] { FontSizeChange(); });

    if (!withFormatButtons)
        return;
    StandardToolBar->addSeparator();
    StandardToolBar->addActions({BoldButton, ItalicButton, UnderlineButton});
    StandardToolBar->addSeparator();
    StandardToolBar->addActions({LeftAlign, CenterAlign, RightAlign});
}

void ReportEditor::buildRuler() {
    RulerLine = new QFrame(Ruler);
    RulerLine->setObjectName(QStringLiteral("RulerLine"));
    static_cast<QFrame*>(RulerLine)->setFrameShape(QFrame::HLine);
    RulerLine->setGeometry(0, 12, 4000, 2);
    FirstInd = new IndentMarker(IndentMarker::Kind::First, Ruler);
    FirstInd->setObjectName(QStringLiteral("FirstInd"));
    LeftInd = new IndentMarker(IndentMarker::Kind::Left, Ruler);
    LeftInd->setObjectName(QStringLiteral("LeftInd"));
    RightInd = new IndentMarker(IndentMarker::Kind::Right, Ruler);
    RightInd->setObjectName(QStringLiteral("RightInd"));
    for (IndentMarker* marker : {FirstInd, LeftInd, RightInd})
        connect(marker, &IndentMarker::dropped, this,
                [this, marker](int left) { MarkerDropped(marker->kind(), left); });
    Ruler->setTabStop(Editor->tabStopDistance());
}

int ReportEditor::MarkerLeft(double indentPixels) {
    return static_cast<int>(std::trunc(indentPixels)) + kMarkerMargin;
}

int ReportEditor::RightMarkerLeft(int rulerWidth, double rightIndentPixels) {
    return rulerWidth - kRightMarkerMargin - static_cast<int>(std::trunc(rightIndentPixels));
}

// ---- Showing and closing ------------------------------------------------------------

bool ReportEditor::openFile(const QString& name) {
    if (isVisible() && !CheckFileSave())
        return false;
    if (!RunChecked([&] { PerformFileOpen(name); }))
        return false;
    openedByCall_ = !isVisible();
    show();
    raise();
    activateWindow();
    return true;
}

void ReportEditor::execModal() {
    if (isVisible() && !close())
        return;
    const Qt::WindowFlags previous = windowFlags();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &ReportEditor::closed, &loop, &QEventLoop::quit);
    show();
    loop.exec(QEventLoop::DialogExec);
    setWindowModality(Qt::NonModal);
    setWindowFlags(previous);
}

void ReportEditor::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    if (openedByCall_)
        openedByCall_ = false;
    else
        RunChecked([this] { FormActivate(); });
    if (firstShow_) {
        firstShow_ = false;
        // A file named on the command line is opened when the window is first shown.
        const QStringList arguments = QCoreApplication::arguments();
        if (arguments.size() > 1 && !arguments[1].startsWith(QLatin1Char('-')) &&
            QFileInfo(arguments[1]).isFile())
            RunChecked([&] { PerformFileOpen(QFileInfo(arguments[1]).absoluteFilePath()); });
    }
}

void ReportEditor::FormActivate() {
    setFont(QFont(QStringLiteral("Arial Narrow"), 12));
    const std::vector<std::string> lines = ReadTextLines("FileDum\\DatModif.dum");
    PerformFileOpen(lines.empty() ? QString() : QStringFromCp1252(lines.front()));
}

void ReportEditor::closeEvent(QCloseEvent* event) {
    if (!CheckFileSave()) {
        event->ignore();
        return;
    }
    event->accept();
    QMainWindow::closeEvent(event);
    emit closed();
}

// ---- Files ----------------------------------------------------------------------------

void ReportEditor::SetFileName(const QString& name) {
    fileName_ = name;
    const QString part = FileNamePart(name);
    QString shown = part;
    if (part.startsWith(QLatin1String("TAB")) || part.startsWith(QLatin1String("Tema"))) {
        const QString folder = part.startsWith(QLatin1String("TAB")) ? QStringLiteral("Txt/")
                                                                     : QStringLiteral("MieiTesti/");
        shown = QDir::current().absoluteFilePath(folder + part);
    }
    setWindowTitle(shown + QStringLiteral("  ") + QStringLiteral(" "));
}

void ReportEditor::PerformFileOpen(const QString& name) {
    const QString path = NativePath(name);
    const QByteArray bytes = ReadFileBytes(path);
    LoadReportText(bytes, *Editor->document());
    Editor->setReadOnly(!QFileInfo(path).isWritable());
    SetFileName(name);
    Editor->moveCursor(QTextCursor::Start);
    Editor->setFocus();
    Editor->document()->setModified(false);
    SelectionChange();
    UpdatePaste();
    ShowModified();
}

bool ReportEditor::WriteCurrentFile(const QString& name) {
    return RunChecked([&] {
        WriteFileBytes(NativePath(name), RichTextOf(*Editor->document()));
        Editor->document()->setModified(false);
    });
}

QString ReportEditor::dialogFolder() const {
    return QDir::current().absoluteFilePath(
        QString::fromStdString(ResolveProgramPath("MieiTesti")));
}

bool ReportEditor::CheckFileSave() {
    if (!Editor->document()->isModified())
        return true;
    switch (AskYesNoCancel(this, QStringLiteral("Guarde los cambios en ") + fileName_ +
                                     QLatin1Char('?'))) {
    case Answer::Yes:
        return FileSave();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

void ReportEditor::FileNew() {
    if (!CheckFileSave())
        return;
    SetFileName(kUntitled);
    Editor->clear();
    Editor->setReadOnly(false);
    Editor->document()->setModified(false);
    SelectionChange();
}

void ReportEditor::FileOpen() {
    if (!CheckFileSave())
        return;
    QFileDialog* dialog = FileDialog(this, QStringLiteral("Apri"), dialogFolder(), kTextFilter,
                                     QFileDialog::AcceptOpen);
    dialog->setObjectName(QStringLiteral("OpenDialog"));
    dialog->setDefaultSuffix(QStringLiteral("TXT"));
    const QString chosen = ChosenFile(dialog);
    if (!chosen.isEmpty())
        RunChecked([&] { PerformFileOpen(chosen); });
}

bool ReportEditor::FileSave() {
    if (fileName_ == kUntitled)
        return FileSaveAs();
    return WriteCurrentFile(fileName_);
}

bool ReportEditor::FileSaveAs() {
    QFileDialog* dialog = FileDialog(this, QStringLiteral("salva come"), dialogFolder(),
                                     kTextFilter, QFileDialog::AcceptSave);
    dialog->setObjectName(QStringLiteral("SaveDialog"));
    if (fileName_ != kUntitled)
        dialog->selectFile(FileNamePart(fileName_));
    const QString chosen = ChosenFile(dialog);
    if (chosen.isEmpty())
        return false;
    if (QFileInfo::exists(chosen) &&
        AskYesNoCancel(this, QStringLiteral("Aceptar para sobrescribir ") + chosen) != Answer::Yes)
        return false;
    if (!WriteCurrentFile(chosen))
        return false;
    SetFileName(chosen);
    return true;
}

void ReportEditor::FilePrint() {
    QPrinter& printer = ProgramPrinter();
    if (!PrinterIsPdfFile()) {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        printer.setDocName(fileName_);
        Editor->print(&printer);
        return;
    }
    // No system printer: the text is written to a PDF file the user names.
    QFileDialog* dialog = FileDialog(this, QStringLiteral("Stampa"), dialogFolder(),
                                     QStringLiteral("PDF (*.pdf)"), QFileDialog::AcceptSave);
    dialog->setObjectName(QStringLiteral("PrintDialog"));
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    dialog->selectFile(QFileInfo(FileNamePart(fileName_)).completeBaseName() +
                       QStringLiteral(".pdf"));
    const QString chosen = ChosenFile(dialog);
    if (chosen.isEmpty())
        return;
    if (QFileInfo::exists(chosen) &&
        AskYesNoCancel(this, QStringLiteral("Aceptar para sobrescribir ") + chosen) != Answer::Yes)
        return;
    RunChecked([&] {
        QFile::remove(chosen);
        const QString previous = printer.outputFileName();
        printer.setOutputFileName(chosen);
        printer.setDocName(fileName_);
        Editor->print(&printer);
        printer.setOutputFileName(previous);
        if (!QFileInfo(chosen).isFile() || QFileInfo(chosen).size() == 0)
            throw InOutError(chosen.toStdString(), "write");
    });
}

void ReportEditor::FileExit() {
    close();
}

// ---- Fonts, selection and ruler -------------------------------------------------------

void ReportEditor::SelectFont() {
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, Editor->currentCharFormat().font(), this);
    if (!chosen)
        return;
    QTextCharFormat format;
    format.setFont(font);
    Editor->mergeCurrentCharFormat(format);
    SelectionChange();
}

void ReportEditor::SelectionChange() {
    if (updating_ || !StatusLine)
        return;
    updating_ = true;
    const QTextCharFormat chars = Editor->currentCharFormat();
    QString family = chars.fontFamilies().toStringList().value(0);
    if (family.isEmpty())
        family = Editor->document()->defaultFont().family();
    double size = chars.fontPointSize();
    if (size <= 0)
        size = Editor->document()->defaultFont().pointSizeF();
    FontName->setCurrentFont(QFont(family));
    FontSize->setValue(static_cast<int>(std::lround(size)));

    const QTextBlockFormat paragraph = Editor->textCursor().blockFormat();
    const int top = 0;
    const int bottom = kRulerHeight - kMarkerHeight - 1;
    FirstInd->move(MarkerLeft(paragraph.leftMargin() + paragraph.textIndent()), top);
    LeftInd->move(MarkerLeft(paragraph.leftMargin()), bottom);
    RightInd->move(RightMarkerLeft(Ruler->width(), paragraph.rightMargin()), bottom);

    if (BoldButton) {
        BoldButton->setChecked(chars.fontWeight() >= QFont::Bold);
        ItalicButton->setChecked(chars.fontItalic());
        UnderlineButton->setChecked(chars.fontUnderline());
        const Qt::Alignment alignment = paragraph.alignment() & Qt::AlignHorizontal_Mask;
        const bool centre = alignment.testFlag(Qt::AlignHCenter);
        const bool right = alignment.testFlag(Qt::AlignRight);
        CenterAlign->setChecked(centre);
        RightAlign->setChecked(right);
        LeftAlign->setChecked(!centre && !right);
    }

    const QPoint caret = CaretLineAndColumn(Editor->textCursor());
    StatusLine->setText(QString::asprintf("Line: %3d   Col: %3d", caret.y() + 1, caret.x() + 1));
    updating_ = false;
}

void ReportEditor::FontNameChange() {
    if (updating_)
        return;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{FontName->currentFont().family()});
    Editor->mergeCurrentCharFormat(format);
}

void ReportEditor::FontSizeChange() {
    if (updating_)
        return;
    QTextCharFormat format;
    format.setFontPointSize(FontSize->value());
    Editor->mergeCurrentCharFormat(format);
}

// The rich-edit paragraph's measures: the first indent is the first line's, from the left
// edge; the left indent is the other lines', from the first line; the right indent is
// from the right edge. Dragging the first marker keeps the other lines where they are
// relative to the first line.
void ReportEditor::MarkerDropped(IndentMarker::Kind kind, int left) {
    QTextCursor cursor = Editor->textCursor();
    QTextBlockFormat paragraph = cursor.blockFormat();
    const double position = std::max(0, left - kMarkerMargin);
    const double first = paragraph.leftMargin() + paragraph.textIndent();
    switch (kind) {
    case IndentMarker::Kind::First: {
        double margin = position - paragraph.textIndent();
        double indent = paragraph.textIndent();
        if (margin < 0) {
            margin = 0;
            indent = position;
        }
        paragraph.setLeftMargin(margin);
        paragraph.setTextIndent(indent);
        break;
    }
    case IndentMarker::Kind::Left:
        paragraph.setLeftMargin(position);
        paragraph.setTextIndent(first - position);
        break;
    case IndentMarker::Kind::Right:
        paragraph.setRightMargin(std::max(0, Ruler->width() - kRightMarkerMargin - left));
        break;
    }
    QTextBlockFormat change;
    change.setLeftMargin(paragraph.leftMargin());
    change.setTextIndent(paragraph.textIndent());
    change.setRightMargin(paragraph.rightMargin());
    cursor.mergeBlockFormat(change);
    SelectionChange();
}

void ReportEditor::ShowModified() {
    StatusChange->setText(Editor->document()->isModified() ? QStringLiteral("Modified")
                                                           : QString());
}

void ReportEditor::UpdatePaste() {
    EditPasteCmd->setEnabled(Editor->canPaste());
}

void ReportEditor::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    SelectionChange();
}

// ---- Dropped files ----------------------------------------------------------------

namespace {
QString FirstLocalFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}
} // namespace

bool ReportEditor::dropFiles(const QMimeData* data) {
    const QString file = FirstLocalFile(data);
    if (file.isEmpty())
        return false;
    if (CheckFileSave())
        RunChecked([&] { PerformFileOpen(file); });
    return true;
}

void ReportEditor::dragEnterEvent(QDragEnterEvent* event) {
    if (!FirstLocalFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void ReportEditor::dropEvent(QDropEvent* event) {
    if (dropFiles(event->mimeData()))
        event->acceptProposedAction();
}

bool ReportEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Ruler && event->type() == QEvent::Resize) {
        SelectionChange();
    } else if (watched == Editor || watched == Editor->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!FirstLocalFile(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
            break;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (dropFiles(drop->mimeData())) {
                drop->acceptProposedAction();
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace exo
