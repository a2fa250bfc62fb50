// Window tests of the report editor, driven headless with Qt Test in a scratch program
// folder holding a subject's text and FileDum\DatModif.dum.
#include "TestFolder.h"
#include "editor/windows/UnRemai1.h"
#include "editor/windows/UnRemaiH.h"
#include "graphics/windows/ProgramPrinter.h"
#include "platform/ErrorBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QFontComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <functional>
#include <memory>

using namespace exo;

namespace {

template <typename T> T* Child(QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

// The polls still waiting, stopped when a test ends.
QList<QPointer<QTimer>>& Polls() {
    static QList<QPointer<QTimer>> polls;
    return polls;
}

void StopPolls() {
    for (const QPointer<QTimer>& poll : Polls())
        delete poll.data();
    Polls().clear();
}

// Acts on the next modal windows in turn: each step gets the modal widget once it shows.
// The texts of message boxes land in the returned list.
std::shared_ptr<QStringList> WhenModal(std::vector<std::function<void(QWidget*)>> steps) {
    auto texts = std::make_shared<QStringList>();
    auto next = std::make_shared<std::size_t>(0);
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, texts, next, steps] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->property("handled").toBool())
            return;
        modal->setProperty("handled", true);
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            texts->append(box->text());
        const std::size_t step = (*next)++;
        if (*next == steps.size()) {
            poll->stop();
            poll->deleteLater();
        }
        steps[step](modal);
    });
    Polls() << poll;
    poll->start();
    return texts;
}

// A step that clicks the message box's button of that caption.
std::function<void(QWidget*)> Press(const QString& caption) {
    return [caption](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            modal->close();
            return;
        }
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == caption) {
                button->click();
                return;
            }
        }
        box->reject();
    };
}

// A step that accepts a file dialog with the given file.
std::function<void(QWidget*)> ChooseFile(const QString& path) {
    return [path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    };
}

