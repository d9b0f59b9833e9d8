// SPDX-License-Identifier: GPL-3.0-or-later
// The preset bar: the editor's copy of the processor's preset lists, the menus built from it,
// choosing, saving and deleting presets, and the name panel. Every request is answered before
// sendText returns, so each step below reads the answers of the one before.
#include "controller/CMVXMessageKeys.h"
#include "editor/CMVXStravelCtrlBaseSet.h"
#include "editor/CMVXStravelGUIEditor.h"
#include "framework/CMVXPresetListText.h"
#include "gui/COptionMenu.h"
#include "gui/CTextEdit.h"
#include <algorithm>

using namespace VSTGUI;
namespace keys = CMVXMessageKeys;

namespace {

constexpr const char* kAlreadyExists = "Already Exists";
constexpr const char* kNotSaved = "Not Saved";
constexpr int32_t kSaveEntry = 0;
constexpr int32_t kSaveAsEntry = 1;
constexpr int32_t kDeleteEntry = 2;

bool contains (const std::string& text, const char* key)
{
    return text.find (key) != std::string::npos;
}

std::vector<std::string> presetNames (const std::string& text)
{
    std::vector<std::string> names;
    for (CMVXPresetListEntry& entry : parsePresetListText (text))
        names.push_back (std::move (entry.name));
    return names;
}

}   // namespace

COptionMenu* CMVXStravelGUIEditor::presetBarMenu (int32 tag) const
{
    CMVXStravelCtrlBaseSet* set = getControlSet ();
    return set ? dynamic_cast<COptionMenu*> (set->getControl (tag)) : nullptr;
}

CTextEdit* CMVXStravelGUIEditor::nameField () const
{
    CMVXStravelCtrlBaseSet* set = getControlSet ();
    return set ? dynamic_cast<CTextEdit*> (set->getControl (kTagNameField)) : nullptr;
}

void CMVXStravelGUIEditor::receiveMessage (const std::string& text)
{
    // A refused save names the preset after its key, and a name may contain anything.
    if (text.rfind (keys::kPresetSaveFailed, 0) == 0)
        saveRefused = true;
    else if (contains (text, keys::kUserPresetList))
    {
        userPresets.clear ();
        int32 number = static_cast<int32> (factoryPresetNames.size ());
        // A repeated name keeps its first number.
        for (std::string& name : presetNames (text))
            userPresets.emplace (std::move (name), number++);
    }
    else if (contains (text, keys::kFactoryPresetList))
        factoryPresetNames = presetNames (text);
    else if (contains (text, keys::kSetSelectedPreset))
        selectedPresetNumber = parseSelectedPresetNumberText (
            text.substr (text.find (keys::kSetSelectedPreset)), keys::kSetSelectedPreset);
}

void CMVXStravelGUIEditor::requestPresets ()
{
    if (controllerLink)
        controllerLink->sendText (keys::kGetFactoryPresets);
    rebuildPresetMenus ();
}

void CMVXStravelGUIEditor::rebuildPresetMenus ()
{
    COptionMenu* presetMenu = presetBarMenu (kTagPresetMenu);
    COptionMenu* saveMenu = presetBarMenu (kTagSaveMenu);
    COptionMenu* hiddenMenu = presetBarMenu (kTagHiddenMenu);
    if (!presetMenu || !saveMenu || !hiddenMenu)
        return;
    fillInfoMenu ();
    if (controllerLink)
    {
        controllerLink->sendText (keys::kGetUserPresets);
        controllerLink->sendText (keys::kGetSelectedPreset);
    }

    presetMenu->removeAllEntry ();
    hiddenMenu->removeAllEntry ();
    for (const std::string& name : factoryPresetNames)
        presetMenu->addEntry (name);
    if (saveMenu->getNbEntries () > kDeleteEntry)
        saveMenu->removeEntry (kDeleteEntry);
    if (userPresets.empty ())
        saveMenu->addEntry ("Delete", kDeleteEntry, CMenuItem::kDisabled);
    else
    {
        presetMenu->addSeparator ();
        for (const auto& preset : userPresets)
        {
            presetMenu->addEntry (preset.first);
            hiddenMenu->addEntry (preset.first);
        }
        saveMenu->addEntry (hiddenMenu, "Delete");
    }

    // The selected number names a factory preset by position, a user preset by its number.
    currentPresetName.reset ();
    if (selectedPresetNumber >= 0
        && static_cast<size_t> (selectedPresetNumber) < factoryPresetNames.size ())
    {
        presetMenu->setCurrent (selectedPresetNumber, false);
        currentPresetName = factoryPresetNames[static_cast<size_t> (selectedPresetNumber)];
    }
    else
    {
        for (const auto& preset : userPresets)
            if (preset.second == selectedPresetNumber)
            {
                currentPresetName = preset.first;
                // Below the factory entries: a user preset may share a factory preset's name.
                const auto firstUserEntry = static_cast<int32_t> (factoryPresetNames.size ());
                for (int32_t i = firstUserEntry; i < presetMenu->getNbEntries (); ++i)
                    if (CMenuItem* item = presetMenu->getEntry (i);
                        item && !item->isSeparator () && item->getTitle () == preset.first)
                    {
                        presetMenu->setCurrent (i);
                        break;
                    }
                break;
            }
    }
    presetMenu->invalid ();
    saveMenu->invalid ();
}

