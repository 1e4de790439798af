// Saves cut short by SIGKILL.
//
// A helper process keeps replacing config.cfg and stats.dat with the game's
// save code and ships.dat with the editor's, switching each file between two
// versions, until the test kills it at a random moment of its work. Afterwards
// every file must hold one of its two versions whole (never a mix, a cut-off
// file or nothing), and at most one temporary file per file may lie beside
// them. A second trial kills the helper while it creates the three files in
// empty folders: a file is then either absent or whole.
//
// A kill waits for the helper to begin a chosen save (or creation) of its
// first few, then for a random pause of up to one round of them: where the
// kills fall follows the helper's own progress, so a busy machine, however
// slowly it runs the helper, still sees them land while files are written.
//
// The helper is forked from the test once everything it needs is built (the
// QApplication, the editor's window, the game states), so a kill costs a
// fork and a few saves. Each trial kills it VANTORRA_SAVE_TRIALS times
// (default 150).
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>

#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "editor/controls.h"
#include "editor/designs.h"
#include "editor/mainsheet.h"
#include "game/data/config.h"
#include "game/program/gamestate.h"
#include "game/data/player.h"
#include "game/data/stats.h"
#include "tests/editor/application_environment.h"

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kFiles = 3;
enum SavedFile : int { kConfig, kStats, kShips };
constexpr std::array<const char*, kFiles> kFileNames = {"config.cfg", "stats.dat", "ships.dat"};
constexpr int kIdle = -1;
constexpr int kDefaultTrials = 150;

int TrialCount() {
    const char* text = std::getenv("VANTORRA_SAVE_TRIALS");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : kDefaultTrials;
}

// What the helper is doing, in memory it shares with the test. Lock-free
// atomics work between processes that map the same page.
struct HelperState {
    std::atomic<int> saving[kFiles];  // version being written, or kIdle
    std::atomic<int> held[kFiles];    // version the last finished save wrote
    // Creation trial: creation n makes file n % 3 in folder n / 3.
    std::atomic<int> creating;  // the creation under way, or kIdle
    std::atomic<int> created;   // creations finished
    std::atomic<int> begun;     // saves or creations begun
};
static_assert(std::atomic<int>::is_always_lock_free);

class SharedState {
public:
    SharedState() {
        void* page = ::mmap(nullptr, sizeof(HelperState), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (page == MAP_FAILED) throw std::bad_alloc();
        state_ = new (page) HelperState();
    }
    ~SharedState() {
        state_->~HelperState();
        ::munmap(state_, sizeof(HelperState));
    }
    SharedState(const SharedState&) = delete;
    SharedState& operator=(const SharedState&) = delete;

    HelperState* operator->() const { return state_; }

private:
    HelperState* state_ = nullptr;
};

// A forked child has only the thread that called fork; any other thread of
// the parent (one Qt might start, holding a lock) would be lost in it.
int ThreadCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/task")) ++n;
    return n;
}

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file's state in words, for a failure message.
std::string Describe(const fs::path& path, const Bytes& oldBytes, const Bytes& newBytes) {
    if (!fs::exists(path)) return "missing";
    const Bytes bytes = ReadBytes(path);
    if (bytes.empty()) return "nothing (0 bytes)";
    if (bytes == oldBytes) return "the old version";
    if (bytes == newBytes) return "the new version";
    auto firstDifference = [&](const Bytes& version) {
        std::size_t at = 0;
        while (at < bytes.size() && at < version.size() && bytes[at] == version[at]) ++at;
        return at;
    };
    return std::to_string(bytes.size()) + " bytes, neither version (equal to the old one up to byte " +
           std::to_string(firstDifference(oldBytes)) + ", to the new one up to byte " +
           std::to_string(firstDifference(newBytes)) + ")";
}

