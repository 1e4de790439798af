// Start-up of Korvanth with the dummy video and audio drivers: from the
// moment the program is started (fork and exec of this benchmark as the game)
// to its first video-mode dialog frame, and to its first main-menu frame.
// The menu time leaves out the one-second pause the game makes on purpose
// after the dialog.
//
// Each iteration starts a child that runs the game exactly as its entry
// point does, with two watches: the dialog's activation (right after its
// first frame is drawn), which also picks the first mode and starts, and the main
// menu's first frame, after which the child quits.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "bench/bench_support.h"
#include "game/program/videodialog.h"
#include "game/program/winmain.h"
#include "platform/forms/forms.h"
#include "platform/input/scriptinput.h"

namespace {

constexpr int kReportFd = 3;
constexpr double kPauseSeconds = 1.0;  // the game's own pause after the dialog

std::int64_t NowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

void Report(const char* what) {
    char line[64];
    const int n = std::snprintf(line, sizeof line, "%s %lld\n", what, static_cast<long long>(NowNs()));
    if (write(kReportFd, line, static_cast<std::size_t>(n)) != n) std::_Exit(2);
}

ScreenHandler g_menu = nullptr;

int WatchedMenu(GameState* game) {
    if (g_menu) g_menu(game);
    Report("menu");
    return ScreenQuit;
}

// The game's entry point with the two watches.
int RunGameChild() {
    Application->Initialize();
    Application->Title = "Quorvane";
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    auto activate = Form2->OnActivate;
    Form2->OnActivate = [activate](TObject* sender) {
        Report("dialog");
        if (activate) activate(sender);
        // Focus starts on "Start Fullscreen": Tab to the mode list, the first
        // mode, back, and start.
        plat::PushKeyPress("Tab");
        plat::PushKeyPress("Down");
        plat::PushKeyPress("Tab", true);
        plat::PushKeyPress("Return");
    };
    g_menu = ScreenHandlers[ScreenMainMenu];
    ScreenHandlers[ScreenMainMenu] = WatchedMenu;
    Application->Run();
    return 0;
}

struct Times {
    double dialog = 0, menu = 0;  // seconds from the start
};

Times StartGame() {
    int fds[2];
    if (pipe(fds) != 0) std::abort();
    const std::int64_t start = NowNs();
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        dup2(fds[1], kReportFd);
        execl("/proc/self/exe", "bench_startup", "--startup-child", static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    close(fds[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    Times t;
    long long at = 0;
    if (const char* d = std::strstr(text.c_str(), "dialog "); d && std::sscanf(d + 7, "%lld", &at) == 1)
        t.dialog = static_cast<double>(at - start) / 1e9;
    if (const char* m = std::strstr(text.c_str(), "menu "); m && std::sscanf(m + 5, "%lld", &at) == 1)
        t.menu = static_cast<double>(at - start) / 1e9 - kPauseSeconds;
    if (t.dialog <= 0 || t.menu <= 0) {
        std::fprintf(stderr, "the game did not reach its dialog and menu:\n%s\n", text.c_str());
        std::exit(1);
    }
    return t;
}

void ToDialog(benchmark::State& state) {
    for (auto _ : state) state.SetIterationTime(StartGame().dialog);
}
void ToMenu(benchmark::State& state) {
    for (auto _ : state) state.SetIterationTime(StartGame().menu);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--startup-child") == 0) return RunGameChild();
    bench::EnterGameFolder();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    benchmark::RegisterBenchmark("start-up to the first dialog frame :: ours", ToDialog)
        ->UseManualTime()
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("start-up to the first menu frame, less the 1 s pause :: ours", ToMenu)
        ->UseManualTime()
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    return bench::RunBenchmarks(argc, argv);
}
