// Finding the data folder: the working directory's dat/, the folder asked for, the source
// tree's, the installed one, in that order; and one line when there is none.
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "base/data.h"

namespace {

// Which of the four places exist as folders in one case, and which must be chosen.
struct DataCase {
    bool here, asked, source, installed;
    bool command_line;      // a tool's --data rather than the game's VELMOOR_DATA
    const char *asked_name; // "" for none given; "asked" names a folder when `asked` is set
    const char *chosen;     // "dat", "asked", "source", "installed", or null for none
};

const DataCase CASES[] = {
    {false, true, true, true, false, "asked", "asked"},    // VELMOOR_DATA
    {false, false, true, true, true, "asked", "source"},   // a name that is no folder is passed over
    {false, false, false, true, false, "", "installed"},   // none given, and the source tree is gone
    {true, true, true, true, false, "asked", "dat"},       // ./dat before all, as the game always had it
    {true, true, true, true, true, "asked", "asked"},      // but a tool's --data before ./dat
    {false, false, false, false, false, "asked", nullptr}, // nowhere at all
};

TEST(DataFolder, TheFirstPlaceThatIsAFolderIsChosen) {
    char name[] = "/tmp/velmoor-data-XXXXXX";
    const std::string root = mkdtemp(name);
    char was[4096];
    ASSERT_TRUE(getcwd(was, sizeof was));
    for (const DataCase &c : CASES) {
        const std::string dir = root + "/" + (c.chosen ? c.chosen : "none") +
                                std::to_string(&c - CASES);
        ASSERT_EQ(mkdir(dir.c_str(), 0755), 0);
        ASSERT_EQ(chdir(dir.c_str()), 0);
        if (c.here) mkdir("dat", 0755);
        if (c.asked) mkdir("asked", 0755);
        if (c.source) mkdir("source", 0755);
        if (c.installed) mkdir("installed", 0755);
        source_data_dir = dir + "/source";
        installed_data_dir = dir + "/installed";
        testing::internal::CaptureStderr();
        bool found = find_data_root("velmoor", c.asked_name, c.command_line);
        std::string said = testing::internal::GetCapturedStderr();
        SCOPED_TRACE(dir);
        EXPECT_EQ(found, c.chosen != nullptr);
        std::string want = c.chosen ? c.chosen : "dat";
        if (want == "source" || want == "installed") want = dir + "/" + want;
        EXPECT_EQ(data_root, want);
        EXPECT_EQ(said, c.chosen ? ""
                                 : "velmoor: no data folder (looked in dat, asked, " + dir +
                                       "/source, " + dir + "/installed); running on without "
                                       "models, images and sounds\n");
    }
    ASSERT_EQ(chdir(was), 0);
    std::system(("rm -rf " + root).c_str());
}

} // namespace
