// SPDX-License-Identifier: GPL-3.0-or-later
// The editor in a real Win32 child window under Wine and Xvfb: what the window shows (copied with
// BitBlt) against the offscreen picture, a footswitch click by posted messages, and opening and
// closing many times without a window left behind.
#include "EditorTestSupport.h"
#include "SnapshotComparison.h"
#include "controller/CMVXStravelEditController.h"
#include "editor/CMVXDesktop.h"
#include "editor/CMVXStravelGUIEditorVST3.h"
#include "editor/IMVXEditorSnapshot.h"
#include "gui/platform/direct2d/WicBitmap.h"
#include "host/PluginInstance.h"
#include "pluginterfaces/base/ipluginbase.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>
#include <windows.h>

extern "C" Steinberg::IPluginFactory* PLUGIN_API GetPluginFactory ();

namespace EditorTest {
namespace {

using namespace Steinberg;

constexpr int kFootswitchX = 2 + 85, kFootswitchY = 19 + 138 + 39;
constexpr int kModelMenuX = 60, kModelMenuY = 267;
constexpr int kSaveMenuX = 157, kSaveMenuY = 287;
constexpr int kRowHeight = 18, kPopupBorder = 1;
// "Over Drive": the gain knob's centre.
constexpr int kGainX = 2 + 24 + 20, kGainY = 19 + 34 + 20;

class EditorWindow : public InProcessEditor
{
protected:
    void SetUp () override
    {
        // Presets saved here go to a folder of the test's own, read when the instance starts.
        std::filesystem::remove_all (folder);
        std::filesystem::create_directories (folder);
        _wputenv_s (L"OVERMOOR_PRESET_DIR", folder.wstring ().c_str ());
        InProcessEditor::SetUp ();
        if (HasFatalFailure ())
            return;
        WNDCLASSW hostClass {};
        hostClass.lpfnWndProc = DefWindowProcW;
        hostClass.hInstance = GetModuleHandleW (nullptr);
        hostClass.lpszClassName = L"OvermoorTestHost";
        RegisterClassW (&hostClass);
        RECT frame {0, 0, 180, 300};
        AdjustWindowRect (&frame, WS_OVERLAPPEDWINDOW, FALSE);
        host = CreateWindowW (L"OvermoorTestHost", L"Overmoor test host", WS_OVERLAPPEDWINDOW, 0, 0,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleW (nullptr), nullptr);
        ASSERT_NE (host, nullptr);
        ShowWindow (host, SW_SHOW);
    }

    void TearDown () override
    {
        if (host)
            DestroyWindow (host);
        InProcessEditor::TearDown ();
        _wputenv_s (L"OVERMOOR_PRESET_DIR", L"");
        std::filesystem::remove_all (folder);
    }

    // The view createView ("editor") gives, in the host's window.
    IPtr<IPlugView> attach ()
    {
        IPtr<IPlugView> view = Steinberg::owned (controller->createView ("editor"));
        EXPECT_TRUE (view);
        if (!view)
            return view;
        EXPECT_EQ (view->isPlatformTypeSupported (kPlatformTypeHWND), kResultTrue);
        EXPECT_EQ (view->isPlatformTypeSupported (kPlatformTypeX11EmbedWindowID), kResultFalse);
        EXPECT_EQ (view->attached (host, kPlatformTypeHWND), kResultTrue);
        return view;
    }

    static void pump (int ms)
    {
        const DWORD end = GetTickCount () + static_cast<DWORD> (ms);
        MSG message;
        while (static_cast<int> (end - GetTickCount ()) > 0)
        {
            while (PeekMessageW (&message, nullptr, 0, 0, PM_REMOVE))
            {
                TranslateMessage (&message);
                DispatchMessageW (&message);
            }
            Sleep (5);
        }
    }

    HWND child () const { return GetWindow (host, GW_CHILD); }

