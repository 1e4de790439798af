// The generator is deterministic: a fresh run gives every file byte for byte
// as the build's own run left it, and a run over unchanged files rewrites
// none of them; a folder it cannot write to is an error, not a silent gap.
#include <fstream>

#include <gtest/gtest.h>

#include "generator.h"
#include "support_media.h"

using namespace mediatest;

TEST(Determinism, ASecondRunGivesIdenticalBytes) {
    const std::filesystem::path dir = ScratchDir("Determinism_ASecondRunGivesIdenticalBytes");
    const mediagen::GenerateResult r = mediagen::Generate(dir / "game", dir / "generated", 8);
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.written, r.files);
    int compared = 0;
    for (const auto& [mine, theirs] : {std::pair{dir / "game", GameDir()}, std::pair{dir / "generated", GenDir()}}) {
        for (const auto& e : std::filesystem::recursive_directory_iterator(mine)) {
            if (!e.is_regular_file()) continue;
            const auto rel = std::filesystem::relative(e.path(), mine);
            const auto a = ReadFile(e.path());
            const auto b = ReadFile(theirs / rel);
            ASSERT_TRUE(a && b) << rel;
            EXPECT_TRUE(*a == *b) << rel << " differs between runs";
            ++compared;
        }
    }
    EXPECT_EQ(compared, r.files);
    EXPECT_GT(compared, 1500);

    std::filesystem::remove_all(dir);
}

TEST(Determinism, ARunOverUnchangedFilesRewritesNone) {
    const std::filesystem::path dir = ScratchDir("Determinism_ARunOverUnchangedFilesRewritesNone");
    auto icons = [](const std::string& name) { return name == "icons" || name == "pointer"; };
    const mediagen::GenerateResult first = mediagen::Generate(dir / "game", dir / "generated", 2, icons);
    ASSERT_TRUE(first.error.empty()) << first.error;
    EXPECT_EQ(first.files, 13);
    EXPECT_EQ(first.written, 13);
    const auto stamp = std::filesystem::last_write_time(dir / "game/img/pointer.bmp");
    const mediagen::GenerateResult again = mediagen::Generate(dir / "game", dir / "generated", 2, icons);
    EXPECT_TRUE(again.error.empty()) << again.error;
    EXPECT_EQ(again.files, 13);
    EXPECT_EQ(again.written, 0);
    EXPECT_EQ(std::filesystem::last_write_time(dir / "game/img/pointer.bmp"), stamp);
    // A damaged file is put right.
    { std::ofstream(dir / "game/img/pointer.bmp", std::ios::trunc) << "junk"; }
    const mediagen::GenerateResult mend = mediagen::Generate(dir / "game", dir / "generated", 2, icons);
    EXPECT_EQ(mend.written, 1);
    EXPECT_EQ(ReadFile(dir / "game/img/pointer.bmp"), ReadFile(GameDir() / "img/pointer.bmp"));
    std::filesystem::remove_all(dir);
}

TEST(Determinism, AnUnwritableFolderIsReportedNotIgnored) {
    const std::filesystem::path dir = ScratchDir("Determinism_AnUnwritableFolderIsReportedNotIgnored");
    // A plain file where the generated folder should be: nothing can go in.
    { std::ofstream(dir / "blocked") << "x"; }
    const mediagen::GenerateResult r = mediagen::Generate(dir / "game", dir / "blocked", 8);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(r.files, 0);
    // A folder that cannot take a file stops the run at its first failure.
    std::filesystem::create_directories(dir / "gen");
    { std::ofstream(dir / "gen" / "thumbs") << "x"; }
    const mediagen::GenerateResult t = mediagen::Generate(dir / "game2", dir / "gen", 1,
                                                          [](const std::string& n) { return n.starts_with("thumbnail"); });
    EXPECT_NE(t.error.find("thumbs"), std::string::npos) << t.error;
    EXPECT_LT(t.files, 24);
    std::filesystem::remove_all(dir);
}
