#include "platform/TextFile.h"

#include "platform/Errors.h"
#include "platform/ProgramPaths.h"

#include <QSaveFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace exo {

namespace {

bool ReadWholeFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    // A read that fails (the name of a folder, a failing disk) throws from the stream buffer.
    try {
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return false;
    }
    return !in.bad();
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    return content;
}

} // namespace

std::vector<std::string> SplitTextLines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const bool ended = end != std::string::npos;
        if (!ended)
            end = content.size();
        std::size_t stop = end;
        if (ended && stop > start && content[stop - 1] == '\r')
            --stop;
        lines.emplace_back(content, start, stop - start);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> ReadTextLines(const std::string& name) {
    const std::string path = ResolveProgramPath(name);
    std::string content;
    if (!ReadWholeFile(path, content))
        throw InOutError(path, "read", std::strerror(errno));
    return SplitTextLines(content);
}

bool TryReadTextLines(const std::string& name, std::vector<std::string>& lines) {
    std::string content;
    if (!ReadWholeFile(ResolveProgramPath(name), content))
        return false;
    lines = SplitTextLines(content);
    return true;
}

void ReplaceFileBytes(const std::string& path, std::string_view bytes, const char* action) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit())
        throw InOutError(path, action, file.errorString().toStdString());
}

void WriteTextLines(const std::string& name, const std::vector<std::string>& lines) {
    ReplaceFileBytes(ResolveProgramPath(name), JoinCrLf(lines), "rewrite");
}

void AppendTextLines(const std::string& name, const std::vector<std::string>& lines) {
    const std::string path = ResolveProgramPath(name);
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out)
        throw InOutError(path, "append", std::strerror(errno));
    const std::string content = JoinCrLf(lines);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out)
        throw InOutError(path, "append", std::strerror(errno));
}

TextReader::TextReader(const std::string& name)
    : name_(ResolveProgramPath(name)), lines_(ReadTextLines(name)) {}

const std::string& TextReader::readLine() {
    if (atEnd())
        throw InOutError(name_, "read",
                         "read past the end of the file at line " + std::to_string(next_ + 1));
    return lines_[next_++];
}

} // namespace exo
