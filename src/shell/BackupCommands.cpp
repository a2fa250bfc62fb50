// Backup and restore of the personal archive from the command line: `exorvex backup --to
// ROOT` and `exorvex restore --from ROOT`, through the same checked copies as the dialog.
#include "archive/Backup.h"
#include "shell/CommandSupport.h"

#include <stdexcept>

namespace exo {

namespace {

std::string RootOption(const CommandLine& line, const std::string& name, const std::string& usage) {
    ExpectWords(line, 0, usage);
    if (!line.has(name) || line.option(name).empty())
        throw UsageError("uso: exorvex " + usage);
    return line.option(name);
}

// "OK" only when every file was copied and read back whole; otherwise the first failure.
Output Reported(const TransferResult& result, const std::string& root) {
    if (!result.ok())
        throw std::runtime_error(*result.failure);
    const std::string folder = BackupFolderOn(root);
    Output out;
    out.plain = "OK: " + std::to_string(result.filesCopied) + " archivos copiados (" + folder + ")";
    out.json.add("ok", true)
        .add("folder", folder)
        .add("files", static_cast<long double>(result.filesCopied));
    return out;
}

Output BackupCommand(const CommandLine& line) {
    const std::string root = RootOption(line, "to", "backup --to RAÍZ");
    return Reported(BackupPersonalArchive(root, TodayDateText()), root);
}

Output RestoreCommand(const CommandLine& line) {
    const std::string root = RootOption(line, "from", "restore --from RAÍZ");
    return Reported(RestorePersonalArchive(root), root);
}

} // namespace

void AddBackupCommands(CommandTable& table) {
    table.emplace("backup", BackupCommand);
    table.emplace("restore", RestoreCommand);
}

} // namespace exo