// Names in `folder` other than the three files, counted per file whose name
// they start with; a name that starts with none counts under kFiles.
std::array<int, kFiles + 1> StrayFiles(const fs::path& folder, std::vector<std::string>* names) {
    std::array<int, kFiles + 1> count{};
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        int owner = kFiles;
        for (int f = 0; f < kFiles; ++f) {
            if (name == kFileNames[f])
                owner = -1;
            else if (owner == kFiles && name.rfind(kFileNames[f], 0) == 0)
                owner = f;
        }
        if (owner < 0) continue;
        ++count[owner];
        if (names) names->push_back(name);
    }
    return count;
}

// The programs' own save code, and two versions of what each file holds.
class Savers {
public:
    // Builds the editor's window in `folder` (it creates ships.dat there).
    explicit Savers(const fs::path& folder) {
        MoveTo(folder);
        sheet_ = std::make_unique<hull::TMainSheet>();
        for (int v = 0; v < 2; ++v) {
            games_[v] = MakeGameState();
            GameState& game = *games_[v];
            SetDefaultOptions(&game);
            for (int i = 0; i < kNamedPilots; ++i) {
                auto pilot = std::make_unique<Player>();
                pilot->SetName((std::string(v ? "New" : "Old") + char('A' + i)).c_str());
                pilot->ShotsFired = 1000 * v + i;
                pilot->Wins = 10 * v + i;
                pilot->Score = v ? -7 * i : 3 * i;
                game.Pilots[i] = pilot.release();
            }
            for (int d = 0; d < hull::kDesigns; ++d) {
                shipdata::ShipClassRecord record = sheet_->D.Record(d);
                if (v == 1) {
                    record.Active = 1;
                    record.Technology = 5;
                    record.Hull = 200 + d;
                    record.Shield = 150 - d;
                    std::snprintf(record.Name, sizeof record.Name, "Changed %d", d);
                }
                designs_[v][static_cast<std::size_t>(d)] = record;
            }
        }
        GameState& changed = *games_[1];
        changed.GravityOption = 2;
        changed.GravityStrength = 3500.0f;
        changed.PlanetOption = 3;
        changed.PlanetSize = 200;
        changed.AsteroidOption = 17;
        changed.EffectsVolume = -500;
        changed.MusicVolume = -1200;
        changed.MusicOn = 0;
        creator_ = MakeGameState();
        SetDefaultOptions(creator_.get());
    }

    // The folder the saves go to: the working directory, which is also the
    // editor's start folder.
    void MoveTo(const fs::path& folder) {
        fs::current_path(folder);
        if (sheet_) sheet_->StartDirectory = QString::fromStdString(folder.string());
    }

    // Replaces an existing file with `version`, as the options screen, the
    // end of a battle and the editor's Save do.
    void Save(int file, int version) {
        switch (file) {
            case kConfig: SaveConfig(games_[version].get()); break;
            case kStats: SaveStats(games_[version].get()); break;
            default:
                for (int d = 0; d < hull::kDesigns; ++d)
                    sheet_->D.SetRecord(d, designs_[version][static_cast<std::size_t>(d)]);
                sheet_->SaveShipFile();
                break;
        }
    }

    // Creates a missing file, as the first start of each program does.
    void Create(int file) {
        switch (file) {
            case kConfig: LoadConfig(creator_.get()); break;
            case kStats: LoadStats(creator_.get()); break;
            default: sheet_->SaveShipFile(); break;
        }
    }

private:
    std::unique_ptr<hull::TMainSheet> sheet_;
    GameStatePtr games_[2];
    std::array<shipdata::ShipClassRecord, hull::kDesigns> designs_[2];
    GameStatePtr creator_;
};

