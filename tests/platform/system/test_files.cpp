#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/system/files.h"

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        // ctest runs tests in parallel: each gets a folder of its own.
        dir = fs::path(VANTORRA_TEST_TMP) /
              (std::string("files_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
               std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "img" / "Asteroid");
        old = fs::current_path();
        fs::current_path(dir);
        std::ofstream(dir / "img" / "Asteroid" / "aster0001.BMP") << "BMxx";
    }
    void TearDown() override {
        fs::current_path(old);
        fs::remove_all(dir);
    }
    fs::path dir, old;
};

TEST_F(FilesTest, BackslashesAndCaseAreResolved) {
    EXPECT_EQ(plat::ResolvePath("img\\asteroid\\aster0001.bmp"), "img/Asteroid/aster0001.BMP");
    EXPECT_TRUE(plat::FileExists("img\\asteroid\\aster0001.bmp"));
    EXPECT_EQ(plat::FileLength("IMG\\ASTEROID\\ASTER0001.bmp"), 4);
    plat::File f = plat::Open("img\\asteroid\\aster0001.bmp", "rb");
    ASSERT_TRUE(f);
    char buf[4];
    EXPECT_EQ(std::fread(buf, 1, 4, f.get()), 4u);
    EXPECT_EQ(std::string(buf, 2), "BM");
}

TEST_F(FilesTest, MissingNamesKeepTheirSpelling) {
    EXPECT_EQ(plat::ResolvePath("img\\planets\\io.bmp"), "img/planets/io.bmp");
    EXPECT_FALSE(plat::FileExists("img\\planets\\io.bmp"));
    EXPECT_EQ(plat::FileLength("img\\planets\\io.bmp"), -1);
    EXPECT_FALSE(plat::Open("nothing.dat", "rb"));
    // A folder is not a file.
    EXPECT_FALSE(plat::FileExists("img\\asteroid"));
}

TEST_F(FilesTest, AtomicWriteReplacesWholeFile) {
    { std::ofstream("config.cfg") << "old contents that are longer"; }
    const char data[] = "new";
    ASSERT_TRUE(plat::WriteFileAtomically("config.cfg", data, 3));
    EXPECT_EQ(plat::FileLength("config.cfg"), 3);
    EXPECT_FALSE(fs::exists("config.cfg.tmp"));
    // A file in a folder that does not exist cannot be written; nothing is left behind.
    EXPECT_FALSE(plat::WriteFileAtomically("nofolder\\x.dat", data, 3));
}

TEST_F(FilesTest, WholeFileIsReadOrNothing) {
    { std::ofstream("stats.dat", std::ios::binary) << std::string(5000, 'x'); }
    EXPECT_EQ(plat::ReadWholeFile("STATS.DAT").size(), 5000u);
    EXPECT_TRUE(plat::ReadWholeFile("missing.dat").empty());
}
