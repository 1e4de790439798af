// The README's stats.dat example, run as it stands there: the shell lines
// between its markers write a file that the game loads, whose names the
// choose-pilots screen offers, and that the game writes back unchanged.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/data/player.h"
#include "game/data/stats.h"
#include "game/menus/pilotscreen.h"
#include "platform/system/files.h"
#include "tests/game/menu_fixture.h"

namespace {

constexpr const char* kBegin = "<!-- stats.dat example: begin -->";
constexpr const char* kEnd = "<!-- stats.dat example: end -->";
constexpr const char* kNamed[] = {"ARDEN", "BRISK", "CALLOWAY", "DRUMMOND"};

// The indented code between the README's markers, without its four-space
// indent; empty when the markers are missing or out of order.
std::string ReadmeExample() {
    std::ifstream in(VANTORRA_README);
    std::string line, code;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line == kBegin) {
            inside = true;
        } else if (line == kEnd) {
            return inside ? code : std::string();
        } else if (inside) {
            if (!line.empty() && !line.starts_with("    ")) ADD_FAILURE() << "prose between the markers: " << line;
            code += line.empty() ? "\n" : line.substr(4) + "\n";
        }
    }
    return {};
}

class ReadmeStatsTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        // The two nameless players, as the game sets them up.
        for (int i : {kNoPilotBlue, kNoPilotGreen}) {
            game->Pilots[i] = new Player();
            game->Pilots[i]->SetName("NO Pilot");
        }
    }

    // Runs the example with `shell` in the scratch folder, the working
    // directory; true when it exits with 0.
    static bool RunExample(const char* shell) {
        const std::string code = ReadmeExample();
        EXPECT_NE(code.find("stats.dat"), std::string::npos) << "no example between the README's markers";
        std::ofstream("example.sh") << code;
        std::filesystem::remove("stats.dat");
        const int status = std::system((std::string(shell) + " -e example.sh").c_str());
        return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    // The names the choose-pilots screen steps through, one W or Up press
    // at a time from "NO PILOTS" until it is back there.
    std::vector<std::string> NamesOffered(bool blue) {
        std::int32_t& index = blue ? game->BluePilot : game->GreenPilot;
        const int key = blue ? 'W' : kKeyUp;
        std::vector<std::string> names;
        game->BluePilot = kNoPilotBlue;
        game->GreenPilot = kNoPilotGreen;
        game->MenuLatch = 0;
        for (int press = 0; press <= kNamedPilots; ++press) {
            EXPECT_EQ(TapKey(ChoosePilotsScreen, key), ScreenChoosePilots);
            if (index >= kNamedPilots) break;
            names.push_back(game->Pilots[index]->Name());
        }
        return names;
    }
};

}  // namespace

TEST_F(ReadmeStatsTest, TheExampleWritesNamedPilotsThatTheGameOffersAndKeeps) {
    for (const char* shell : {"/bin/sh", "/bin/bash"}) {
        if (!std::filesystem::exists(shell)) continue;
        SCOPED_TRACE(shell);
        ASSERT_TRUE(RunExample(shell));

        const std::vector<std::uint8_t> file = plat::ReadWholeFile("stats.dat");
        ASSERT_EQ(file.size(), kStatsFileSize);
        for (int i = 0; i < kNamedPilots; ++i) EXPECT_EQ(file[i * kPilotRecordSize], 59) << "record " << i;

        LoadStats(game);
        for (int i = 0; i < kNamedPilots; ++i) {
            const Player& p = *game->Pilots[i];
            EXPECT_EQ(p.Name(), i < 4 ? kNamed[i] : "") << "pilot " << i;
            for (std::int32_t counter :
                 {p.ShotsFired, p.Hits, p.SpareCounters[0], p.SpareCounters[1], p.SpareCounters[2], p.Wins, p.Kills,
                  p.Draws, p.Losses, p.ShotDeaths, p.CollisionDeaths, p.Score})
                EXPECT_EQ(counter, 0) << "pilot " << i;
        }

        // Both lists offer the four names, last first going up, and nothing
        // else besides "NO PILOTS".
        const std::vector<std::string> upwards = {"DRUMMOND", "CALLOWAY", "BRISK", "ARDEN"};
        EXPECT_EQ(NamesOffered(true), upwards);
        EXPECT_EQ(NamesOffered(false), upwards);

        // Two of them can be chosen and the screen left.
        game->GameMode = ScreenQuickGame;
        game->BluePilot = 0;
        game->GreenPilot = 1;
        EXPECT_EQ(TapKey(ChoosePilotsScreen, kKeyEscape), ScreenQuickGame);

        // Quitting writes the file back as the example wrote it.
        SaveStats(game);
        EXPECT_EQ(plat::ReadWholeFile("stats.dat"), file);
    }
}