    HWND host {nullptr};
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path () / "overmoor-window-presets";
};

bool writeOpaquePng (std::vector<uint32_t>& pixels, int width, int height, const std::string& path)
{
    for (uint32_t& pixel : pixels)
        pixel |= 0xFF000000u;
    VSTGUI::D2DBackend::Use backend;
    VSTGUI::ComPtr<IWICBitmap> bitmap;
    if (!backend.ok ()
        || FAILED (backend.wic ()->CreateBitmapFromMemory (
            width, height, GUID_WICPixelFormat32bppPBGRA, 4 * width, 4 * width * height,
            reinterpret_cast<BYTE*> (pixels.data ()), &bitmap)))
        return false;
    return VSTGUI::owned (new VSTGUI::WicBitmap (backend, bitmap))->writePng (path);
}

// The child window's pixels as a PNG, through BitBlt from its DC (PrintWindow draws nothing
// under Wine).
bool grabWindow (HWND window, const std::string& path)
{
    RECT r;
    GetClientRect (window, &r);
    HDC source = GetDC (window);
    HDC memory = CreateCompatibleDC (source);
    BITMAPINFO info {};
    info.bmiHeader = {sizeof (BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection (memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject (memory, bitmap);
    const bool copied = BitBlt (memory, 0, 0, r.right, r.bottom, source, 0, 0, SRCCOPY) != FALSE;
    GdiFlush ();
    // Into the offscreen picture's file format through the same decoder: alpha opaque.
    std::vector<uint32_t> pixels (static_cast<uint32_t*> (bits),
                                  static_cast<uint32_t*> (bits) + r.right * r.bottom);
    SelectObject (memory, old);
    DeleteObject (bitmap);
    DeleteDC (memory);
    ReleaseDC (window, source);
    return copied && writeOpaquePng (pixels, r.right, r.bottom, path);
}

TEST_F (EditorWindow, ShowsWhatItDrawsOffscreenAndAFootswitchClickTurnsTheEffectOn)
{
    controller->setParamNormalized (0, 0.);
    auto view = attach ();
    ASSERT_NE (child (), nullptr);
    pump (300);

    const std::filesystem::path outputs =
        std::filesystem::temp_directory_path () / "overmoor-editor-snapshots-windows";
    std::filesystem::create_directories (outputs);
    const std::string offscreen = (outputs / "window-offscreen.png").string ();
    const std::string shown = (outputs / "window-shown.png").string ();
    IMVXEditorSnapshot* snapshot = nullptr;
    ASSERT_EQ (view->queryInterface (IMVXEditorSnapshot_iid, reinterpret_cast<void**> (&snapshot)),
               kResultOk);
    IPtr<IMVXEditorSnapshot> snapshotHolder = Steinberg::owned (snapshot);
    ASSERT_EQ (snapshot->renderToPng (offscreen.c_str ()), kResultOk);
    ASSERT_TRUE (grabWindow (child (), shown));
    EXPECT_LT (meanChannelDifference (shown, offscreen), 0.5);

    PostMessageW (child (), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM (kFootswitchX, kFootswitchY));
    PostMessageW (child (), WM_LBUTTONUP, 0, MAKELPARAM (kFootswitchX, kFootswitchY));
    pump (200);
    EXPECT_EQ (controller->getParamNormalized (0), 1.) << "a click on the footswitch turns it on";

    EXPECT_EQ (view->removed (), kResultOk);
    EXPECT_EQ (child (), nullptr);
}

// The real pointer through SendInput: pressed on the knob, dragged up past the window's top edge
// (the capture keeps the drag), released there.
TEST_F (EditorWindow, AKnobDragIsOneEditGestureEvenOutsideTheWindow)
{
    controller->setParamNormalized (1, 3 / 7.0);
    auto view = attach ();
    pump (100);
    const double before = controller->getParamNormalized (2);
    Morvane::Host::ComponentHandlerRecorder& handler = instance->componentHandler ();
    handler.clear ();
    POINT knob {kGainX, kGainY};
    ClientToScreen (child (), &knob);
    const auto send = [] (DWORD flags) {
        INPUT input {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput (1, &input, sizeof (input));
        pump (30);
    };
    SetCursorPos (knob.x, knob.y);
    pump (30);
    send (MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 10; ++step)
    {
        SetCursorPos (knob.x, knob.y - 9 * step);   // ends 17 pixels above the window
        pump (20);
    }
    send (MOUSEEVENTF_LEFTUP);
    using Kind = Morvane::Host::ComponentHandlerRecorder::EditKind;
    EXPECT_GT (controller->getParamNormalized (2), before);
    EXPECT_EQ (handler.editCount (Kind::begin, 2), 1);
    EXPECT_GE (handler.editCount (Kind::perform, 2), 2);
    EXPECT_EQ (handler.editCount (Kind::end, 2), 1);
    view->removed ();
}

TEST_F (EditorWindow, TheModelMenuOpensAsAPopupAndChoosesByKeyboard)
{
    controller->setParamNormalized (1, 0.);
    auto view = attach ();
    pump (100);
    PostMessageW (child (), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM (kModelMenuX, kModelMenuY));
    PostMessageW (child (), WM_LBUTTONUP, 0, MAKELPARAM (kModelMenuX, kModelMenuY));
    pump (200);
    HWND popup = FindWindowW (L"OvermoorFrame", nullptr);   // top-level: the menu, not the child
    ASSERT_NE (popup, nullptr);
    EXPECT_EQ (GetCapture (), popup);
    RECT r;
    GetWindowRect (popup, &r);
    MONITORINFO monitor {sizeof (monitor)};
    GetMonitorInfoW (MonitorFromWindow (popup, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_LE (r.bottom, monitor.rcWork.bottom) << "kept on the work area";
    for (WPARAM key : {WPARAM (VK_DOWN), WPARAM (VK_RETURN)})
    {
        PostMessageW (popup, WM_KEYDOWN, key, 0);
        pump (50);
    }
    EXPECT_NEAR (controller->getParamNormalized (1), 1 / 7., 1e-6)
        << "Down, Return: the next model";
    EXPECT_EQ (FindWindowW (L"OvermoorFrame", nullptr), nullptr) << "the menu has closed";
    view->removed ();
}

TEST_F (EditorWindow, SaveAsTakesTheNameTypedIntoTheField)
{
    auto view = attach ();
    pump (100);
    PostMessageW (child (), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM (kSaveMenuX, kSaveMenuY));
    PostMessageW (child (), WM_LBUTTONUP, 0, MAKELPARAM (kSaveMenuX, kSaveMenuY));
    pump (200);
    HWND popup = FindWindowW (L"OvermoorFrame", nullptr);
    ASSERT_NE (popup, nullptr);
    const LPARAM saveAs = MAKELPARAM (20, kPopupBorder + kRowHeight + kRowHeight / 2);
    PostMessageW (popup, WM_LBUTTONDOWN, MK_LBUTTON, saveAs);
    PostMessageW (popup, WM_LBUTTONUP, 0, saveAs);
    pump (200);
    // The field has the keyboard with "New Preset" selected: typing replaces it.
    for (wchar_t c : std::wstring (L"Window Tone"))
    {
        // As a keyboard sends them: the key, then (translated) the character.
        if (c == L' ')
            PostMessageW (child (), WM_KEYDOWN, VK_SPACE, 0);
        PostMessageW (child (), WM_CHAR, c, 0);
    }
    PostMessageW (child (), WM_KEYDOWN, VK_RETURN, 0);
    pump (200);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator (folder))
        files.push_back (entry.path ().filename ().u8string ());
    ASSERT_EQ (files.size (), 1u);
    EXPECT_EQ (files.front ().rfind ("Window Tone", 0), 0u) << files.front ();
    view->removed ();
}

TEST (EditorOnWindowsHelp, TheManualsFolderIsWhereTheHelpPathValueSaysElseInTheBundle)
{
    HKEY key = nullptr;
    ASSERT_EQ (RegCreateKeyExW (HKEY_LOCAL_MACHINE, L"Software\\Morvane\\Stravel\\Overmoor", 0,
                                nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
               ERROR_SUCCESS);
    const wchar_t manual[] = L"C:\\Programme\\Über moor\\Overmoor Manual.pdf";
    RegSetValueExW (key, L"HelpPath", 0, REG_SZ, reinterpret_cast<const BYTE*> (manual),
                    sizeof (manual));
    RegCloseKey (key);
    EXPECT_EQ (Morvane::Desktop::helpDirectory (), "C:\\Programme\\\xC3\x9C"
                                                   "ber moor\\");
    RegDeleteKeyW (HKEY_LOCAL_MACHINE, L"Software\\Morvane\\Stravel\\Overmoor");
    const std::string bundled = Morvane::Desktop::helpDirectory ();   // no value: the bundle's copy
    ASSERT_GT (bundled.size (), 11u);
    EXPECT_EQ (bundled.substr (bundled.size () - 11), "\\Resources\\") << bundled;
}

// The GDI and USER objects this process holds. Windows counts them; Wine 8 answers 0, so there
// the GDI handle table is probed by index (Wine takes a handle without its upper word) and USER
// objects are this thread's windows and every menu.
struct GuiObjects
{
    DWORD gdi = 0, user = 0;
};

GuiObjects guiObjects ()
{
    GuiObjects counted {GetGuiResources (GetCurrentProcess (), GR_GDIOBJECTS),
                        GetGuiResources (GetCurrentProcess (), GR_USEROBJECTS)};
    if (counted.gdi != 0)
        return counted;
    for (uintptr_t index = 1; index <= 0xFFFF; ++index)
    {
        counted.gdi += GetObjectType (reinterpret_cast<HGDIOBJ> (index)) != 0;
        counted.user += index % 2 == 0 && IsMenu (reinterpret_cast<HMENU> (index));
    }
    EnumThreadWindows (
        GetCurrentThreadId (),
        [] (HWND window, LPARAM total) -> BOOL {
            ++*reinterpret_cast<DWORD*> (total);
            EnumChildWindows (
                window,
                [] (HWND, LPARAM all) -> BOOL {
                    ++*reinterpret_cast<DWORD*> (all);
                    return TRUE;
                },
                total);
            return TRUE;
        },
        reinterpret_cast<LPARAM> (&counted.user));
    return counted;
}

TEST_F (EditorWindow, FiftyOpenAndCloseCyclesLeaveNoWindowBehind)
{
    // The window class lives on the module that holds the code: this program, here.
    const auto classRegistered = [] {
        WNDCLASSEXW probe {sizeof (probe)};
        return GetClassInfoExW (GetModuleHandleW (nullptr), L"OvermoorFrame", &probe) != FALSE;
    };
    GuiObjects afterFirst;   // what stays (caches, the class) is made by the first cycle
    for (int cycle = 0; cycle < 50; ++cycle)
    {
        auto view = attach ();
        pump (5);
        ASSERT_NE (child (), nullptr) << cycle;
        ASSERT_TRUE (classRegistered ());
        view->removed ();
        ASSERT_EQ (child (), nullptr) << cycle;
        if (cycle == 0)
            afterFirst = guiObjects ();
    }
    const GuiObjects after = guiObjects ();
    ASSERT_GT (afterFirst.gdi, 0u);
    ASSERT_GT (afterFirst.user, 0u);
    EXPECT_LE (after.gdi, afterFirst.gdi);
    EXPECT_LE (after.user, afterFirst.user);
    EXPECT_FALSE (classRegistered ()) << "the window class goes with the last window";
}

}   // namespace
}   // namespace EditorTest