// Forks a helper that runs `work` (which never returns), waits until the
// helper has counted `after` in `begun`, lets it work on for `pause`, kills
// it and reaps it. Returns a failure text, or an empty one.
template <typename Work>
std::string RunAndKill(const std::atomic<int>& begun, int after, std::chrono::microseconds pause, Work work) {
    if (const int threads = ThreadCount(); threads != 1)
        return "the test runs " + std::to_string(threads) + " threads, and only one would live on in the helper";
    int ready[2];
    if (::pipe(ready) != 0) return "no pipe";
    const pid_t pid = ::fork();
    if (pid < 0) return "fork failed";
    if (pid == 0) {
        ::close(ready[0]);
        const char go = 1;
        if (::write(ready[1], &go, 1) != 1) ::_exit(2);
        ::close(ready[1]);
        try {
            work();
        } catch (...) {
        }
        ::_exit(3);
    }
    ::close(ready[1]);
    char go = 0;
    const bool started = ::read(ready[0], &go, 1) == 1;
    ::close(ready[0]);
    int status = 0;
    while (started && begun.load() < after) {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return "the helper stopped by itself (status " + std::to_string(status) + ")";
        std::this_thread::yield();
    }
    if (started && pause.count() > 0) std::this_thread::sleep_for(pause);
    ::kill(pid, SIGKILL);
    if (::waitpid(pid, &status, 0) != pid) return "helper not reaped";
    if (!started || !WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL)
        return "the helper stopped by itself (status " + std::to_string(status) + ")";
    return {};
}

// One folder for the test, under the scratch area; the working directory is
// put back and the folder removed afterwards.
class SaveCrashTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ =
            fs::path(VANTORRA_TEST_TMP) / (std::string("savecrash_") + info->name() + "_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "setup");
        previous_ = fs::current_path();
        hull::SetMessageSink([](const QString&) {});
        savers_ = std::make_unique<Savers>(root_ / "setup");
    }
    void TearDown() override {
        savers_.reset();
        hull::SetMessageSink({});
        fs::current_path(previous_);
        fs::remove_all(root_);
    }

    // The bytes an uninterrupted save of `version` writes over the other one.
    std::array<std::array<Bytes, 2>, kFiles> ReferenceVersions() {
        const fs::path folder = root_ / "reference";
        fs::create_directories(folder);
        savers_->MoveTo(folder);
        std::array<std::array<Bytes, 2>, kFiles> versions;
        for (int f = 0; f < kFiles; ++f) {
            savers_->Create(f);
            for (int v : {1, 0}) {
                savers_->Save(f, v);
                versions[f][v] = ReadBytes(folder / kFileNames[f]);
            }
        }
        return versions;
    }

    // Mean time of one round of the three saves in `folder`.
    Clock::duration SaveRound(const fs::path& folder, std::array<int, kFiles>& held) {
        savers_->MoveTo(folder);
        constexpr int kRounds = 6;
        const auto start = Clock::now();
        for (int r = 0; r < kRounds; ++r)
            for (int f = 0; f < kFiles; ++f) {
                held[f] = 1 - held[f];
                savers_->Save(f, held[f]);
            }
        return (Clock::now() - start) / kRounds;
    }

    // Mean time of creating the three files in an empty folder under `base`.
    Clock::duration CreateRound(const fs::path& base) {
        constexpr int kRounds = 6;
        const auto start = Clock::now();
        for (int r = 0; r < kRounds; ++r) {
            const fs::path folder = base / std::to_string(r);
            fs::create_directories(folder);
            savers_->MoveTo(folder);
            for (int f = 0; f < kFiles; ++f) savers_->Create(f);
        }
        return (Clock::now() - start) / kRounds;
    }

    fs::path root_;
    fs::path previous_;
    std::unique_ptr<Savers> savers_;
};

std::string FileCounts(const std::array<int, kFiles>& n, const std::array<int, kFiles>& part, const char* partName) {
    std::string text;
    for (int f = 0; f < kFiles; ++f)
        text += std::string(f ? ", " : "") + kFileNames[f] + " " + std::to_string(n[f]) + " (" +
                std::to_string(part[f]) + " " + partName + ")";
    return text;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// gtest owns registered environments.
[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new hulltest::ApplicationEnvironment("savecrash_tests"));

}  // namespace

