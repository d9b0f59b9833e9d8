// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The product family's editor: the shared bitmap store, the control set, the frame around it,
// the preset bar and the about view. Its member functions live in files by concern:
// CMVXStravelGUIEditor.cpp (life cycle, bitmaps, control set), ...Frame.cpp (window and values),
// ...Controls.cpp (edits from the controls), ...Presets.cpp (preset bar), ...Info.cpp (info
// menu), ...About.cpp.
#include "editor/CMVXGuiEditor.h"
#include "editor/CMVXDesktop.h"
#include "editor/IMVXEditorSnapshot.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CAboutView;
class CMVXStravelCtrlBaseSet;
class CMVXStravelGUIContainer;
class CMVXZoomMenu;
namespace VSTGUI {
class COptionMenu;
class CSplashScreen;
class CTextEdit;
}   // namespace VSTGUI

class CMVXStravelGUIEditor : public CMVXGuiEditor,
                             public IMVXEditorSnapshot,
                             public Steinberg::IPlugViewContentScaleSupport
{
public:
    explicit CMVXStravelGUIEditor (CMVXVST3EditController* controller);
    ~CMVXStravelGUIEditor () override;

    bool open (void* parent, const VSTGUI::PlatformType& platformType,
               VSTGUI::IPlatformFrameConfig* config) override;
    void close () override;
    void setParameter (int32 index, float value) override;
    void idle () override;
    void loadBackground () override;
    void createControlSet (int32 id) override;
    void destroyControlSet () override;
    void valueChanged (VSTGUI::CControl* control) override;

    void receiveMessage (const std::string& text) override;
    void requestPresets () override;
    void rebuildPresetMenus ();
    void commitNamePanel (bool accept);
    std::string getHelpDirectory ();
    void showAboutView ();
    // The preset bar's controls (tags 12, 13, 15, 17, 18) and the about view's splash (tag 19).
    void presetBarValueChanged (VSTGUI::CControl* control);
    void aboutViewValueChanged (VSTGUI::CControl* control);

    CMVXStravelCtrlBaseSet* getControlSet () const;
    int32 getControlSetId () const { return controlSetId; }
    static CMVXStravelGUIContainer* getGUIContainer () { return guiContainer; }
    static int32 getEditorCount () { return editorCount; }

    // IMVXEditorSnapshot
    Steinberg::tresult PLUGIN_API renderToPng (const char* path) override;

    // Zoom (CMVXStravelGUIEditorZoom.cpp): the host's content scale and the user's zoom
    // multiply; the window, getSize, checkSizeConstraint and onSize all follow the product.
    Steinberg::tresult PLUGIN_API setContentScaleFactor (ScaleFactor factor) override;
    Steinberg::tresult PLUGIN_API onSize (Steinberg::ViewRect* newSize) override;
    // Asks the host for the window size of this zoom (one of the menu's); a host that refuses
    // leaves window and zoom as they were. True when the window now shows the zoom; a zoom shown
    // is remembered for new windows.
    bool setUserZoom (double zoom);
    double getUserZoom () const { return userZoom; }
    double getContentScale () const { return hostScale; }
    double getZoomFactor () const { return zoomFactor; }
    CMVXZoomMenu* getZoomMenu () const { return zoomMenu.get (); }

    Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override;
    REFCOUNT_METHODS (CMVXGuiEditor)

protected:
    int32 controlSetId = -1;

private:
    // Sets zoomFactor and the view rectangle from both factors and resizes an open frame.
    void applyZoomFactor ();

    double hostScale = 1.;
    double userZoom = 1.;
    std::unique_ptr<CMVXZoomMenu> zoomMenu;
    static CMVXStravelGUIContainer* guiContainer;
    static int32 editorCount;

public:
    // Preset bar, info menu and about view (CMVXStravelGUIEditorPresets.cpp, ...Info.cpp,
    // ...About.cpp).
    // Tests put a recorder in place of the desktop's opener; null restores it.
    void setDocumentOpener (Morvane::Desktop::DocumentOpener opener);
    static const char* webSiteAddress ();
    static std::string updateAddress ();
    const std::vector<std::string>& getFactoryPresetNames () const { return factoryPresetNames; }
    const std::map<std::string, int32>& getUserPresets () const { return userPresets; }
    int32 getSelectedPresetNumber () const { return selectedPresetNumber; }
    const std::optional<std::string>& getCurrentPresetName () const { return currentPresetName; }
    CAboutView* getAboutView () const { return aboutView; }
    // Ends the about view if it is shown and releases it with its splash screen.
    void closeAboutView () { releaseAboutView (false); }

protected:
    VSTGUI::COptionMenu* presetBarMenu (int32 tag) const;
    VSTGUI::CTextEdit* nameField () const;
    void fillInfoMenu ();
    void presetChosen (VSTGUI::COptionMenu* presetMenu);
    void saveMenuChosen (VSTGUI::COptionMenu* saveMenu);
    void infoMenuChosen (VSTGUI::COptionMenu* infoMenu);
    void deletePreset (std::string name);   // a copy: the menu entry it came from is rebuilt
    void selectPreset (int32 number, const std::string& title);
    int32 presetNumberOf (const std::string& title, int32 index) const;
    void showNotSaved ();
    void releaseAboutView (bool endedBySplash);

    // The processor's preset lists as last received: factory names by number, user presets by
    // name (menu order) with their numbers; the selection and the name it shows.
    std::vector<std::string> factoryPresetNames;
    std::map<std::string, int32> userPresets;
    int32 selectedPresetNumber = 0;
    std::optional<std::string> currentPresetName;
    bool saveRefused = false;   // set while a save request is answered with a refusal
    Morvane::Desktop::DocumentOpener documentOpener = Morvane::Desktop::openDocument;
    VSTGUI::CSplashScreen* splashScreen = nullptr;
    CAboutView* aboutView = nullptr;
};