CMVXStravelGUIEditor::int32 CMVXStravelGUIEditor::presetNumberOf (const std::string& title,
                                                                  int32 index) const
{
    if (index >= 0 && static_cast<size_t> (index) < factoryPresetNames.size ())
        return index;
    const auto user = userPresets.find (title);
    return user != userPresets.end () ? user->second : 0;
}

void CMVXStravelGUIEditor::selectPreset (int32 number, const std::string& title)
{
    selectedPresetNumber = number;
    currentPresetName = title;
    if (controllerLink)
        controllerLink->sendText (std::string (keys::kSetSelectedPreset) + std::to_string (number));
}

void CMVXStravelGUIEditor::presetChosen (COptionMenu* presetMenu)
{
    const int32 index = presetMenu->getCurrentIndex (false);
    CMenuItem* entry = presetMenu->getCurrent ();
    const std::string title = entry ? entry->getTitle () : std::string ();
    selectPreset (presetNumberOf (title, index), title);
}

void CMVXStravelGUIEditor::saveMenuChosen (COptionMenu* saveMenu)
{
    int32_t index = -1;
    COptionMenu* chosenIn = saveMenu->getLastItemMenu (index);
    if (chosenIn != nullptr && chosenIn == presetBarMenu (kTagHiddenMenu))
    {
        if (CMenuItem* entry = chosenIn->getEntry (index))
            deletePreset (entry->getTitle ());
        return;
    }
    if (chosenIn != saveMenu)
        return;
    CMVXStravelCtrlBaseSet* set = getControlSet ();
    if (index == kSaveAsEntry || (index == kSaveEntry && !currentPresetName))
    {
        if (set)
            set->showNamePanel ();
        return;
    }
    if (index != kSaveEntry || !controllerLink)
        return;
    saveRefused = false;
    controllerLink->sendText (std::string (keys::kPresetSave) + *currentPresetName);
    rebuildPresetMenus ();
    if (saveRefused)
        showNotSaved ();
}

void CMVXStravelGUIEditor::deletePreset (std::string name)
{
    COptionMenu* presetMenu = presetBarMenu (kTagPresetMenu);
    if (!controllerLink || !presetMenu)
        return;
    const bool wasCurrent = currentPresetName == name;
    const int32 position = presetMenu->getCurrentIndex (false);
    controllerLink->sendText (std::string (keys::kPresetDelete) + name);
    rebuildPresetMenus ();
    if (!wasCurrent || userPresets.count (name) != 0)
        return;
    // The deleted preset was the one in use: the entry that takes its place in the menu becomes
    // current, so the menu never shows a preset that is gone and the sound matches its entry.
    int32 entries = 0;
    for (int32_t i = 0; i < presetMenu->getNbEntries (); ++i)
        entries += presetMenu->getEntry (i)->isSeparator () ? 0 : 1;
    if (entries == 0)
        return;
    const int32 replacement = std::min (position, entries - 1);
    presetMenu->setCurrent (replacement, false);
    CMenuItem* entry = presetMenu->getCurrent ();
    const std::string title = entry ? entry->getTitle () : std::string ();
    selectPreset (presetNumberOf (title, replacement), title);
    presetMenu->invalid ();
}

void CMVXStravelGUIEditor::commitNamePanel (bool accept)
{
    CMVXStravelCtrlBaseSet* set = getControlSet ();
    if (!set)
        return;
    CTextEdit* field = nameField ();
    if (!accept || !field)
    {
        set->hideNamePanel ();
        return;
    }
    const std::string name = field->getText ();
    const bool taken = std::find (factoryPresetNames.begin (), factoryPresetNames.end (), name)
                           != factoryPresetNames.end ()
                       || userPresets.count (name) != 0;
    if (taken)
    {
        field->setText (kAlreadyExists);
        field->invalid ();
        set->focusNameField ();
        return;
    }
    saveRefused = false;
    if (controllerLink)
        controllerLink->sendText (std::string (keys::kPresetSaveAs) + name);
    if (!saveRefused)
        set->hideNamePanel ();
    rebuildPresetMenus ();
    if (saveRefused)
        showNotSaved ();
}

// The panel stays (or comes) up with the failure in its field; Cancel closes it, a new name
// tries again.
void CMVXStravelGUIEditor::showNotSaved ()
{
    CMVXStravelCtrlBaseSet* set = getControlSet ();
    CTextEdit* field = nameField ();
    if (!set || !field)
        return;
    set->showNamePanel ();
    field->setText (kNotSaved);
    field->invalid ();
    set->focusNameField ();
}

void CMVXStravelGUIEditor::presetBarValueChanged (CControl* control)
{
    const int32 tag = control->getTag ();
    if (tag == kTagPresetMenu || tag == kTagSaveMenu || tag == kTagInfoMenu)
    {
        auto* menu = dynamic_cast<COptionMenu*> (control);
        if (!menu)
            return;
        if (tag == kTagPresetMenu)
            presetChosen (menu);
        else if (tag == kTagSaveMenu)
            saveMenuChosen (menu);
        else
            infoMenuChosen (menu);
    }
    else if (tag == kTagNameField)
        commitNamePanel (true);   // Return in the field, as the tick button
    else if ((tag == kTagAcceptButton || tag == kTagCancelButton)
             && control->getValueNormalized () == 1.f)
        commitNamePanel (tag == kTagAcceptButton);   // the press; the release does nothing
}
