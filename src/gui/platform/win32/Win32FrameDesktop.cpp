// SPDX-License-Identifier: GPL-3.0-or-later
// What a Win32Frame asks of the desktop: the monitor's work area and the clipboard's text.
#include "Win32Frame.h"
#include <string>

namespace VSTGUI {

bool Win32Frame::getWorkArea (const CPoint& rootPoint, CRect& area) const
{
    const POINT point {static_cast<LONG> (rootPoint.x), static_cast<LONG> (rootPoint.y)};
    MONITORINFO info {};
    info.cbSize = sizeof (info);
    if (!GetMonitorInfoW (MonitorFromPoint (point, MONITOR_DEFAULTTONEAREST), &info))
        return false;
    area = CRect (info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom);
    return true;
}

bool Win32Frame::setClipboardText (const std::string& text)
{
    const int length = MultiByteToWideChar (CP_UTF8, 0, text.c_str (), -1, nullptr, 0);
    if (!window || length <= 0 || !OpenClipboard (window))
        return false;
    bool done = false;
    if (HGLOBAL memory =
            GlobalAlloc (GMEM_MOVEABLE, sizeof (wchar_t) * static_cast<size_t> (length)))
    {
        if (auto* wide = static_cast<wchar_t*> (GlobalLock (memory)))
        {
            const bool converted =
                MultiByteToWideChar (CP_UTF8, 0, text.c_str (), -1, wide, length) == length;
            GlobalUnlock (memory);
            done = converted && EmptyClipboard () && SetClipboardData (CF_UNICODETEXT, memory);
        }
        if (!done)
            GlobalFree (memory);   // the clipboard owns it only when it took it
    }
    CloseClipboard ();
    return done;
}

void Win32Frame::answerClipboardRequest ()
{
    std::string text;
    if (!OpenClipboard (window))
        return;
    if (HANDLE data = GetClipboardData (CF_UNICODETEXT))
        if (const auto* wide = static_cast<const wchar_t*> (GlobalLock (data)))
        {
            const int length =
                WideCharToMultiByte (CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
            if (length > 1)
            {
                text.resize (static_cast<size_t> (length));
                WideCharToMultiByte (CP_UTF8, 0, wide, -1, text.data (), length, nullptr, nullptr);
                text.resize (static_cast<size_t> (length - 1));
            }
            GlobalUnlock (data);
        }
    CloseClipboard ();
    if (!text.empty ())
        getFrameCallback ()->platformOnClipboardText (text);
}

}   // namespace VSTGUI
