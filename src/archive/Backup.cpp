#include "archive/Backup.h"

#include "archive/SubjectArchive.h"
#include "archive/SubjectFiles.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <unistd.h>

namespace exo {

using namespace subject_files;

namespace {

constexpr const char* kArchive = "BASE";
constexpr const char* kTextFolder = "BASEtxt";
constexpr const char* kArchiveFolder = "DatiBase";
constexpr const char* kDateFileName = "MMbakMod1.dum";
constexpr const char* kTextCounter = "FlagTxt.set";
constexpr const char* kArchiveFiles[] = {"BASE.ST1", "BASE.ST2", "BASE.ST3"};
// Beside each target while a transfer runs: the new copy until it is put in place, and the
// file it replaces until every new copy is in place.
constexpr const char* kStagedSuffix = ".nuevo";
constexpr const char* kKeptSuffix = ".previo";

std::function<std::vector<BackupVolume>()>& VolumeLister() {
    static std::function<std::vector<BackupVolume>()> lister;
    return lister;
}

FileCopyFunction& CopyFunction() {
    static FileCopyFunction copy;
    return copy;
}

QString Native(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw InOutError(Utf8(path), "open", Utf8(file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw InOutError(Utf8(path), "read", Utf8(file.errorString()));
    return bytes;
}

// A program-folder name as an absolute native path, spelt as it is on disk when it exists.
QString ProgramPath(const std::string& name) {
    return QDir::current().absoluteFilePath(Native(ResolveProgramPath(name)));
}

// The entry of `folder` called `name` without regard to letter case, or `name` itself.
QString EntryIn(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (dir.exists(name))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return dir.filePath(name);
}

bool IsTransferLeftover(const QString& name) {
    return name.endsWith(QLatin1String(kStagedSuffix)) || name.endsWith(QLatin1String(kKeptSuffix));
}

// The files of a text folder (not its folders), by name; nothing when it does not exist.
QStringList TextFilesOf(const QString& folder) {
    QStringList names;
    const QStringList entries =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries) {
        if (!IsTransferLeftover(entry))
            names << entry;
    }
    return names;
}

void MakeNativeFolder(const QString& path) {
    if (!QDir().mkpath(path))
        throw InOutError(Utf8(path), "mkdir");
}

// One file to copy and the bytes its copy must hold.
struct PlannedCopy {
    QString from;
    QString to;
    QByteArray original;
};

PlannedCopy PlanCopy(const QString& from, const QString& to) {
    return {from, to, ReadBytes(from)};
}

void VerifyCopy(const QString& copy, const PlannedCopy& planned) {
    const QByteArray bytes = ReadBytes(copy);
    if (bytes.size() != planned.original.size())
        throw InOutError(Utf8(planned.to), "copy",
                         "la copia tiene " + std::to_string(bytes.size()) +
                             " bytes y el original " + std::to_string(planned.original.size()));
    if (bytes != planned.original)
        throw InOutError(Utf8(planned.to), "copy", "la copia no es igual al original");
}

// Puts every staged copy in place. The file a copy replaces is kept under another name
// until all are in place; when one cannot be put in place, those already placed are taken
// back and the kept files return.
void PutInPlace(const std::vector<PlannedCopy>& plan) {
    struct Placement {
        QString target;
        QString kept;
        bool hadOld = false;
        bool placed = false;
    };
    std::vector<Placement> placements;
    try {
        for (const PlannedCopy& copy : plan) {
            Placement placement{copy.to, copy.to + QLatin1String(kKeptSuffix)};
            placement.hadOld = QFileInfo::exists(copy.to);
            if (placement.hadOld) {
                QFile::remove(placement.kept);
                if (!QFile::rename(copy.to, placement.kept))
                    throw InOutError(Utf8(copy.to), "rename");
            }
            placements.push_back(placement);
            if (!QFile::rename(copy.to + QLatin1String(kStagedSuffix), copy.to))
                throw InOutError(Utf8(copy.to + QLatin1String(kStagedSuffix)), "rename");
            placements.back().placed = true;
        }
    } catch (...) {
        for (auto it = placements.rbegin(); it != placements.rend(); ++it) {
            if (it->placed)
                QFile::remove(it->target);
            if (it->hadOld)
                QFile::rename(it->kept, it->target);
        }
        throw;
    }
    for (const Placement& placement : placements) {
        if (placement.hadOld)
            QFile::remove(placement.kept);
    }
}

// Copies every planned file beside its target and reads each copy back; only when all are
// whole are they put in place. Raises the first failure with every target as it was.
int TransferFiles(const std::vector<PlannedCopy>& plan) {
    std::vector<QString> staged;
    try {
        for (const PlannedCopy& copy : plan) {
            const QString stage = copy.to + QLatin1String(kStagedSuffix);
            QFile::remove(stage);
            staged.push_back(stage);
            if (CopyFunction())
                CopyFunction()(Utf8(copy.from), Utf8(stage));
            else
                CopyFileBytes(Utf8(copy.from), Utf8(stage));
            VerifyCopy(stage, copy);
        }
        PutInPlace(plan);
    } catch (...) {
        for (const QString& stage : staged)
            QFile::remove(stage);
        throw;
    }
    return static_cast<int>(plan.size());
}

// The archive files of a backup or of the program folder, and where they were read.
struct ArchiveFiles {
    std::vector<PlannedCopy> files; // ST1, ST2 and, when present, ST3, their bytes read
    std::optional<std::string> fault;
};

std::optional<std::string> ArchiveFault(const std::vector<PlannedCopy>& files) {
    const std::string keys = files[0].original.toStdString();
    const std::string subjects = files[1].original.toStdString();
    std::string notes;
    if (files.size() > 2)
        notes = files[2].original.toStdString();
    const std::string_view notesView = notes;
    return VerifyArchiveBytes(kArchive, keys, subjects, files.size() > 2 ? &notesView : nullptr);
}

// Reads the archive files at `from(name)`, planned for `to(name)`, and checks them.
template <class From, class To> ArchiveFiles ReadArchiveFiles(From from, To to) {
    ArchiveFiles archive;
    for (const char* name : kArchiveFiles) {
        const QString path = from(name);
        if (!QFileInfo(path).isFile()) {
            if (archive.files.size() < 2)
                archive.fault = "falta " + Utf8(path);
            break;
        }
        archive.files.push_back(PlanCopy(path, to(name)));
    }
    if (!archive.fault)
        archive.fault = ArchiveFault(archive.files);
    return archive;
}

TransferResult Failed(const std::string& failure) {
    TransferResult result;
    result.failure = failure;
    return result;
}

template <class Work> TransferResult Reported(Work work) {
    try {
        return work();
    } catch (const std::exception& error) {
        return Failed(error.what());
    }
}

std::optional<std::int32_t> CounterIn(const QString& path) {
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    const std::vector<std::string> lines = SplitTextLines(ReadBytes(path).toStdString());
    std::int32_t value = 0;
    if (lines.empty() || !ParseInteger(lines.front(), value))
        return std::nullopt;
    return value;
}

// Whether the backup's text counter may replace the program's: not when it would hand out
// again numbers the program folder has already used.
bool CounterMayReplace(const QString& backupCounter, const QString& programCounter) {
    const std::optional<std::int32_t> kept = CounterIn(programCounter);
    const std::optional<std::int32_t> restored = CounterIn(backupCounter);
    return !kept || (restored && *restored >= *kept);
}

ArchiveFiles ReadBackupArchive(const QString& folder) {
    const QString archiveFolder = EntryIn(folder, QLatin1String(kArchiveFolder));
    return ReadArchiveFiles(
        [&](const char* name) { return EntryIn(archiveFolder, QLatin1String(name)); },
        [](const char* name) { return ProgramPath(name); });
}

} // namespace

std::vector<BackupVolume> BackupVolumes() {
    if (VolumeLister())
        return VolumeLister()();
    std::vector<BackupVolume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        if (storage.isValid() && storage.isReady())
            volumes.push_back({Utf8(storage.rootPath()), Utf8(storage.displayName())});
    }
    return volumes;
}

void SetBackupVolumeLister(std::function<std::vector<BackupVolume>()> lister) {
    VolumeLister() = std::move(lister);
}

std::string BackupFolderOn(const std::string& root) {
    std::string folder = root;
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder + kBackupFolderName;
}

std::string LastBackupDate() {
    std::vector<std::string> lines;
    if (!TryReadTextLines(kBackupDateFile, lines))
        return "Mai";
    return lines.empty() ? std::string() : lines.front().substr(0, 10);
}

std::string TodayDateText() {
    return Cp1252FromQString(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
}

void CopyFileBytes(const std::string& from, const std::string& to) {
    const QByteArray bytes = ReadBytes(Native(from));
    QFile out(Native(to));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw InOutError(to, "write", Utf8(out.errorString()));
    // The copy is flushed to the volume before it is read back, so a stick pulled out later
    // does not lose what was reported as copied.
    if (out.write(bytes) != bytes.size() || !out.flush() || ::fsync(out.handle()) != 0)
        throw InOutError(to, "write", Utf8(out.errorString()));
    out.close();
    if (out.error() != QFileDevice::NoError)
        throw InOutError(to, "write", Utf8(out.errorString()));
}

void SetBackupFileCopy(FileCopyFunction copy) {
    CopyFunction() = std::move(copy);
}

TransferResult BackupPersonalArchive(const std::string& root, const std::string& dateText) {
    return Reported([&] {
        if (!QFileInfo(Native(root)).isDir())
            return Failed("Unidad " + root + " no está disponible");
        const QString folder = Native(BackupFolderOn(root));
        const QString archiveFolder = folder + QLatin1Char('/') + QLatin1String(kArchiveFolder);
        const QString textFolder = folder + QLatin1Char('/') + QLatin1String(kTextFolder);

        std::vector<PlannedCopy> plan;
        if (FileExists(kBackupDateFile))
            plan.push_back(PlanCopy(ProgramPath(kBackupDateFile),
                                    folder + QLatin1Char('/') + QLatin1String(kDateFileName)));
        ArchiveFiles archive =
            ReadArchiveFiles([](const char* name) { return ProgramPath(name); },
                             [&](const char* name) {
                                 return archiveFolder + QLatin1Char('/') + QLatin1String(name);
                             });
        if (archive.fault)
            return Failed("El archivo BASE está dañado y no se copia: " + *archive.fault);
        plan.insert(plan.end(), archive.files.begin(), archive.files.end());
        const QString programTexts = ProgramPath(kTextFolder);
        for (const QString& name : TextFilesOf(programTexts))
            plan.push_back(PlanCopy(programTexts + QLatin1Char('/') + name,
                                    textFolder + QLatin1Char('/') + name));

        for (const QString& path : {folder, archiveFolder, textFolder})
            MakeNativeFolder(path);
        TransferResult result;
        result.filesCopied = TransferFiles(plan);
        MakeFolder("FileDum");
        WriteTextLines(kBackupDateFile, {dateText});
        return result;
    });
}

std::optional<std::string> BackupFault(const std::string& folder) {
    try {
        return ReadBackupArchive(Native(folder)).fault;
    } catch (const std::exception& error) {
        return std::string(error.what());
    }
}

TransferResult RestorePersonalArchive(const std::string& root) {
    return Reported([&] {
        const QString folder = Native(BackupFolderOn(root));
        if (!QFileInfo(folder).isDir())
            return Failed("El origin " + Utf8(folder) + " no está disponible");
        ArchiveFiles archive = ReadBackupArchive(folder);
        if (archive.fault)
            return Failed("La copia de " + Utf8(folder) +
                          " está dañada y no se restablece: " + *archive.fault);
        std::vector<PlannedCopy> plan = archive.files;

        MakeFolder(kTextFolder);
        const QString programTexts = ProgramPath(kTextFolder);
        const QString backupTexts = EntryIn(folder, QLatin1String(kTextFolder));
        for (const QString& name : TextFilesOf(backupTexts)) {
            const QString from = backupTexts + QLatin1Char('/') + name;
            const QString to = EntryIn(programTexts, name);
            if (name.compare(QLatin1String(kTextCounter), Qt::CaseInsensitive) == 0 &&
                !CounterMayReplace(from, to))
                continue;
            plan.push_back(PlanCopy(from, to));
        }
        TransferResult result;
        result.filesCopied = TransferFiles(plan);
        return result;
    });
}

} // namespace exo
