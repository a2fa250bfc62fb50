// Start-up: from launching the program to its main window shown, with every long-lived
// window created. The benchmark launches itself again and again; each child runs the
// program's own opening in the program folder and reports how long it took from the moment
// the parent started it. Prints the median of the runs.
#include "BenchSupport.h"
#include "platform/ErrorBox.h"
#include "shell/StartUp.h"
#include "shell/UnOrvex.h"

#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

long long NowMicroseconds() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// The child: the program's opening, then the time since `launched` on stdout.
int RunChild(int argc, char** argv, long long launched) {
    exo::bench::EnterProgramFolder();
    exo::ExoApplication app(argc, argv);
    const auto main = exo::OpenProgram();
    if (!QTest::qWaitForWindowExposed(main.get()))
        return 1;
    std::printf("%lld\n", NowMicroseconds() - launched);
    return 0;
}

long long LaunchOnce(const char* self) {
    int out[2];
    if (pipe(out) != 0)
        return -1;
    const std::string launched = std::to_string(NowMicroseconds());
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(self, self, "--child", launched.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char buffer[64] = {};
    const ssize_t n = read(out[0], buffer, sizeof buffer - 1);
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return n > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? std::atoll(buffer) : -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--child")
        return RunChild(argc, argv, std::atoll(argv[2]));
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 11;
    std::vector<long long> times;
    for (int i = 0; i < runs; ++i) {
        const long long t = LaunchOnce(argv[0]);
        if (t < 0) {
            std::fprintf(stderr, "bench-startup: run %d failed\n", i + 1);
            return 1;
        }
        times.push_back(t);
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up to main window shown (%d runs, platform %s): median %.1f ms, "
                "min %.1f ms, max %.1f ms; target 1000 ms\n",
                runs, std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "xcb",
                times[times.size() / 2] / 1000.0, times.front() / 1000.0, times.back() / 1000.0);
    return 0;
}
