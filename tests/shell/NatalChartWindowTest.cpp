// The natal chart window on the current subject of a furnished program folder: its opening
// views, zoom and pan, colour and aspect switches, metafile export and viewer, printing.
#include "CurrentSubject.h"
#include "ProgramFolderLinks.h"
#include "TestFolder.h"
#include "WindowTestHelpers.h"
#include "graphics/ChartSheets.h"
#include "graphics/DrawingSurface.h"
#include "graphics/EmfPlayer.h"
#include "graphics/windows/UgrNaSpa.h"
#include "graphics/windows/UnMetGra.h"
#include "graphics/windows/UnPrint.h"
#include "platform/ErrorBox.h"
#include "platform/TextFile.h"
#include "shell/SheetChart.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <filesystem>
#include <functional>
#include <memory>

namespace {

namespace fs = std::filesystem;
using exo::test::ScratchFolder;

using exo::test::Child;
using exo::test::WhenModal;

// Pixels of the canvas that are not the black background.
int DrawnPixels(const QImage& image) {
    int drawn = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            drawn += (image.pixel(x, y) & 0xFFFFFF) != 0;
    return drawn;
}

} // namespace

class NatalChartWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScratchFolder> folder_;
    std::unique_ptr<exo::TFgrNaSpa> window_;
    std::unique_ptr<exo::TFoMetGra> viewer_;
    std::unique_ptr<exo::TFoPrint> dummy_;
    QStringList errors_;

    exo::DrawingSurface& surface() { return exo::GlobalDrawingSurface(); }

    // The sheet chosen as the main window's button does it, and the window shown.
    void open(std::int32_t layout) {
        exo::GlobalNatalSheet() = exo::PrepareSheetChart(layout);
        window_->fillScreenAndHide();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        QTRY_VERIFY(DrawnPixels(window_->canvas()) > 0);
    }
    QSize screen() const { return QGuiApplication::primaryScreen()->geometry().size(); }

  private slots:
    void init() {
        folder_ = std::make_unique<ScratchFolder>();
        exo::test::WriteCurrentSubject(*folder_, exo::test::kRossiMilano);
        exo::test::FurnishFromBuiltProgram(folder_->path());
        errors_.clear();
        exo::SetErrorPresenter([this](const QString& text) { errors_ << text; });
        exo::SetScreenScale(screen().width(), screen().height());
        surface().PrinterPresent = true;
        window_ = std::make_unique<exo::TFgrNaSpa>();
        viewer_ = std::make_unique<exo::TFoMetGra>();
        dummy_ = std::make_unique<exo::TFoPrint>();
        window_->setCompanions(viewer_.get(), dummy_.get());
    }
    void cleanup() {
        if (window_)
            window_->close();
        window_.reset();
        viewer_.reset();
        dummy_.reset();
        folder_.reset();
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join(QLatin1Char('\n'))));
    }

    void portraitSheetOpensAtHalfSizeShiftedRight() {
        open(exo::SheetLayout::Vertical1);
        QCOMPARE(double(surface().Zoom), 0.5);
        QCOMPARE(surface().OffsetX, screen().width() / 2 / 2);
        QCOMPARE(surface().OffsetY, 0);
        QVERIFY(!Child<QPushButton>(window_.get(), "BitBtnFoglio")->icon().isNull());
        QVERIFY(!Child<QPushButton>(window_.get(), "BitBtnFoglio")->isEnabled());
    }

    void landscapeSheetOpensAtFullWidth() {
        open(exo::SheetLayout::Horizontal1);
        QCOMPARE(double(surface().Zoom), 1.0);
        QCOMPARE(surface().OffsetX, 0);
        // "Atura" on a landscape printer keeps the full width; "Ancho" resets.
        surface().OffsetY = 33;
        Child<QPushButton>(window_.get(), "BBaltezza")->click();
        QCOMPARE(surface().OffsetY, 0);
    }

    void zoomStopsAtItsLimitsAndKeepsTheCentre() {
        open(exo::SheetLayout::Horizontal2);
        const int cx = screen().width() / 2;
        window_->ResetView();
        window_->ZoomIn();
        QCOMPARE(double(surface().Zoom), double(1.0L * exo::TFgrNaSpa::kZoomStep));
        QCOMPARE(surface().OffsetX, exo::RoundHalfEven(cx - surface().Zoom * cx));
        surface().Zoom = 3.9L;
        window_->ZoomIn();
        QCOMPARE(double(surface().Zoom), 4.0);
        surface().Zoom = 0.45L;
        window_->ZoomOut();
        QCOMPARE(double(surface().Zoom), double(0.4F));
    }

    void dragOfTwoPixelsLeavesThePictureAndMoreMovesIt() {
        open(exo::SheetLayout::Horizontal2);
        window_->ResetView();
        const QPoint start(300, 200);
        QTest::mousePress(window_.get(), Qt::LeftButton, {}, start);
        QTest::mouseMove(window_.get(), start + QPoint(2, -2));
        QTest::mouseRelease(window_.get(), Qt::LeftButton, {}, start + QPoint(2, -2));
        QCOMPARE(surface().OffsetX, 0);
        QCOMPARE(surface().OffsetY, 0);
        QTest::mousePress(window_.get(), Qt::LeftButton, {}, start);
        QTest::mouseMove(window_.get(), start + QPoint(40, 2));
        QTest::mouseRelease(window_.get(), Qt::LeftButton, {}, start + QPoint(40, 2));
        QCOMPARE(surface().OffsetX, 40);
        QCOMPARE(surface().OffsetY, 0);
    }

    void wheelMovesTwentyPixelsANotch() {
        open(exo::SheetLayout::Horizontal2);
        window_->ResetView();
        QWheelEvent down(QPointF(100, 100), window_->mapToGlobal(QPointF(100, 100)), QPoint(),
                         QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window_.get(), &down);
        QCOMPARE(surface().OffsetY, 20);
        QWheelEvent up(QPointF(100, 100), window_->mapToGlobal(QPointF(100, 100)), QPoint(),
                       QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window_.get(), &up);
        QCOMPARE(surface().OffsetY, -20);
    }

    void blackModeAndSpindlesRedrawAndCloseTakesThemBack() {
        open(exo::SheetLayout::Horizontal1);
        const QImage colour = window_->canvas();
        Child<QPushButton>(window_.get(), "BitBtnColNer")->click();
        QVERIFY(surface().BlackMode);
        QVERIFY(window_->canvas() != colour);
        Child<QPushButton>(window_.get(), "BBFlagRiga")->click();
        QCOMPARE(int(exo::GlobalNatalSheet().AspectStyle), 0);
        surface().Zoom = 2;
        window_->close();
        QVERIFY(!surface().BlackMode);
        QCOMPARE(int(exo::GlobalNatalSheet().AspectStyle), 1);
        QCOMPARE(double(surface().Zoom), 1.0);
        QCOMPARE(surface().ActiveChartWindow, nullptr);
    }

    void exportRecordsThePortraitOrientationAndTheViewerSize() {
        open(exo::SheetLayout::Vertical1);
        Child<QComboBox>(window_.get(), "ComboEMF")->setEditText(QStringLiteral("GRAF03.EMF"));
        Child<QPushButton>(window_.get(), "BBEMFout")->click();
        QCOMPARE(QString::fromStdString(exo::ReadTextLines("Emf\\TipGraf.Set").at(2)),
                 QStringLiteral("P"));
        QVERIFY(fs::exists("Emf/GRAF03.EMF"));
        const exo::EmfPlayer player = exo::EmfPlayer::fromFile("Emf/GRAF03.EMF");
        QVERIFY(player.header().records > 100);
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/x-emf")));
        QVERIFY(!surface().MetafileOutput);

        bool shown = false;
        QSize viewerSize;
        WhenModal([&](QWidget* modal) {
            shown = modal == viewer_.get();
            viewerSize = modal->size();
            modal->close();
        });
        Child<QPushButton>(window_.get(), "BBEMFin")->click();
        QVERIFY(shown);
        const double ratio = double(screen().height()) / screen().width();
        QCOMPARE(viewerSize, QSize(ratio > 0.62 && ratio < 0.63 ? 525 : 450, 680));
    }

    void lowerCaseNameIsRefusedAndNothingIsWritten() {
        open(exo::SheetLayout::Horizontal2);
        Child<QComboBox>(window_.get(), "ComboEMF")->setEditText(QStringLiteral("graf03.emf"));
        QString warning;
        WhenModal([&](QWidget* modal) {
            warning = qobject_cast<QMessageBox*>(modal)->text();
            qobject_cast<QMessageBox*>(modal)->accept();
        });
        Child<QPushButton>(window_.get(), "BBEMFout")->click();
        QCOMPARE(warning, QStringLiteral("El archivo debe ser .EMF"));
        QVERIFY(!fs::exists("Emf/graf03.emf"));
    }

    void printingWritesOneSheetAndComesBackToTheScreen() {
        open(exo::SheetLayout::Horizontal1);
        const QString pdf = QDir::current().absoluteFilePath(QStringLiteral("sheet.pdf"));
        window_->setPrintFileForTests(pdf);
        surface().Zoom = 2;
        const long double screenScale = surface().PageScale;
        Child<QPushButton>(window_.get(), "BitBtnStampa")->click();
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(4) == "%PDF");
        QVERIFY(file.size() > 10000);
        QCOMPARE(double(surface().Zoom), 1.0);
        QCOMPARE(double(surface().PageScale), double(screenScale));
        QVERIFY(!surface().Printing);
    }
};

QTEST_MAIN(NatalChartWindowTest)
#include "NatalChartWindowTest.moc"
