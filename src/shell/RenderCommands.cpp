// exorvex render: a chart sheet of the current subject drawn into a file by the sequence
// the natal chart window draws it with, the kind of drawing chosen by the file's extension.
#include "graphics/SheetRendering.h"
#include "platform/ProgramPaths.h"
#include "shell/CommandSupport.h"
#include "shell/SheetChart.h"

#include <QFileInfo>

namespace exo {

namespace {

Output RenderCommand(const CommandLine& line) {
    ExpectWords(line, 0, "render --sheet V1|V2|H1|H2 [--black] [--spindles] --out ARCHIVO");
    const std::string sheet = ChoiceArgument(line, "sheet", {"V1", "V2", "H1", "H2"});
    if (!line.has("sheet"))
        throw UsageError("falta --sheet V1|V2|H1|H2");
    if (!line.has("out") || line.option("out").empty())
        throw UsageError("falta --out ARCHIVO");
    const std::string out = line.option("out");
    SheetRenderOptions options;
    options.blackMode = line.flag("black");
    if (line.has("width"))
        options.width = IntegerArgument(line.option("width"), "--width", 100, 12000);

    const std::int32_t layout = SheetLayoutOfName(sheet);
    const NatalSheetState state = PrepareSheetChart(layout, line.flag("spindles") ? 0 : 1);
    // The file name is the caller's, not the program folder's.
    const std::string path =
        QFileInfo(QString::fromStdString(out)).absoluteFilePath().toStdString();
    try {
        RenderSheetFile(path, GlobalDrawingSurface(), state, CurrentSheetInputs(), options);
    } catch (const std::invalid_argument&) {
        throw UsageError("--out: el archivo debe terminar en .png, .pdf o .emf");
    }

    Output result;
    result.json.add("sheet", sheet).add("file", path).add("black", options.blackMode);
    result.json.add("spindles", state.AspectStyle == 0);
    result.plain = sheet + " -> " + path;
    return result;
}

} // namespace

void AddRenderCommands(CommandTable& table) {
    table.emplace("render", RenderCommand);
}

} // namespace exo
