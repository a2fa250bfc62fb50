// Report texts of any content, rich or plain. Then: the reader takes every input without
// raising; what the writer makes of the document reads back to the same text; and from the
// second writing on, reading and writing again gives the same bytes.
#include "FuzzCheck.h"
#include "editor/ReportText.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char*** argv) {
    // Fonts need the application object; the fuzzer has no display. The fuzzer's own
    // options stay out of Qt's reach.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    static QGuiApplication application(qtArgc, qtArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    exo::LoadReportText(bytes, document);
    const QByteArray written = exo::RichTextOf(document);
    FUZZ_CHECK(exo::IsRichText(written));

    // Runs whose formats differ only in what the file does not hold merge on the way back,
    // so the text is compared at once and the bytes from the second writing on.
    QTextDocument again;
    exo::LoadReportText(written, again);
    FUZZ_CHECK(again.toPlainText() == document.toPlainText());
    const QByteArray rewritten = exo::RichTextOf(again);
    QTextDocument third;
    exo::LoadReportText(rewritten, third);
    const QByteArray stable = exo::RichTextOf(third);
    if (stable != rewritten)
        std::fprintf(stderr, "written:\n%s\nread back and written:\n%s\n", rewritten.constData(),
                     stable.constData());
    FUZZ_CHECK(stable == rewritten);
    return 0;
}
