#include "tests/display/display_fixture.h"

namespace {

const std::string kFolder = sim::Conditions{}.appData;
const std::string kPath = kFolder + "\\glintix.txt";
const MonitorName kTv = monitorNamed("\\\\.\\DISPLAY2", RECT{1920, 0, 3200, 1024});

std::string written(const MonitorName& chosen) { return settingsText(Settings{chosen, {}}); }

bool isTv(const MonitorName& name) {
    return std::string(name.device) == kTv.device && name.rect.left == kTv.rect.left &&
           name.rect.top == kTv.rect.top && name.rect.right == kTv.rect.right &&
           name.rect.bottom == kTv.rect.bottom;
}

// The file as written, of today's size limit, is read whole; one a byte larger is not
// read; a missing file, a folder in its place and no application-data folder give the
// player's monitor. (What its text may hold, the settings text's own table shows.)
TEST_F(DisplayTest, SettingsFileReadBackOrThePlayersMonitor) {
    const std::string saved = written(kTv);
    std::string largest = saved;
    largest.insert(0, "#" + std::string(kMaxSettingsBytes - saved.size() - 2, ' ') + "\n");
    // The file's bytes (none: no file), or a folder in its place, or no folder for it.
    enum Place { InFile, Absent, AFolder, NoAppData };
    const struct {
        const char* name;
        Place place;
        std::string text;
        bool tv;
    } cases[] = {
        {"as written", InFile, saved, true},
        {"as large as it may be", InFile, largest, true},
        {"missing", Absent, "", false},
        {"one byte over 4 KiB, its first 4 KiB fine", InFile, largest + "\n", false},
        {"a folder in its place", AFolder, "", false},
        {"no application-data folder", NoAppData, saved, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::reset();
        if (c.place == InFile || c.place == NoAppData) {
            sim::putFile(kPath, c.text);
        } else if (c.place == AFolder) {
            sim::putFolder(kPath);
        }
        sim::conditions().appData = c.place == NoAppData ? "" : kFolder;
        EXPECT_EQ(isTv(chosenMonitor()), c.tv);
        EXPECT_EQ(sim::leaks(), "");
    }
}

// The choice goes to the file, as often as the user picks one, and is read back from it;
// where the folder refuses it, it holds for this load until one can be written.
TEST_F(DisplayTest, SettingsFileKeepsTheChoice) {
    EXPECT_TRUE(keepChosenMonitor(kTv));
    EXPECT_EQ(sim::fileBytes(kPath), written(kTv));
    EXPECT_TRUE(isTv(chosenMonitor()));
    EXPECT_TRUE(keepChosenMonitor(MonitorName{}));
    EXPECT_EQ(sim::fileBytes(kPath), written(MonitorName{}));
    EXPECT_FALSE(isTv(chosenMonitor()));

    sim::conditions().appDataReadOnly = true;
    EXPECT_FALSE(keepChosenMonitor(kTv));
    EXPECT_EQ(sim::fileBytes(kPath), written(MonitorName{}));
    EXPECT_TRUE(isTv(chosenMonitor()));
    sim::conditions().appDataReadOnly = false;
    EXPECT_TRUE(keepChosenMonitor(MonitorName{}));
    EXPECT_FALSE(isTv(chosenMonitor()));
}

}  // namespace