TEST_F(SaveCrashTest, KilledWhileReplacingEveryFileHoldsTheOldOrTheNewVersion) {
    const auto versions = ReferenceVersions();
    const std::array<std::size_t, kFiles> sizes = {kConfigFileSize, kStatsFileSize, shipdata::kFileSize};
    for (int f = 0; f < kFiles; ++f) {
        ASSERT_EQ(versions[f][0].size(), sizes[f]) << kFileNames[f];
        ASSERT_EQ(versions[f][1].size(), sizes[f]) << kFileNames[f];
        ASSERT_NE(versions[f][0], versions[f][1]) << kFileNames[f];
    }

    const fs::path folder = root_ / "trial";
    fs::create_directories(folder);
    savers_->MoveTo(folder);
    std::array<int, kFiles> held{};
    for (int f = 0; f < kFiles; ++f) {
        savers_->Create(f);
        savers_->Save(f, 0);
    }
    // Kills fall once one of the first two rounds' saves has begun, up to a
    // round of saves later.
    const auto round = SaveRound(folder, held);
    const auto longest = std::max<std::chrono::microseconds>(
        std::chrono::duration_cast<std::chrono::microseconds>(round), std::chrono::microseconds(200));

    SharedState state;
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> after(1, 2 * kFiles);
    std::uniform_int_distribution<long> pause(0, longest.count());
    std::array<int, kFiles> midSave{}, oldKept{};
    std::map<std::string, int> strayNames;
    const int trials = TrialCount();
    const auto start = Clock::now();
    for (int trial = 0; trial < trials; ++trial) {
        for (int f = 0; f < kFiles; ++f) {
            state->saving[f] = kIdle;
            state->held[f] = held[f];
        }
        state->begun = 0;
        const int saves = after(random);
        const std::string failure = RunAndKill(state->begun, saves, std::chrono::microseconds(pause(random)), [&] {
            for (;;)
                for (int f = 0; f < kFiles; ++f) {
                    const int next = 1 - state->held[f];
                    state->saving[f] = next;
                    ++state->begun;
                    savers_->Save(f, next);
                    state->held[f] = next;
                    state->saving[f] = kIdle;
                }
        });
        ASSERT_EQ(failure, "") << "kill " << trial;

        for (int f = 0; f < kFiles; ++f) {
            const int saving = state->saving[f];
            const int last = state->held[f];
            const fs::path path = folder / kFileNames[f];
            const Bytes bytes = ReadBytes(path);
            const Bytes& before = versions[f][saving == kIdle ? last : 1 - saving];
            const Bytes& after = versions[f][saving == kIdle ? last : saving];
            ASSERT_TRUE(bytes == before || bytes == after)
                << kFileNames[f] << " after kill " << trial << (saving == kIdle ? " between saves" : " during a save")
                << " holds " << Describe(path, before, after);
            held[f] = bytes == versions[f][0] ? 0 : 1;
            if (saving != kIdle) {
                ++midSave[f];
                if (bytes == before) ++oldKept[f];
            }
        }
        std::vector<std::string> names;
        const auto strays = StrayFiles(folder, &names);
        for (const std::string& name : names) ++strayNames[name];
        ASSERT_EQ(strays[kFiles], 0) << "an unexpected file beside the three after kill " << trial;
        for (int f = 0; f < kFiles; ++f)
            ASSERT_LE(strays[f], 1) << "temporary files of " << kFileNames[f] << " pile up after kill " << trial << ": "
                                    << ::testing::PrintToString(names);
    }
    const auto took = Clock::now() - start;

    // A temporary file left by a kill is taken up by the next whole save, not
    // left lying there for good.
    savers_->MoveTo(folder);
    for (int f = 0; f < kFiles; ++f) {
        savers_->Save(f, 1 - held[f]);
        EXPECT_EQ(ReadBytes(folder / kFileNames[f]), versions[f][1 - held[f]]) << kFileNames[f];
    }
    std::vector<std::string> left;
    StrayFiles(folder, &left);
    EXPECT_EQ(left, std::vector<std::string>{}) << "left after a save that ran to its end";

    int bites = 0;
    for (int n : midSave) bites += n;
    if (trials >= 20) {
        EXPECT_GT(bites, 0) << "no kill landed during a save";
    }
    std::string leftovers;
    for (const auto& [name, count] : strayNames) leftovers += " " + name + " (" + std::to_string(count) + ")";
    std::printf(
        "%d kills in %.2f s (one round of saves %.2f ms); kills during a save: %s; "
        "temporary files seen after a kill:%s\n",
        trials, Seconds(took), 1000 * Seconds(round), FileCounts(midSave, oldKept, "left the old bytes").c_str(),
        leftovers.empty() ? " none" : leftovers.c_str());
}

