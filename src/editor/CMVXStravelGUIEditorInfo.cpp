// SPDX-License-Identifier: GPL-3.0-or-later
// The info menu: the manual, the update page, the maker's web site and the about view.
#include "editor/CMVXStravelCtrlBaseSet.h"
#include "editor/CMVXStravelGUIEditor.h"
#include "gui/COptionMenu.h"

#ifndef OVERMOOR_WEBSITE
#define OVERMOOR_WEBSITE "https://www.morvane.com"
#endif

using namespace VSTGUI;

namespace {

constexpr const char* kHelp = "Help";
constexpr const char* kCheckForUpdates = "Check For Updates";
constexpr const char* kWebSite = "Morvane Web Site";
constexpr const char* kAbout = "About Plug-In";
constexpr const char* kManualFile = "Overmoor Manual.pdf";
constexpr const char* kProductCode = "SVOvermoor-1D-100-PC";

}   // namespace

const char* CMVXStravelGUIEditor::webSiteAddress ()
{
    return OVERMOOR_WEBSITE;
}

std::string CMVXStravelGUIEditor::updateAddress ()
{
    return std::string (webSiteAddress ()) + "/update.php?app=" + kProductCode;
}

void CMVXStravelGUIEditor::setDocumentOpener (Morvane::Desktop::DocumentOpener opener)
{
    documentOpener = opener ? std::move (opener) : Morvane::Desktop::openDocument;
}

std::string CMVXStravelGUIEditor::getHelpDirectory ()
{
    return Morvane::Desktop::helpDirectory ();
}

void CMVXStravelGUIEditor::fillInfoMenu ()
{
    COptionMenu* infoMenu = presetBarMenu (kTagInfoMenu);
    if (!infoMenu || infoMenu->getNbEntries () > 0)
        return;
    for (const char* title : {kHelp, kCheckForUpdates, kWebSite, kAbout})
        infoMenu->addEntry (title);
}

void CMVXStravelGUIEditor::infoMenuChosen (COptionMenu* infoMenu)
{
    CMenuItem* entry = infoMenu->getCurrent ();
    if (!entry)
        return;
    const std::string title = entry->getTitle ();
    if (title == kWebSite)
        documentOpener (webSiteAddress ());
    else if (title == kHelp)
    {
        // No viewer for the manual (or no manual): the web site has it too.
        if (!documentOpener (getHelpDirectory () + kManualFile))
            documentOpener (webSiteAddress ());
    }
    else if (title == kCheckForUpdates)
        documentOpener (updateAddress ());
    else if (title == kAbout)
        showAboutView ();
}
