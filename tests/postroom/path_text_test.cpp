#include <gtest/gtest.h>

#include <string>

#include "platform/path_text.h"
#include "platform/platform.h"
#include "temp_dir.h"

namespace postroom {
namespace {

// Paths in these tests are written with "/" and turned into the platform's
// separator.
std::string P(std::string text)
{
    for (char& c : text)
        if (c == '/')
            c = platform::PathSeparator();
    return text;
}

TEST(PathTextTest, JoinPutsTheSeparatorOnlyBetweenParts)
{
    PathText p;
    p.Join("MAIL");
    EXPECT_EQ(p.Str(), "MAIL");
    p.Join("Home");
    EXPECT_EQ(p.Str(), P("MAIL/Home"));
    const PathText j = p.Joined("ACCOUNT.INI");
    EXPECT_EQ(j.Str(), P("MAIL/Home/ACCOUNT.INI"));
    EXPECT_EQ(p.Str(), P("MAIL/Home"));
    EXPECT_EQ(p.Appended(".bak").Str(), P("MAIL/Home.bak"));
}

struct CutCase {
    const char* path;
    const char* lastCut;
    const char* extensionCut;
    const char* fileName;
};

class PathCutTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(PathCutTest, CutsAtTheLastSeparatorOrDot)
{
    PathText a(P(GetParam().path));
    a.CutLastComponent();
    EXPECT_EQ(a.Str(), P(GetParam().lastCut));
    PathText b(P(GetParam().path));
    b.CutExtension();
    EXPECT_EQ(b.Str(), P(GetParam().extensionCut));
    EXPECT_EQ(std::string(PathText(P(GetParam().path)).FileName()), GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(Cases, PathCutTest,
                         ::testing::Values(CutCase {"a/b/c.MBS", "a/b", "a/b/c", "c.MBS"},
                                           CutCase {"a.d/box", "a.d", "a.d/box", "box"},
                                           CutCase {"name.ini", "", "name", "name.ini"},
                                           CutCase {"plain", "", "plain", "plain"},
                                           CutCase {"dir/", "dir", "dir/", ""}));

TEST(PathTextTest, IsDirectoryTellsDirectoriesFromFiles)
{
    testing::TempDir dir;
    PathText d(dir.Path().string());
    EXPECT_TRUE(d.IsDirectory());
    PathText f = d.Joined("file.txt");
    testing::WriteBytes(f.Str(), "x");
    EXPECT_FALSE(f.IsDirectory());
    EXPECT_FALSE(d.Joined("missing").IsDirectory());
}

}  // namespace
}  // namespace postroom
