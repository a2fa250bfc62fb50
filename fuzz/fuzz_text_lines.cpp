// Splitting file contents into lines: each LF ends a line and a CR just before it is
// dropped; a final ending adds no line. Lines joined back with CR LF read the same.
#include "FuzzCheck.h"
#include "platform/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = exo::SplitTextLines(content);

    std::size_t endings = 0;
    for (char c : content)
        endings += c == '\n';
    const bool openLast = !content.empty() && content.back() != '\n';
    FUZZ_CHECK(lines.size() == endings + (openLast ? 1 : 0));

    // Every line is a piece of the content, in order.
    std::size_t at = 0;
    bool plain = true;
    for (const std::string& line : lines) {
        FUZZ_CHECK(line.find('\n') == std::string::npos);
        FUZZ_CHECK(content.compare(at, line.size(), line) == 0);
        at += line.size();
        if (at < content.size() && content[at] == '\r' && at + 1 < content.size() &&
            content[at + 1] == '\n')
            ++at;
        if (at < content.size()) {
            FUZZ_CHECK(content[at] == '\n');
            ++at;
        }
        plain = plain && line.find('\r') == std::string::npos;
    }
    FUZZ_CHECK(at == content.size());

    std::string joined;
    for (const std::string& line : lines)
        joined += line + "\r\n";
    if (plain)
        FUZZ_CHECK(exo::SplitTextLines(joined) == lines);
    return 0;
}
