// Window tests of the metafile viewer, driven headless with Qt Test in a scratch program
// folder whose Emf folder the tests fill with pictures of their own.
#include "TestFolder.h"
#include "graphics/EmfWriter.h"
#include "graphics/windows/UnMetGra.h"
#include "platform/Cp1252.h"
#include "platform/ErrorBox.h"
#include "platform/ProgramPaths.h"

#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace exo;

namespace {

constexpr QRgb kWhitePixel = 0xFFFFFF;
constexpr QRgb kBluePixel = 0x0000FF;
constexpr QRgb kRedPixel = 0xFF0000;

// A picture that fills its whole frame in blue, with the top left quarter red: where the
// quarters land shows how the picture was stretched.
void WriteQuarteredPicture(const std::string& name) {
    EmfWriter w(200, 100, 100, 50);
    const std::uint32_t nullPen = emf::NullPen;
    w.selectObject(nullPen);
    const std::uint32_t blue = w.createBrush(emf::BrushSolid, EmfColour(0, 0, 255));
    w.selectObject(blue);
    w.rectangle({0, 0, 201, 101});
    const std::uint32_t red = w.createBrush(emf::BrushSolid, EmfColour(255, 0, 0));
    w.selectObject(red);
    w.rectangle({0, 0, 101, 51});
    w.selectObject(emf::WhiteBrush);
    w.deleteObject(blue);
    w.deleteObject(red);
    w.save(ResolveProgramPath("Emf\\" + name));
}

QRgb PixelAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// Every pixel outside the close button is white.
bool WhiteBesidesTheButton(const QImage& image, const QRect& button) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!button.contains(x, y) && PixelAt(image, x, y) != kWhitePixel)
                return false;
    return true;
}

} // namespace

class MetafileViewerWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ScratchFolder> folder_;
    QStringList errors_;

    std::unique_ptr<TFoMetGra> ShowViewer(const std::string& name, QSize size = {450, 680}) {
        auto viewer = std::make_unique<TFoMetGra>();
        viewer->setMetafileName(name);
        viewer->setClientSize(size.width(), size.height());
        viewer->show();
        if (!QTest::qWaitForWindowExposed(viewer.get()))
            return nullptr;
        return viewer;
    }

    static QPushButton* CloseButton(const TFoMetGra& viewer) {
        return viewer.findChild<QPushButton*>(QStringLiteral("BBClose"));
    }

    static QString ProgramFolder() { return QDir::currentPath(); }

  private slots:
    void init() {
        folder_ = std::make_unique<test::ScratchFolder>();
        MakeFolder("Emf");
        errors_.clear();
        SetErrorPresenter([this](const QString& text) { errors_ << text; });
    }

    void cleanup() {
        SetErrorPresenter({});
        folder_.reset();
    }

    void components() {
        auto viewer = ShowViewer("GRAF01.EMF");
        QVERIFY(viewer);
        QVERIFY(CloseButton(*viewer));
        QCOMPARE(CloseButton(*viewer)->text(), QStringLiteral("Chiudi"));
        QCOMPARE(viewer->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(viewer->rect().contains(CloseButton(*viewer)->geometry()));
    }

    void theClientSizeIsSetAndCentred_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("landscape") << 660 << 510;
        QTest::newRow("portrait") << 450 << 680;
        QTest::newRow("landscape, 16:10 screen") << 755 << 510;
        QTest::newRow("portrait, 16:10 screen") << 525 << 680;
    }

    void theClientSizeIsSetAndCentred() {
        QFETCH(int, width);
        QFETCH(int, height);
        auto viewer = ShowViewer("GRAF01.EMF", {width, height});
        QVERIFY(viewer);
        QCOMPARE(viewer->size(), QSize(width, height));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QPoint centre = viewer->frameGeometry().center();
        QVERIFY(std::abs(centre.x() - screen.center().x()) <= 1);
        QVERIFY(std::abs(centre.y() - screen.center().y()) <= 1);
        // The button stays inside the client area, whatever its size.
        QVERIFY(viewer->rect().contains(CloseButton(*viewer)->geometry()));
    }

    void aMissingFileLeavesTheViewerWhite_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("no such file") << "GRAF05.EMF";
        QTest::newRow("no name") << "";
        QTest::newRow("a folder, not a file") << "Sub";
    }

    void aMissingFileLeavesTheViewerWhite() {
        QFETCH(QString, name);
        MakeFolder("Emf\\Sub");
        auto viewer = ShowViewer(name.toStdString(), {200, 150});
        QVERIFY(viewer);
        QVERIFY(!viewer->pictureShown());
        QVERIFY(WhiteBesidesTheButton(viewer->grab().toImage(), CloseButton(*viewer)->geometry()));
        QVERIFY(errors_.isEmpty());
    }

    void thePictureIsStretchedOverTheWholeClientArea() {
        WriteQuarteredPicture("GRAF03.EMF");
        auto viewer = ShowViewer("GRAF03.EMF", {450, 680});
        QVERIFY(viewer);
        QVERIFY(viewer->pictureShown());
        QImage image = viewer->grab().toImage();
        QCOMPARE(PixelAt(image, 2, 2), kRedPixel);
        QCOMPARE(PixelAt(image, 220, 335), kRedPixel);
        QCOMPARE(PixelAt(image, 230, 345), kBluePixel);
        QCOMPARE(PixelAt(image, 447, 2), kBluePixel);
        QCOMPARE(PixelAt(image, 2, 677), kBluePixel);

        // A resize clears the area and stretches the picture over the new one.
        viewer->resize(300, 200);
        QTRY_COMPARE(viewer->size(), QSize(300, 200));
        image = viewer->grab().toImage();
        QCOMPARE(image.size(), QSize(300, 200));
        QCOMPARE(PixelAt(image, 145, 95), kRedPixel);
        QCOMPARE(PixelAt(image, 155, 105), kBluePixel);
        QCOMPARE(PixelAt(image, 297, 2), kBluePixel);
        QVERIFY(errors_.isEmpty());
    }

    void theFileIsLookedForAtEachShowing() {
        auto viewer = ShowViewer("GRAF07.EMF", {200, 150});
        QVERIFY(viewer);
        QVERIFY(!viewer->pictureShown());
        viewer->hide();
        WriteQuarteredPicture("GRAF07.EMF");
        viewer->show();
        QVERIFY(viewer->pictureShown());
        QCOMPARE(PixelAt(viewer->grab().toImage(), 190, 10), kBluePixel);

        // Another name, missing: the earlier picture does not stay.
        viewer->hide();
        viewer->setMetafileName("GRAF08.EMF");
        viewer->show();
        QVERIFY(!viewer->pictureShown());
        QVERIFY(WhiteBesidesTheButton(viewer->grab().toImage(), CloseButton(*viewer)->geometry()));
    }

    void aDamagedFileIsReportedOnceAndLeavesTheViewerWhite() {
        folder_->write("Emf/GRAF02.EMF", "not a metafile at all");
        auto viewer = ShowViewer("GRAF02.EMF", {200, 150});
        QVERIFY(viewer);
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_.first().contains(QStringLiteral("GRAF02.EMF")));
        QVERIFY(!viewer->pictureShown());
        viewer->resize(220, 160);
        QTRY_COMPARE(viewer->size(), QSize(220, 160));
        QVERIFY(WhiteBesidesTheButton(viewer->grab().toImage(), CloseButton(*viewer)->geometry()));
        QCOMPARE(errors_.size(), 1);
    }

    void caption_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("a slot") << "GRAF03.EMF"
                                << "/Emf/GRAF03.EMF   ";
        QTest::newRow("a folder of its own is left out") << "Copias\\Tema.EMF"
                                                         << "/Emf/Tema.EMF   ";
        QTest::newRow("accents") << "Gráfico.EMF"
                                 << "/Emf/Gráfico.EMF   ";
        QTest::newRow("no name") << ""
                                 << "/Emf/   ";
    }

    void caption() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        auto viewer = ShowViewer(Cp1252FromQString(name), {200, 150});
        QVERIFY(viewer);
        QCOMPARE(viewer->windowTitle(), ProgramFolder() + caption);
        QCOMPARE(TFoMetGra::CaptionOf(Cp1252FromQString(name)), ProgramFolder() + caption);
    }

    void theCaptionFollowsTheName() {
        auto viewer = ShowViewer("GRAF01.EMF", {200, 150});
        QVERIFY(viewer);
        viewer->hide();
        viewer->setMetafileName("GRAF09.EMF");
        viewer->show();
        QCOMPARE(viewer->windowTitle(), ProgramFolder() + "/Emf/GRAF09.EMF   ");
    }

    void showMetafileSizesShowsModallyAndChiudiCloses() {
        WriteQuarteredPicture("GRAF04.EMF");
        TFoMetGra viewer;
        viewer.setMetafileName("GRAF04.EMF");
        QSize shownSize;
        bool drawn = false;
        QTimer::singleShot(0, &viewer, [&] {
            shownSize = viewer.size();
            drawn = viewer.pictureShown();
            QTest::mouseClick(CloseButton(viewer), Qt::LeftButton);
        });
        QCOMPARE(viewer.showMetafile(660, 510), int(QDialog::Accepted));
        QCOMPARE(shownSize, QSize(660, 510));
        QVERIFY(drawn);
        QVERIFY(!viewer.isVisible());
    }
};

QTEST_MAIN(MetafileViewerWindowTest)
#include "MetafileViewerWindowTest.moc"
