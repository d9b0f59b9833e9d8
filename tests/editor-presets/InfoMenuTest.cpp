// SPDX-License-Identifier: GPL-3.0-or-later
// The info menu: the manual, the update page and the web site reach the desktop's opener, which
// hands xdg-open one argument and never waits for it; the about view and its version line.
#include "FakeXdgOpen.h"
#include "PresetBarSupport.h"
#include "editor/CAboutView.h"
#include "editor/CMVXDesktop.h"
#include "entry/OvermoorVersion.h"
#include <sys/wait.h>
#include <chrono>
#include <filesystem>

namespace PresetBarTest {
namespace {

using Names = std::vector<std::string>;
using InfoMenu = PresetBar;
constexpr int32_t kHelp = 0, kUpdates = 1, kWebSite = 2, kAbout = 3;

// Through the real opener, which hands xdg-open one argument however the path is quoted, and
// neither waits for it nor leaves a zombie: Help opens the manual when it is there, else the web
// site (which has it too); without xdg-open nothing is opened and the editor carries on.
TEST_F (InfoMenu, EntriesReachXdgOpenAsOneArgumentAndHelpFallsBackToTheWebSite)
{
    FakeXdgOpen xdgOpen;
    PresetTest::TemporaryFolder withManual, empty;
    const std::string awkward = withManual.file ("it's \"quoted\"; touch never-made $(id) `id`");
    std::filesystem::create_directory (awkward);
    const std::string manual = awkward + "/Overmoor Manual.pdf", site = OVERMOOR_WEBSITE;
    PresetTest::writeBytes (manual, {'%'});
    EXPECT_EQ (site.rfind ("https://", 0), 0u);
    const struct
    {
        const char* helpPath;
        int32_t entry;
        std::string opened;
    } cases[] = {{awkward.c_str (), kHelp, manual},
                 {empty.path ().c_str (), kHelp, site},
                 {nullptr, kUpdates, site + "/update.php?app=SVOvermoor-1D-100-PC"},
                 {nullptr, kWebSite, site}};
    auto host = startHost ();
    for (const auto& c : cases)
    {
        PresetTest::ScopedEnvironment help {"OVERMOOR_HELP_PATH", c.helpPath};
        const auto start = std::chrono::steady_clock::now ();
        host->choose (15, c.entry);
        // The script lingers a second, as a viewer would.
        EXPECT_LT (std::chrono::steady_clock::now () - start, std::chrono::milliseconds (500));
        EXPECT_EQ (xdgOpen.arguments (), Names {c.opened});
        xdgOpen.forget ();
    }
    EXPECT_EQ (waitpid (-1, nullptr, WNOHANG), -1);   // no child of ours left to reap
    EXPECT_EQ (errno, ECHILD);
    PresetTest::ScopedEnvironment noXdgOpen {"PATH", "/nonexistent"};
    EXPECT_FALSE (Morvane::Desktop::openDocument (OVERMOOR_WEBSITE));
    host->choose (15, kHelp);
    host->choose (15, kAbout);   // still answers
    EXPECT_NE (host->editor->getAboutView (), nullptr);
}

TEST_F (InfoMenu, AboutViewShowsTheBuildVersionAndClosesOnAPlainLeftClickOnly)
{
    EXPECT_STREQ (OvermoorVersion::kVersion, OVERMOOR_PROJECT_VERSION);
    EXPECT_EQ (aboutVersionText ("1.0.0.4"), "version 1.0.0 (b4)");
    auto host = startHost ();
    for (int opening = 0; opening < 2; ++opening)
    {
        host->choose (15, kAbout);
        auto* about = dynamic_cast<CAboutView*> (host->frame ()->getModalView ());
        ASSERT_NE (about, nullptr) << opening;
        EXPECT_EQ (about, host->editor->getAboutView ());
        EXPECT_EQ (about->getVersionText (), aboutVersionText (OVERMOOR_PROJECT_VERSION));
        EXPECT_EQ (about->getViewSize (), CRect (0, 0, 180, 300));
        for (int32_t notPlain :
             {int32_t (kRButton), kLButton | kShift, kLButton | kControl, int32_t (kMButton)})
        {
            host->click (about, notPlain);
            EXPECT_EQ (host->frame ()->getModalView (), about) << notPlain;
        }
        // A double click is still a plain left click.
        host->click (about, kLButton | kDoubleClick);
        EXPECT_EQ (host->frame ()->getModalView (), nullptr);
        EXPECT_EQ (host->editor->getAboutView (), nullptr);
    }
    // Closing the window while it is shown takes it down with the window.
    host->choose (15, kAbout);
    host->editor->close ();
    EXPECT_EQ (host->editor->getAboutView (), nullptr);
}

}   // namespace
}   // namespace PresetBarTest