TEST_F(SaveCrashTest, KilledWhileCreatingEveryFileIsAbsentOrWhole) {
    // What the first start of each program writes into an empty folder.
    const fs::path reference = root_ / "created";
    fs::create_directories(reference);
    savers_->MoveTo(reference);
    std::array<Bytes, kFiles> expected;
    for (int f = 0; f < kFiles; ++f) {
        savers_->Create(f);
        expected[f] = ReadBytes(reference / kFileNames[f]);
        ASSERT_FALSE(expected[f].empty()) << kFileNames[f];
    }

    // Kills fall once one of the creations in the first two folders has
    // begun, up to the filling of a folder later.
    const auto round = CreateRound(root_ / "timing");
    const auto longest = std::max<std::chrono::microseconds>(
        std::chrono::duration_cast<std::chrono::microseconds>(round), std::chrono::microseconds(200));
    const fs::path base = root_ / "creating";
    fs::create_directories(base);

    SharedState state;
    std::mt19937 random(1210);
    std::uniform_int_distribution<int> after(1, 2 * kFiles);
    std::uniform_int_distribution<long> pause(0, longest.count());
    std::array<int, kFiles> midCreate{}, absent{};
    const int trials = TrialCount();
    const auto start = Clock::now();
    for (int trial = 0; trial < trials; ++trial) {
        state->creating = kIdle;
        state->created = 0;
        state->begun = 0;
        const int creations = after(random);
        const std::string failure = RunAndKill(state->begun, creations, std::chrono::microseconds(pause(random)), [&] {
            for (int n = 0;; ++n) {
                if (n % kFiles == 0) {
                    const fs::path folder = base / std::to_string(n / kFiles);
                    fs::create_directory(folder);
                    savers_->MoveTo(folder);
                }
                state->creating = n;
                ++state->begun;
                savers_->Create(n % kFiles);
                state->created = n + 1;
                state->creating = kIdle;
            }
        });
        ASSERT_EQ(failure, "") << "kill " << trial;

        const int creating = state->creating;
        const int created = state->created;
        for (const auto& entry : fs::directory_iterator(base)) {
            const int k = std::stoi(entry.path().filename().string());
            for (int f = 0; f < kFiles; ++f) {
                const int n = k * kFiles + f;
                const fs::path path = entry.path() / kFileNames[f];
                const bool exists = fs::exists(path);
                if (n < created || (n == creating && exists)) {
                    ASSERT_EQ(ReadBytes(path), expected[f])
                        << kFileNames[f] << " in folder " << k << " after kill " << trial << " holds "
                        << Describe(path, expected[f], expected[f]);
                } else {
                    ASSERT_FALSE(exists) << kFileNames[f] << " in folder " << k << " before its creation began";
                }
                if (n == creating) {
                    ++midCreate[f];
                    if (!exists) ++absent[f];
                }
            }
            const auto strays = StrayFiles(entry.path(), nullptr);
            ASSERT_EQ(strays[kFiles], 0) << "folder " << k << " after kill " << trial;
            for (int f = 0; f < kFiles; ++f)
                ASSERT_LE(strays[f], 1) << kFileNames[f] << " in folder " << k << " after kill " << trial;
        }
        fs::remove_all(base);
        fs::create_directories(base);
    }
    const auto took = Clock::now() - start;
    std::printf("%d kills in %.2f s (filling one folder %.2f ms); kills while creating a file: %s\n", trials,
                Seconds(took), 1000 * Seconds(round), FileCounts(midCreate, absent, "left no file").c_str());
}
