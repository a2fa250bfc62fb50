#pragma once
// Line-oriented text files of Windows-1252 bytes. Lines are written with CR LF; readers take
// lines of any length ended by CR LF or a lone LF, and a last line without an ending.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace exo {

// Every line of the file; raises InOutError when it cannot be read.
std::vector<std::string> ReadTextLines(const std::string& name);

// Presence test that never raises: the lines, or false when the file cannot be read.
bool TryReadTextLines(const std::string& name, std::vector<std::string>& lines);

// Rewrites the whole file: written to a temporary file beside it, then renamed over it, so
// the old content stays whole until the new one is complete.
void WriteTextLines(const std::string& name, const std::vector<std::string>& lines);

// Replaces the file at a native path with exactly these bytes, all or nothing; raises
// InOutError naming `action` when it cannot.
void ReplaceFileBytes(const std::string& path, std::string_view bytes, const char* action);

// Adds lines at the end of the file, creating it when missing.
void AppendTextLines(const std::string& name, const std::vector<std::string>& lines);

// Sequential reading, as the settings readers walk a file line by line.
class TextReader {
  public:
    explicit TextReader(const std::string& name);
    bool atEnd() const { return next_ >= lines_.size(); }
    // The next line; raises InOutError past the last one.
    const std::string& readLine();
    std::size_t lineNumber() const { return next_; }

  private:
    std::string name_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

// Splits text into lines as the readers do (CR LF or LF; a final ending adds no line).
std::vector<std::string> SplitTextLines(const std::string& content);

} // namespace exo
