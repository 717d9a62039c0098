// The second module's configuration, as the user works it through the player.
#include <functional>

#include "display/monitor/monitor_dialog_ids.h"
#include "plugin_fixture.h"

namespace {

const std::string kPath = sim::Conditions{}.appData + "\\glintix.txt";

class ConfigurationTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        sim::setDesktopMode({1920, 1080, 32});
        sim::setMonitors({{RECT{0, 0, 1920, 1080}, 100}, {RECT{-1280, 0, 0, 1024}, 100}});
        windowed = *moduleAt(1);
        windowed.parentWindow = sim::showHostWindow(RECT{100, 100, 400, 300});
    }

    // The configuration, the user doing `act` in the dialog.
    void configure(std::function<void(HWND dialog)> act) {
        sim::conditions().dialogUser = std::move(act);
        configWindowed(&windowed);
    }

    VisModule windowed;
};

// Modal to the player's window, the dialog lists the player's monitor and every monitor as
// the user sees them, the choice marked; OK writes the one selected, each time it is
// pressed; Cancel writes nothing.
TEST_F(ConfigurationTest, TheChoiceGoesToTheFile) {
    configure([](HWND dialog) {
        sim::selectListItem(dialog, GLINTIX_MONITOR_LIST, 1);
        sim::pressButton(dialog, IDOK);
    });
    EXPECT_EQ(sim::dialog().owner, windowed.parentWindow);
    const std::vector<std::string> listed = {"The player's monitor",
                                             "Monitor 1: 1280x1024 at -1280,0",
                                             "Monitor 2: 1920x1080 at 0,0 (primary)"};
    EXPECT_EQ(sim::dialog().items, listed);
    EXPECT_EQ(sim::dialog().selected, 1);
    EXPECT_FALSE(sim::dialog().open);
    const std::optional<std::string> saved = sim::fileBytes(kPath);
    ASSERT_TRUE(saved.has_value());
    EXPECT_NE(saved->find("\r\nmonitor -1280 0 0 1024 \\\\.\\DISPLAY2\r\n"), std::string::npos)
        << *saved;

    // Opened again, the choice is marked; another, by a double click, replaces it.
    configure([](HWND dialog) {
        EXPECT_EQ(sim::dialog().selected, 1);
        sim::doubleClickListItem(dialog, GLINTIX_MONITOR_LIST, 2);
    });
    EXPECT_NE(sim::fileBytes(kPath)->find("monitor 0 0 1920 1080 \\\\.\\DISPLAY1"),
              std::string::npos);

    configure([](HWND dialog) {
        sim::selectListItem(dialog, GLINTIX_MONITOR_LIST, 0);
        sim::pressButton(dialog, IDCANCEL);
    });
    EXPECT_NE(sim::fileBytes(kPath)->find("DISPLAY1"), std::string::npos);
    configure([](HWND dialog) {
        sim::selectListItem(dialog, GLINTIX_MONITOR_LIST, 0);
        sim::pressButton(dialog, IDOK);
    });
    EXPECT_EQ(sim::fileBytes(kPath)->find("\nmonitor "), std::string::npos);
}

// Where the file cannot be written the dialog says so and stays; a second OK closes it,
// and the choice holds for the runs of this load.
TEST_F(ConfigurationTest, AChoiceThatCannotBeSavedHoldsForTheLoad) {
    sim::conditions().appDataReadOnly = true;
    configure([](HWND dialog) {
        sim::selectListItem(dialog, GLINTIX_MONITOR_LIST, 1);
        sim::pressButton(dialog, IDOK);
        EXPECT_TRUE(sim::dialog().open);
        EXPECT_EQ(sim::dialog().note,
                  "The choice could not be saved: it holds until the player closes.");
        sim::pressButton(dialog, IDOK);
    });
    EXPECT_FALSE(sim::dialog().open);
    EXPECT_FALSE(sim::fileBytes(kPath).has_value());
    ASSERT_EQ(initWindowed(&windowed), 0);
    EXPECT_TRUE(sim::windowExists(sim::findWindow("glintix #1 (no mode change)")));
    renderWindowedRun(&windowed);
    renderWindowedRun(&windowed);
    const sim::ScreenView screen = sim::gdiScreen();
    EXPECT_EQ(screen.at(-1275, 5), 0u) << "not on the picked monitor";
    EXPECT_EQ(screen.at(960, 540), 0xCDCDCDCDu) << "drawn on the player's monitor";
    quitWindowed(&windowed);

    sim::conditions().appDataReadOnly = false;
    configure([](HWND dialog) { sim::pressButton(dialog, IDOK); });
}

}  // namespace