QString Status(QWidget* window, const char* panel) {
    return Child<QLabel>(window, panel)->text();
}

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScratchFolder> folder_;
    std::unique_ptr<TFoReMaiH> editor_;
    QStringList errors_;

    QTextEdit* editor() { return Child<QTextEdit>(editor_.get(), "Editor"); }
    QAction* action(const char* name) { return Child<QAction>(editor_.get(), name); }
    QString path(const char* relative) {
        return QString::fromStdString((folder_->path() / relative).string());
    }

    void showEditor() {
        editor_ = std::make_unique<TFoReMaiH>();
        editor_->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor_.get()));
    }

    void type(const QString& text) {
        editor()->setFocus();
        QTest::keyClicks(editor(), text);
    }

  private slots:
    void init() {
        folder_ = std::make_unique<test::ScratchFolder>();
        folder_->write("FileDum/DatModif.dum", "BASEtxt/00001.txt\r\n");
        folder_->write("BASEtxt/00001.txt", "ROSSI MARIO\r\n");
        folder_->write("MieiTesti/Tema ejemplo.txt", "tema\r\n");
        errors_.clear();
        SetErrorPresenter([this](const QString& text) { errors_ << text; });
    }
    void cleanup() {
        StopPolls();
        editor_.reset();
        SetErrorPresenter({});
        folder_.reset();
    }

    void showingOpensTheTextNamedInDatModif() {
        showEditor();
        QCOMPARE(editor()->toPlainText(), QStringLiteral("ROSSI MARIO\n"));
        QCOMPARE(editor_->fileName(), QStringLiteral("BASEtxt/00001.txt"));
        QCOMPARE(editor_->windowTitle(), QStringLiteral("00001.txt   "));
        QCOMPARE(Status(editor_.get(), "StatusPanel0"), QStringLiteral("Line:   1   Col:   1"));
        QCOMPARE(Status(editor_.get(), "StatusPanel1"), QString());
        QCOMPARE(editor_->font().family(), QStringLiteral("Arial Narrow"));
        QCOMPARE(editor_->font().pointSize(), 12);
        QCOMPARE(editor()->document()->defaultFont().family(), QStringLiteral("Courier New"));
        QVERIFY(errors_.isEmpty());
    }

    void aMissingTextOrDatModifShowsTheErrorBox() {
        folder_->write("FileDum/DatModif.dum", "BASEtxt/00009.txt\r\n");
        showEditor();
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_[0].contains(QStringLiteral("00009.txt")), qPrintable(errors_[0]));
        editor_->close();
        std::filesystem::remove(folder_->path() / "FileDum" / "DatModif.dum");
        editor_->show();
        QCOMPARE(errors_.size(), 2);
        QVERIFY2(errors_[1].contains(QStringLiteral("DatModif.dum")), qPrintable(errors_[1]));
    }

    void theCaretPositionAndTheModifiedMark() {
        showEditor();
        editor()->moveCursor(QTextCursor::End);
        type(QStringLiteral("abc"));
        QCOMPARE(Status(editor_.get(), "StatusPanel0"), QStringLiteral("Line:   2   Col:   4"));
        QCOMPARE(Status(editor_.get(), "StatusPanel1"), QStringLiteral("Modified"));
    }

    void savingWritesRichTextThatOpensAgain() {
        showEditor();
        editor()->moveCursor(QTextCursor::End);
        type(QStringLiteral("Nota "));
        editor()->insertPlainText(QStringLiteral("è"));
        QTextCursor cursor = editor()->textCursor();
        cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        editor()->setTextCursor(cursor);
        Child<QSpinBox>(editor_.get(), "FontSize")->setValue(20);
        action("FileSaveCmd")->trigger();
        QCOMPARE(Status(editor_.get(), "StatusPanel1"), QString());
        const std::string saved = folder_->read("BASEtxt/00001.txt");
        QVERIFY(saved.rfind("{\\rtf1", 0) == 0);
        QVERIFY(saved.find("\\fs40 Nota \\'e8") != std::string::npos);

        editor_->close();
        editor_->show();
        QCOMPARE(editor()->toPlainText(), QStringLiteral("ROSSI MARIO\nNota è"));
        QTextCursor last(editor()->document()->lastBlock());
        last.movePosition(QTextCursor::EndOfBlock);
        QCOMPARE(last.charFormat().fontPointSize(), 20.0);
    }

    void newAsksAboutUnsavedChanges_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("textAfter");
        QTest::addColumn<QString>("fileAfter");
        QTest::addColumn<QString>("savedAfter");
        QTest::newRow("Cancelar keeps the text") << "Cancelar"
                                                 << "xROSSI MARIO\n"
                                                 << "BASEtxt/00001.txt"
                                                 << "ROSSI MARIO\r\n";
        QTest::newRow("No drops it") << "No"
                                     << ""
                                     << "Untitled"
                                     << "ROSSI MARIO\r\n";
        QTest::newRow("Sí saves it first") << "Sí"
                                           << ""
                                           << "Untitled"
                                           << "";
    }
    void newAsksAboutUnsavedChanges() {
        QFETCH(QString, answer);
        QFETCH(QString, textAfter);
        QFETCH(QString, fileAfter);
        QFETCH(QString, savedAfter);
        showEditor();
        type(QStringLiteral("x"));
        const auto texts = WhenModal({Press(answer)});
        action("FileNewCmd")->trigger();
        QCOMPARE(*texts, QStringList{QStringLiteral("Guarde los cambios en BASEtxt/00001.txt?")});
        QCOMPARE(editor()->toPlainText(), textAfter);
        QCOMPARE(editor_->fileName(), fileAfter);
        const std::string saved = folder_->read("BASEtxt/00001.txt");
        if (savedAfter.isEmpty())
            QVERIFY(saved.rfind("{\\rtf1", 0) == 0 && saved.find("xROSSI") != std::string::npos);
        else
            QCOMPARE(QString::fromStdString(saved), savedAfter);
    }

    void aSaveThatDoesNotHappenAbandonsTheAction() {
        showEditor();
        action("FileNewCmd")->trigger();
        type(QStringLiteral("sin nombre"));
        const auto texts = WhenModal({Press(QStringLiteral("Sí")), [](QWidget* modal) {
                                          qobject_cast<QDialog*>(modal)->reject();
                                      }});
        action("FileNewCmd")->trigger();
        QCOMPARE(texts->size(), 1);
        QCOMPARE(editor()->toPlainText(), QStringLiteral("sin nombre"));
        QCOMPARE(Status(editor_.get(), "StatusPanel1"), QStringLiteral("Modified"));
    }

    void closingWithUnsavedChangesAndCancelKeepsTheWindow() {
        showEditor();
        type(QStringLiteral("x"));
        const auto texts = WhenModal({Press(QStringLiteral("Cancelar"))});
        QVERIFY(!editor_->close());
        QCOMPARE(texts->size(), 1);
        QVERIFY(editor_->isVisible());
        QCOMPARE(editor()->toPlainText(), QStringLiteral("xROSSI MARIO\n"));
        WhenModal({Press(QStringLiteral("No"))});
        QVERIFY(editor_->close());
    }

    void anUntitledTextAlwaysAsksForAName() {
        showEditor();
        action("FileNewCmd")->trigger();
        type(QStringLiteral("nuevo"));
        const QString chosen = path("MieiTesti/nuevo.txt");
        WhenModal({[](QWidget* modal) {
            // The save dialog starts in MieiTesti.
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->directory().dirName(), QStringLiteral("MieiTesti"));
            ChooseFile(dialog->directory().filePath(QStringLiteral("nuevo.txt")))(modal);
        }});
        action("FileSaveCmd")->trigger();
        QCOMPARE(editor_->fileName(), chosen);
        QCOMPARE(editor_->windowTitle(), QStringLiteral("nuevo.txt   "));
        QVERIFY(folder_->read("MieiTesti/nuevo.txt").find("nuevo") != std::string::npos);
        QCOMPARE(Status(editor_.get(), "StatusPanel1"), QString());
    }

    void saveAsOverAnExistingFileAsks() {
        showEditor();
        type(QStringLiteral("x"));
        const QString existing = path("MieiTesti/Tema ejemplo.txt");
        for (const char* answer : {"No", "Cancelar"}) {
            const auto texts = WhenModal({ChooseFile(existing), Press(QString::fromUtf8(answer))});
            action("FileSaveAsCmd")->trigger();
            QCOMPARE(*texts, QStringList{QStringLiteral("Aceptar para sobrescribir ") + existing});
            QCOMPARE(folder_->read("MieiTesti/Tema ejemplo.txt"), std::string("tema\r\n"));
            QCOMPARE(editor_->fileName(), QStringLiteral("BASEtxt/00001.txt"));
        }
        WhenModal({ChooseFile(existing), Press(QStringLiteral("Sí"))});
        action("FileSaveAsCmd")->trigger();
        QVERIFY(folder_->read("MieiTesti/Tema ejemplo.txt").find("xROSSI") != std::string::npos);
        QCOMPARE(editor_->fileName(), existing);
        // A "Tema" text shows its full place in the caption.
        QCOMPARE(editor_->windowTitle(),
                 path("MieiTesti/Tema ejemplo.txt") + QStringLiteral("   "));
    }

    void printingWithoutAPrinterWritesAPdf() {
        if (!PrinterIsPdfFile())
            QSKIP("this machine has a system printer");
        showEditor();
        const QString pdf = path("informe.pdf");
        WhenModal({ChooseFile(pdf)});
        action("FilePrintCmd")->trigger();
        QVERIFY(folder_->read("informe.pdf").rfind("%PDF", 0) == 0);
        QVERIFY(errors_.isEmpty());
    }

    void aDroppedFileIsOpened() {
        showEditor();
        type(QStringLiteral("x"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path("MieiTesti/Tema ejemplo.txt")),
                      QUrl::fromLocalFile(path("BASEtxt/00001.txt"))});
        const auto texts = WhenModal({Press(QStringLiteral("No"))});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(editor()->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor()->viewport(), &drop);
        QCOMPARE(texts->size(), 1);
        QCOMPARE(editor()->toPlainText(), QStringLiteral("tema\n"));
        QCOMPARE(editor_->fileName(), path("MieiTesti/Tema ejemplo.txt"));
    }

    void openFileOpensWithoutDatModif() {
        std::filesystem::remove(folder_->path() / "FileDum" / "DatModif.dum");
        editor_ = std::make_unique<TFoReMaiH>();
        QVERIFY(editor_->openFile(QStringLiteral("MieiTesti\\Tema ejemplo.txt")));
        QVERIFY(editor_->isVisible());
        QCOMPARE(editor()->toPlainText(), QStringLiteral("tema\n"));
        QVERIFY(errors_.isEmpty());
        QVERIFY(!editor_->openFile(QStringLiteral("BASEtxt/00404.txt")));
        QCOMPARE(errors_.size(), 1);
        QCOMPARE(editor()->toPlainText(), QStringLiteral("tema\n"));
    }

    void execModalReturnsWhenTheWindowCloses() {
        editor_ = std::make_unique<TFoReMaiH>();
        QString shown;
        QTimer::singleShot(50, [&] {
            shown = editor()->toPlainText();
            QVERIFY(editor_->isModal());
            editor_->close();
        });
        editor_->execModal();
        QCOMPARE(shown, QStringLiteral("ROSSI MARIO\n"));
        QVERIFY(!editor_->isVisible());
        QVERIFY(!editor_->isModal());
    }

    void editCommandsFollowTheSelectionAndTheUndoState() {
        showEditor();
        QVERIFY(!action("EditCutCmd")->isEnabled());
        QVERIFY(!action("EditCopyCmd")->isEnabled());
        QVERIFY(!action("EditUndoCmd")->isEnabled());
        editor()->selectAll();
        QVERIFY(action("EditCutCmd")->isEnabled());
        QVERIFY(action("EditCopyCmd")->isEnabled());
        QVERIFY(Child<QAction>(editor_.get(), "EditCopyItem")->isEnabled());
        action("EditCutCmd")->trigger();
        QCOMPARE(editor()->toPlainText(), QString());
        QVERIFY(action("EditUndoCmd")->isEnabled());
        QVERIFY(action("EditPasteCmd")->isEnabled());
        action("EditPasteCmd")->trigger();
        action("EditPasteCmd")->trigger();
        QCOMPARE(editor()->toPlainText(), QStringLiteral("ROSSI MARIO\nROSSI MARIO\n"));
        action("EditUndoCmd")->trigger();
        QCOMPARE(editor()->toPlainText(), QStringLiteral("ROSSI MARIO\n"));
    }

    void fontControlsApplyToTheSelectionAndShowIt() {
        showEditor();
        QTextCursor cursor = editor()->textCursor();
        cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        editor()->setTextCursor(cursor);
        auto* name = Child<QFontComboBox>(editor_.get(), "FontName");
        auto* size = Child<QSpinBox>(editor_.get(), "FontSize");
        name->setCurrentFont(QFont(QStringLiteral("Arial")));
        size->setValue(18);
        QTextCursor first(editor()->document());
        first.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(first.charFormat().fontPointSize(), 18.0);
        QCOMPARE(first.charFormat().fontFamilies().toStringList().value(0),
                 name->currentFont().family());
        editor()->moveCursor(QTextCursor::End);
        QCOMPARE(size->value(), editor()->document()->defaultFont().pointSize());
        editor()->moveCursor(QTextCursor::Start);
        editor()->moveCursor(QTextCursor::Right);
        QCOMPARE(size->value(), 18);
    }

    void theRulerMarkersShowAndSetTheIndents() {
        showEditor();
        auto* ruler = Child<QWidget>(editor_.get(), "Ruler");
        auto* first = Child<QWidget>(editor_.get(), "FirstInd");
        auto* left = Child<QWidget>(editor_.get(), "LeftInd");
        auto* right = Child<QWidget>(editor_.get(), "RightInd");
        QTextBlockFormat format;
        format.setLeftMargin(30);
        format.setTextIndent(15);
        format.setRightMargin(20);
        editor()->textCursor().mergeBlockFormat(format);
        editor()->moveCursor(QTextCursor::Right);
        QCOMPARE(first->x(), 47);
        QCOMPARE(left->x(), 32);
        QCOMPARE(right->x(), ruler->width() - 6 - 20);

        // The left marker dragged 30 pixels right: the other lines move, the first stays.
        QTest::mousePress(left, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QTest::mouseMove(left, QPoint(33, 3));
        QTest::mouseRelease(left, Qt::LeftButton, Qt::NoModifier, QPoint(33, 3));
        const QTextBlockFormat block = editor()->textCursor().blockFormat();
        QCOMPARE(block.leftMargin(), 60.0);
        QCOMPARE(block.textIndent(), -15.0);
        QCOMPARE(first->x(), 47);
        QCOMPARE(left->x(), 62);
    }

    void actionsMenusAndHints() {
        showEditor();
        struct Row {
            const char* name;
            const char* caption;
            QKeySequence keys;
            const char* hint;
        };
        const Row rows[] = {
            {"FileNewCmd", "&New", QKeySequence(Qt::CTRL | Qt::Key_N), "Crea Nuovo File"},
            {"FileOpenCmd", "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O),
             "Apri un File Esistente"},
            {"FileSaveCmd", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S), "Salva il File Attuale"},
            {"FilePrintCmd", "&Print", QKeySequence(Qt::CTRL | Qt::Key_P),
             "Stampa il File Attuale"},
            {"FileExitCmd", "E&xit", QKeySequence(Qt::ALT | Qt::Key_X), ""},
            {"FileSaveAsCmd", "Save &As...", QKeySequence(), ""},
            {"EditUndoCmd", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z),
             "Annulla Ultima Operazione"},
            {"EditCutCmd", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), "Elimina Parte Selezionata"},
            {"EditCopyCmd", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), "Copia Parte Selezionata"},
            {"EditPasteCmd", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), "Incolla"},
        };
        for (const Row& row : rows) {
            QAction* command = action(row.name);
            QCOMPARE(command->text(), QString::fromUtf8(row.caption));
            QCOMPARE(command->shortcut(), row.keys);
            QCOMPARE(command->statusTip(), QString::fromUtf8(row.hint));
        }
        QCOMPARE(Child<QWidget>(editor_.get(), "FontName")->statusTip(),
                 QStringLiteral("Nome del Font"));
        QCOMPARE(Child<QWidget>(editor_.get(), "FontSize")->statusTip(),
                 QStringLiteral("Grandezza Font"));

        QStringList menus;
        for (QAction* menu : editor_->menuBar()->actions()) {
            QStringList items;
            for (QAction* item : menu->menu()->actions())
                if (!item->isSeparator())
                    items << item->text();
            menus << menu->text() + ": " + items.join(", ");
        }
        QCOMPARE(menus,
                 (QStringList{"&File: &Nuovo, &Apri..., &Salva, salva come, Stam&Pa, Fine E&Xit",
                              "&Modifica: &Annulla, &Taglia, &Copia, &Incolla, &Font..."}));

        // A hint covers the two panels while it is shown.
        QStatusTipEvent tip(QStringLiteral("Crea Nuovo File"));
        QApplication::sendEvent(editor_.get(), &tip);
        QCOMPARE(editor_->statusBar()->currentMessage(), QStringLiteral("Crea Nuovo File"));
        QVERIFY(!Child<QLabel>(editor_.get(), "StatusPanel0")->isVisible());

        // Alt+X leaves the editor.
        QTest::keyClick(editor(), Qt::Key_X, Qt::AltModifier);
        QVERIFY(!editor_->isVisible());
    }

    void theSecondEditorHasTheFormatButtons() {
        TFoReMai1 second;
        second.show();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        auto* text = Child<QTextEdit>(&second, "Editor");
        QCOMPARE(text->toPlainText(), QStringLiteral("ROSSI MARIO\n"));
        const struct {
            const char* name;
            const char* hint;
        } buttons[] = {{"BoldButton", "Grassetto"},         {"ItalicButton", "Inclinato"},
                       {"UnderlineButton", "Sottolineato"}, {"LeftAlign", "Allinea a Sinistra"},
                       {"CenterAlign", "Centrato"},         {"RightAlign", "Allinea a Destra"}};
        for (const auto& button : buttons)
            QCOMPARE(Child<QAction>(&second, button.name)->statusTip(),
                     QString::fromUtf8(button.hint));
        text->selectAll();
        Child<QAction>(&second, "BoldButton")->trigger();
        Child<QAction>(&second, "CenterAlign")->trigger();
        QTextCursor first(text->document());
        first.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(first.charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(Child<QAction>(&second, "CenterAlign")->isChecked());
        QVERIFY(!Child<QAction>(&second, "LeftAlign")->isChecked());
        WhenModal({Press(QStringLiteral("No"))});
        second.close();
    }
};

QTEST_MAIN(EditorWindowTest)
#include "EditorWindowTest.moc"
