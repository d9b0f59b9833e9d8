// SPDX-License-Identifier: GPL-3.0-or-later
// The info menu: the manual, the update page and the web site reach the desktop's opener, which
// hands xdg-open one argument and never waits for it; the about view and its version line.
#include "FakeXdgOpen.h"
#include "PresetBarSupport.h"
#include "editor/CAboutView.h"
#include "editor/CMVXDesktop.h"
#include "entry/CMVXModuleInfo.h"
#include "entry/OvermoorVersion.h"
#include <sys/wait.h>
#include <chrono>
#include <filesystem>

namespace PresetBarTest {
namespace {

using Names = std::vector<std::string>;
using InfoMenu = PresetBar;
constexpr int32_t kHelp = 0, kUpdates = 1, kWebSite = 2, kAbout = 3;

TEST_F (InfoMenu, EntriesReachTheOpenerAndHelpFallsBackToTheWebSite)
{
    auto host = startHost ();
    Names opened;
    bool viewerFound = false;
    host->editor->setDocumentOpener ([&] (const std::string& target) {
        opened.push_back (target);
        return viewerFound;
    });
    const std::string site = OVERMOOR_WEBSITE;
    EXPECT_EQ (site.rfind ("https://", 0), 0u);
    PresetTest::ScopedEnvironment help {"OVERMOOR_HELP_PATH", "/opt/Over moor/it's \"help\""};

    host->choose (15, kHelp);   // no viewer: the web site instead
    viewerFound = true;
    host->choose (15, kHelp);
    host->choose (15, kUpdates);
    host->choose (15, kWebSite);
    const std::string manual = "/opt/Over moor/it's \"help\"/Overmoor Manual.pdf";
    EXPECT_EQ (opened,
               (Names {manual, site, manual, site + "/update.php?app=SVOvermoor-1D-100-PC", site}));

    PresetTest::ScopedEnvironment noHelpPath {"OVERMOOR_HELP_PATH", nullptr};
    EXPECT_EQ (host->editor->getHelpDirectory (), CMVXModuleInfo::getResourcesFolder () + "/");
}

TEST_F (InfoMenu, XdgOpenGetsThePathAsOneArgumentWithoutWaitingOrAZombie)
{
    FakeXdgOpen xdgOpen;
    PresetTest::TemporaryFolder folder;
    const std::string awkward = folder.file ("it's \"quoted\"; touch never-made $(id) `id`.pdf");
    PresetTest::writeBytes (awkward, {'%'});
    const auto start = std::chrono::steady_clock::now ();
    EXPECT_TRUE (Morvane::Desktop::openDocument (awkward));
    // The script lingers a second, as a viewer would.
    EXPECT_LT (std::chrono::steady_clock::now () - start, std::chrono::milliseconds (500));
    EXPECT_EQ (xdgOpen.arguments (), Names {awkward});
    EXPECT_EQ (waitpid (-1, nullptr, WNOHANG), -1);   // no child of ours left to reap
    EXPECT_EQ (errno, ECHILD);
}

// Help through the editor and the real opener: the manual when it is there, else the web site;
// without xdg-open nothing is opened and the editor carries on.
TEST_F (InfoMenu, HelpOpensTheManualWhenItIsThereElseTheWebSite)
{
    FakeXdgOpen xdgOpen;
    PresetTest::TemporaryFolder withManual, empty;
    const std::string manual = withManual.file ("Overmoor Manual.pdf");
    PresetTest::writeBytes (manual, {'%'});
    const std::vector<std::pair<std::string, Names>> cases = {{withManual.path (), {manual}},
                                                              {empty.path (), {OVERMOOR_WEBSITE}}};
    auto host = startHost ();
    for (const auto& [folder, opened] : cases)
    {
        PresetTest::ScopedEnvironment help {"OVERMOOR_HELP_PATH", folder.c_str ()};
        host->choose (15, kHelp);
        EXPECT_EQ (xdgOpen.arguments (), opened) << folder;
        xdgOpen.forget ();
    }
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

} // namespace
} // namespace PresetBarTest
