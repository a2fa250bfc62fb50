// The command-line tool on arbitrary command lines: the input split on NUL bytes gives the
// words. Every command line ends with status 0, 1 or 2 and one line of output or error.
#include "FuzzCheck.h"
#include "shell/ExorvexCommands.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    // The fuzzer must stay in its own folder: no word may change the current folder.
    for (const std::string& arg : args) {
        if (arg.find("folder") != std::string::npos)
            return -1;
    }

    std::ostringstream out, err;
    const int status = exo::RunExorvex(args, out, err);
    FUZZ_CHECK(status == 0 || status == 1 || status == 2);
    if (status == 0) {
        FUZZ_CHECK(err.str().empty());
        FUZZ_CHECK(!out.str().empty() && out.str().back() == '\n');
    } else {
        FUZZ_CHECK(out.str().empty());
        FUZZ_CHECK(err.str().rfind("exorvex: ", 0) == 0 && err.str().back() == '\n');
    }
    // No command here touches a file, so a failure can only be an unexpected exception.
    FUZZ_CHECK(status != 1);
    return 0;
}
