// The generator is deterministic: a fresh run of a sample of every kind of
// file gives it byte for byte as the build's own run left it, the catalogue
// lists the same jobs every time, and a run over unchanged files rewrites
// none of them; a folder it cannot write to is an error, not a silent gap.
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "tools/mediagen/catalog.h"
#include "tools/mediagen/generator.h"
#include "tests/mediagen/support_media.h"

using namespace mediatest;

namespace {

// The kind of a job: its name up to the first space or, for a file job, up
// to its folder ("ship 3 from 16" -> "ship", "img/planets/io.bmp" -> "img/planets").
std::string KindOf(const std::string& job) {
    const std::size_t slash = job.rfind('/');
    if (slash != std::string::npos) return job.substr(0, slash);
    return job.substr(0, job.find(' '));
}

// A sample of every kind of picture and sound: one run of frames per
// technology (not the first run, so a thread's kept canvas has drawn other
// frames before), keyed and plain planets, the music, an engine and a shot.
bool Representative(const std::string& job) {
    static const std::set<std::string> picked = {"ship 0 from 16",
                                                 "ship 8 from 31",
                                                 "ship 16 from 46",
                                                 "ship 17 from 16",
                                                 "ship 18 from 31",
                                                 "ship 19 from 46",
                                                 "ship 23 from 16",
                                                 "thumbnail 0",
                                                 "thumbnail 23",
                                                 "asteroid",
                                                 "img/planets/earth1.bmp",
                                                 "img/planets/jupiter.bmp",
                                                 "img/planets/moon.bmp",
                                                 "icons",
                                                 "dust",
                                                 "pointer",
                                                 "title",
                                                 "snd/fanfare2.wav",
                                                 "snd/sw/xeng.wav",
                                                 "snd/b5/minbarengine.wav",
                                                 "snd/st/torp.wav",
                                                 "snd/bsg/cylonlaser.wav"};
    return picked.contains(job);
}

}  // namespace

TEST(Determinism, ARunOfEveryKindGivesTheBuildsBytes) {
    const std::filesystem::path dir = ScratchDir("Determinism_ARunOfEveryKindGivesTheBuildsBytes");
    const mediagen::GenerateResult r = mediagen::Generate(dir / "game", dir / "generated", 4, Representative);
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
    // 7 runs of 15 frames, 2 thumbnails, 30 rocks, 3 planets, 12 icons, dust,
    // pointer, the title and its include, 5 sounds.
    EXPECT_EQ(compared, 105 + 2 + 30 + 3 + 12 + 1 + 1 + 2 + 5);
    std::filesystem::remove_all(dir);
}

TEST(Determinism, TheCatalogueIsStableAndTheSampleCoversEveryKind) {
    const std::vector<mediagen::Job> first = mediagen::AllJobs(), second = mediagen::AllJobs();
    ASSERT_EQ(first.size(), second.size());
    std::set<std::string> names, kinds, sampled;
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].name, second[i].name) << "job " << i;
        EXPECT_TRUE(names.insert(first[i].name).second) << first[i].name << " listed twice";
        kinds.insert(KindOf(first[i].name));
        if (Representative(first[i].name)) sampled.insert(KindOf(first[i].name));
    }
    // Every sampled name is a real job, and every kind the programs read is
    // in the sample (the contact sheet is for people only).
    for (const char* n : {"ship 23 from 16", "snd/b5/minbarengine.wav", "img/planets/jupiter.bmp"})
        EXPECT_TRUE(names.contains(n)) << n;
    kinds.erase("contact");
    EXPECT_EQ(sampled, kinds);
    // 96 frame runs, 24 thumbnails, 43 sounds, 21 planets and the six
    // single jobs (sheet, title, rocks, icons, dust, pointer).
    EXPECT_EQ(first.size(), 96u + 24u + 43u + 21u + 6u);
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
    const mediagen::GenerateResult t = mediagen::Generate(
        dir / "game2", dir / "gen", 1, [](const std::string& n) { return n.starts_with("thumbnail"); });
    EXPECT_NE(t.error.find("thumbs"), std::string::npos) << t.error;
    EXPECT_LT(t.files, 24);
    std::filesystem::remove_all(dir);
}
