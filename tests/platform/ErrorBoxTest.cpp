#include "platform/ErrorBox.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace exo {
namespace {

// An object whose handler for one event type raises what the test gives it.
class Raiser : public QObject {
  public:
    static QEvent::Type eventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    std::function<void()> action;
    int handled = 0;

  protected:
    bool event(QEvent* event) override {
        if (event->type() != eventType())
            return QObject::event(event);
        ++handled;
        action();
        return true;
    }
};

class ErrorBox : public ::testing::Test {
  protected:
    void SetUp() override {
        SetErrorPresenter([this](const QString& text) { shown_ << text; });
    }
    void TearDown() override { SetErrorPresenter({}); }

    // Runs the event loop until `done` is set by an event handler (or five seconds pass).
    void RunUntil(const bool& done) {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (done)
                loop.quit();
        });
        poll.start(1);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
    }

    QStringList shown_;
};

TEST_F(ErrorBox, AnInOutErrorInATimerHandlerIsShownAndTheProgramGoesOn) {
    bool after = false;
    QTimer::singleShot(
        0, [] { throw InOutError("FileSet/OrbiDomi.stt", "read", "unexpected end of file"); });
    QTimer::singleShot(20, [&] { after = true; });
    RunUntil(after);
    EXPECT_TRUE(after);
    ASSERT_EQ(shown_.size(), 1);
    EXPECT_TRUE(shown_[0].contains(QStringLiteral("FileSet/OrbiDomi.stt")))
        << shown_[0].toStdString();
    EXPECT_TRUE(shown_[0].contains(QStringLiteral("no se puede leer"))) << shown_[0].toStdString();
}

TEST_F(ErrorBox, AConvertErrorInATimerHandlerIsShown) {
    bool after = false;
    QTimer::singleShot(5, [] { IntegerOf("12a"); });
    QTimer::singleShot(30, [&] { after = true; });
    RunUntil(after);
    EXPECT_TRUE(after);
    ASSERT_EQ(shown_.size(), 1);
    EXPECT_TRUE(shown_[0].contains(QStringLiteral("'12a'"))) << shown_[0].toStdString();
}

TEST_F(ErrorBox, ErrorsInPostedEventsAreShownOneByOne) {
    Raiser raiser;
    int calls = 0;
    raiser.action = [&] {
        ++calls;
        if (calls == 1)
            throw InOutError("Datos/Año.dat", "write", "disco lleno");
        if (calls == 2)
            throw ConvertError("x", "número real");
    };
    for (int k = 0; k < 3; ++k)
        QCoreApplication::postEvent(&raiser, new QEvent(Raiser::eventType()));
    bool after = false;
    QTimer::singleShot(10, [&] { after = true; });
    RunUntil(after);
    EXPECT_EQ(raiser.handled, 3);
    ASSERT_EQ(shown_.size(), 2);
    EXPECT_TRUE(shown_[0].contains(QStringLiteral("Datos/Año.dat"))) << shown_[0].toStdString();
    EXPECT_TRUE(shown_[1].contains(QStringLiteral("'x' no es un número real válido")))
        << shown_[1].toStdString();
}

TEST_F(ErrorBox, ASentEventThatRaisesReportsItWasNotHandled) {
    Raiser raiser;
    raiser.action = [] { throw InOutError("Cartas.dat", "open"); };
    QEvent event(Raiser::eventType());
    EXPECT_FALSE(QCoreApplication::sendEvent(&raiser, &event));
    ASSERT_EQ(shown_.size(), 1);
    EXPECT_TRUE(shown_[0].contains(QStringLiteral("Cartas.dat")));
    raiser.action = [] {};
    EXPECT_TRUE(QCoreApplication::sendEvent(&raiser, &event));
    EXPECT_EQ(shown_.size(), 1);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kLeakChecked = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kLeakChecked = true;
#else
constexpr bool kLeakChecked = false;
#endif
#else
constexpr bool kLeakChecked = false;
#endif

TEST_F(ErrorBox, AnErrorInAButtonHandlerIsShownAndTheButtonStillWorks) {
    // Qt Widgets is built without exceptions, so the copy of the mouse event it makes is not
    // freed when an error unwinds through it; the leak checker would fail the program.
    if (kLeakChecked)
        GTEST_SKIP() << "an error unwinding through a mouse event leaks the event's copy";
    QPushButton button(QStringLiteral("Abrir"));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++clicks;
        throw InOutError("FileSet/Natal.crt", "open", "No such file or directory");
    });
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(shown_.size(), 2);
    EXPECT_TRUE(shown_[1].contains(QStringLiteral("FileSet/Natal.crt")));
}

TEST(StandardErrorText, IsTheMessageOfTheError) {
    const InOutError error("Año/Cartas.dat", "open", "No such file or directory");
    const QString text = StandardErrorText(error);
    EXPECT_EQ(text, QString::fromUtf8(error.what()));
    EXPECT_TRUE(text.contains(QStringLiteral("Año/Cartas.dat"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("no se puede abrir"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("No such file or directory")));
}

TEST(StandardErrorText, ConvertErrorNamesTheText) {
    const QString text = StandardErrorText(ConvertError("1,5,2", "número real"));
    EXPECT_EQ(text, QStringLiteral("'1,5,2' no es un número real válido"));
}

TEST(ShowStandardError, GoesToThePresenterWhileOneIsSet) {
    QStringList shown;
    SetErrorPresenter([&](const QString& text) { shown << text; });
    ShowStandardError(QStringLiteral("uno"));
    ShowStandardError(QStringLiteral("dos"));
    SetErrorPresenter({});
    EXPECT_EQ(shown, (QStringList{QStringLiteral("uno"), QStringLiteral("dos")}));
}

} // namespace
} // namespace exo

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // No window appears on screen, also when the build lists the tests outside ctest.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    exo::ExoApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
