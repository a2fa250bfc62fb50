#pragma once
// The two errors every part of the program raises: a failed file operation and a text
// that does not convert to a number. Windows let them escape to the application handler,
// which shows the standard error box; the command-line tool prints them on one line.
#include <stdexcept>
#include <string>

namespace exo {

// A file open, read, write, truncate, rename or delete that failed. The file name and the
// operation are kept in UTF-8 so the message can be shown as it is.
class InOutError : public std::runtime_error {
  public:
    InOutError(std::string fileName, std::string operation, std::string detail = {});
    const std::string& fileName() const { return fileName_; }
    const std::string& operation() const { return operation_; }

  private:
    std::string fileName_;
    std::string operation_;
};

// A text that should have been a number and is not (UTF-8 message).
class ConvertError : public std::runtime_error {
  public:
    explicit ConvertError(const std::string& text, const std::string& wanted = "número");
};

} // namespace exo
