// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What views draw with: shapes, bitmaps and text over an abstract backend. Coordinates are
// logical; the backend multiplies them by the scale factor. The drawing state (colours, font,
// line width, clip, origin) lives here; backends read it for each primitive.
#include "CBaseObject.h"
#include "CColor.h"
#include "CRect.h"
#include "SharedPointer.h"
#include <vector>

namespace VSTGUI {

class CBitmap;
class CFontDesc;

enum CDrawStyle
{
    kDrawStroked = 0,
    kDrawFilled,
    kDrawFilledAndStroked,
};

enum CDrawModeFlags : int32_t
{
    kAliasing = 0,
    kAntiAliasing = 1,
};

enum CHoriTxtAlign
{
    kLeftText = 0,
    kCenterText,
    kRightText,
};

class CDrawContext : public CBaseObject
{
public:
    ~CDrawContext () override;

    virtual void drawLine (const CPoint& start, const CPoint& end) = 0;
    virtual void drawRect (const CRect& rect, CDrawStyle style = kDrawStroked) = 0;
    virtual void drawRoundRect (const CRect& rect, CCoord radius,
                                CDrawStyle style = kDrawStroked) = 0;
    virtual void drawEllipse (const CRect& rect, CDrawStyle style = kDrawStroked) = 0;
    // Makes the rectangle fully transparent.
    virtual void clearRect (const CRect& rect) = 0;
    // Draws the bitmap's part starting at offset into dest, scaled by nothing, faded by alpha.
    virtual void drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint (),
                             float alpha = 1.f) = 0;
    // One line of UTF-8 text, vertically centred in rect, in the font and font colour.
    virtual void drawString (UTF8StringPtr utf8, const CRect& rect,
                             CHoriTxtAlign align = kCenterText, bool antialias = true) = 0;
    virtual CCoord getStringWidth (UTF8StringPtr utf8) = 0;

    virtual void beginDraw () {}
    virtual void endDraw () {}

    void setLineWidth (CCoord width) { state.lineWidth = width; }
    CCoord getLineWidth () const { return state.lineWidth; }
    void setDrawMode (int32_t mode) { state.drawMode = mode; }
    int32_t getDrawMode () const { return state.drawMode; }
    void setFillColor (const CColor& c) { state.fillColor = c; }
    const CColor& getFillColor () const { return state.fillColor; }
    void setFrameColor (const CColor& c) { state.frameColor = c; }
    const CColor& getFrameColor () const { return state.frameColor; }
    void setFontColor (const CColor& c) { state.fontColor = c; }
    const CColor& getFontColor () const { return state.fontColor; }
    // A size or style other than the font's own (size > 0, style >= 0) draws with a copy.
    void setFont (CFontDesc* font, CCoord size = 0, int32_t style = -1);
    CFontDesc* getFont () const { return state.font; }
    // Multiplies every alpha drawn after it.
    void setGlobalAlpha (float alpha) { state.globalAlpha = alpha; }
    float getGlobalAlpha () const { return state.globalAlpha; }

    // The clip rectangle in the current coordinates; it never extends past the surface.
    void setClipRect (const CRect& clip);
    CRect& getClipRect (CRect& clip) const;
    void resetClipRect ();

    void saveGlobalState ();
    void restoreGlobalState ();

    // Where the current coordinates' origin lies on the surface (logical units).
    const CPoint& getOffset () const { return state.offset; }
    // Moves the origin by a translation for as long as it lives.
    class Transform
    {
    public:
        Transform (CDrawContext& context, const CPoint& translation);
        ~Transform ();
        Transform (const Transform&) = delete;
        Transform& operator= (const Transform&) = delete;

    private:
        CDrawContext& context;
        CPoint saved;
    };

    double getScaleFactor () const { return scaleFactor; }
    // The whole drawable area in logical units, origin 0, 0.
    const CRect& getSurfaceRect () const { return surfaceRect; }

protected:
    CDrawContext (const CRect& surfaceRect, double scaleFactor);

    struct State
    {
        SharedPointer<CFontDesc> font;
        CColor fillColor {kWhiteCColor};
        CColor frameColor {kBlackCColor};
        CColor fontColor {kWhiteCColor};
        CCoord lineWidth {1};
        int32_t drawMode {kAntiAliasing};
        float globalAlpha {1.f};
        CRect clipAbsolute;   // surface coordinates
        CPoint offset;
    };
    const State& getState () const { return state; }

    // Where a line of text starts (x) and where its baseline lies (y): aligned across rect, with
    // the ink box of ascent plus descent centred in its height, so digits and capitals sit
    // mid-height. Backends snap the result to their device pixels.
    static CPoint textOrigin (const CRect& rect, CHoriTxtAlign align, CCoord width, CCoord ascent,
                              CCoord descent);

private:
    State state;
    std::vector<State> stateStack;
    CRect surfaceRect;
    double scaleFactor;
};

}   // namespace VSTGUI
