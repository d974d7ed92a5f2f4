// The wx drawing seam on real fonts and pixels: one-pixel lines cover exactly their pixels in
// every direction, and texts copied from the text cache's atlas match the toolkit drawing them
// directly: the same pixels, clipped to the same rectangle, in the right colour, and nothing
// left over from earlier strings once a full atlas has started afresh.
#include "grid/GridFont.h"
#include "grid/wx/GridTextCache.h"
#include "grid/wx/GridWxDC.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/gdicmn.h>
#include <wx/image.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int W = 240, H = 40;
constexpr GRIDCOLOR WHITE = 0xFFFFFF, BLACK = 0, RED = 0x0000FF;

// Paints into a white bitmap through CGridWxDC, with or without a cache.
wxImage Paint(CGridTextCache* pCache, const std::function<void(CGridWxDC&)>& draw)
{
    wxBitmap bmp(W, H, 24);
    {
        wxMemoryDC dc(bmp);
        dc.SetFont(wxFontInfo(9));
        CGridWxDC gdc(dc, pCache);
        gdc.FillRect(GRIDRECT{0, 0, W, H}, WHITE);
        draw(gdc);
    }
    return bmp.ConvertToImage();
}

// Pixels whose channels differ by more than the tolerance (antialiasing onto a transparent
// atlas may round a shade differently).
int CountDifferent(const wxImage& a, const wxImage& b, int nTolerance = 48)
{
    int n = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (std::abs(a.GetRed(x, y) - b.GetRed(x, y)) > nTolerance ||
                std::abs(a.GetGreen(x, y) - b.GetGreen(x, y)) > nTolerance ||
                std::abs(a.GetBlue(x, y) - b.GetBlue(x, y)) > nTolerance)
                ++n;
    return n;
}

int CountInk(const wxImage& img, const GRIDRECT& rc)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (img.GetRed(x, y) < 200 || img.GetGreen(x, y) < 200 || img.GetBlue(x, y) < 200)
                ++n;
    return n;
}
} // namespace

// Lines leave out their end point whichever way they run; wider pens are stroked.
TEST(GridWxDCGuiTest, OnePixelLinesCoverFromTheStartUpToTheEndPoint)
{
    const CGridPen pen{0, 1, BLACK};
    const wxImage img = Paint(nullptr,
                              [&](CGridWxDC& dc)
                              {
                                  dc.DrawLine(10, 5, 20, 5, pen);   // right: x 10..19
                                  dc.DrawLine(40, 7, 30, 7, pen);   // left: x 31..40
                                  dc.DrawLine(50, 2, 50, 12, pen);  // down: y 2..11
                                  dc.DrawLine(60, 30, 60, 20, pen); // up: y 21..30
                                  dc.DrawLine(70, 9, 70, 9, pen);   // nothing
                              });
    EXPECT_EQ(CountInk(img, GRIDRECT{10, 5, 20, 6}), 10);
    EXPECT_EQ(CountInk(img, GRIDRECT{31, 7, 41, 8}), 10);
    EXPECT_EQ(CountInk(img, GRIDRECT{50, 2, 51, 12}), 10);
    EXPECT_EQ(CountInk(img, GRIDRECT{60, 21, 61, 31}), 10);
    EXPECT_EQ(CountInk(img, GRIDRECT{0, 0, W, H}), 40);
}

TEST(GridWxDCGuiTest, CopiedTextsMatchTheToolkitsInPlaceClipAndExtent)
{
    CGridTextCache cache;
    const GRIDRECT rcAll{0, 0, W, H}, rcClip{10, 0, 60, H};
    const auto draw = [&](CGridWxDC& dc)
    {
        dc.DrawTextOpaque("Grid text 123", 4, 2, rcAll, BLACK, WHITE);
        dc.DrawTextClipped("Clipped on both sides", 2, 20, rcClip, BLACK);
    };
    const wxImage direct = Paint(nullptr, draw);
    const wxImage first = Paint(&cache, draw);  // drawn into the atlas, then copied
    const wxImage second = Paint(&cache, draw); // copied only
    ASSERT_GT(CountInk(direct, rcAll), 100);
    EXPECT_LT(CountDifferent(direct, first), 12);
    EXPECT_EQ(CountDifferent(first, second, 0), 0);
    // Nothing of the clipped text lies outside its rectangle, and inside it is all there.
    EXPECT_EQ(CountInk(second, GRIDRECT{0, 18, 10, H}) + CountInk(second, GRIDRECT{60, 18, W, H}), 0);
    EXPECT_NEAR(CountInk(second, GRIDRECT{10, 18, 60, H}), CountInk(direct, GRIDRECT{10, 18, 60, H}), 4);

    wxBitmap bmp(W, H, 24);
    wxMemoryDC dc(bmp);
    dc.SetFont(wxFontInfo(9));
    CGridWxDC gdc(dc, &cache), plain(dc);
    for (const char* psz : {"Grid text 123", "W", "Another string", "..."})
    {
        const GRIDSIZE a = gdc.GetTextExtent(psz), b = plain.GetTextExtent(psz);
        EXPECT_EQ(a.cx, b.cx) << psz;
        EXPECT_EQ(a.cy, b.cy) << psz;
    }
    dc.SelectObject(wxNullBitmap);
}

TEST(GridWxDCGuiTest, EachColourAndFontIsItsOwnEntry)
{
    CGridTextCache cache;
    CGridFont bold(GRIDLOGFONT{-16, 0, 0, 0, 700}, "");
    const wxImage img = Paint(&cache,
                              [&](CGridWxDC& dc)
                              {
                                  dc.DrawTextClipped("Same", 2, 2, GRIDRECT{0, 0, W / 2, H}, BLACK);
                                  dc.DrawTextClipped("Same", W / 2 + 2, 2, GRIDRECT{W / 2, 0, W, H}, RED);
                              });
    int nRed = 0, nBlack = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
        {
            const bool bRed = img.GetRed(x, y) > 200 && img.GetGreen(x, y) < 60 && img.GetBlue(x, y) < 60;
            const bool bBlack = img.GetRed(x, y) < 60 && img.GetGreen(x, y) < 60 && img.GetBlue(x, y) < 60;
            (x < W / 2 ? nBlack : nRed) += (x < W / 2 ? bBlack : bRed) ? 1 : 0;
            EXPECT_FALSE(x < W / 2 ? bRed : bBlack) << x << "," << y;
        }
    EXPECT_GT(nBlack, 10);
    EXPECT_GT(nRed, 10);

    const auto drawBold = [&](CGridWxDC& dc)
    {
        dc.SelectFont(&bold);
        dc.DrawTextClipped("Same", 2, 2, GRIDRECT{0, 0, W, H}, BLACK);
    };
    EXPECT_LT(CountDifferent(Paint(nullptr, drawBold), Paint(&cache, drawBold)), 12);
}

// More fonts than the cache keeps make it start afresh; a DC that still holds an old font
// number looks its font up again instead of drawing in whatever font now has that number.
TEST(GridWxDCGuiTest, FontNumbersFromBeforeAFontResetAreNotReused)
{
    CGridTextCache cache;
    CGridFont big(GRIDLOGFONT{-24, 0, 0, 0, 700}, "");
    const auto drawBig = [&](CGridWxDC& dc)
    {
        dc.SelectFont(&big);
        dc.DrawTextClipped("Big", 2, 2, GRIDRECT{0, 0, W, H}, BLACK);
    };
    const wxImage direct = Paint(nullptr, drawBig);
    wxBitmap bmp(W, H, 24);
    wxMemoryDC dc(bmp);
    CGridWxDC gdc(dc, &cache);
    gdc.FillRect(GRIDRECT{0, 0, W, H}, WHITE);
    drawBig(gdc);
    const int nGeneration = cache.GetGeneration();
    std::vector<std::unique_ptr<CGridFont>> arrFonts;
    Paint(&cache,
          [&](CGridWxDC& other)
          {
              for (int i = 0; i < 40; ++i)
              {
                  arrFonts.push_back(std::make_unique<CGridFont>(GRIDLOGFONT{-(8 + i), 0, 0, 0, 400}, ""));
                  other.SelectFont(arrFonts.back().get());
                  other.DrawTextClipped("x", 0, 0, GRIDRECT{0, 0, W, H}, BLACK);
              }
          });
    EXPECT_NE(cache.GetGeneration(), nGeneration);
    gdc.FillRect(GRIDRECT{0, 0, W, H}, WHITE);
    gdc.DrawTextClipped("Big", 2, 2, GRIDRECT{0, 0, W, H}, BLACK);
    const GRIDSIZE szCached = gdc.GetTextExtent("Big");
    dc.SelectObject(wxNullBitmap);
    EXPECT_LT(CountDifferent(direct, bmp.ConvertToImage()), 12);
    wxMemoryDC dcPlain(bmp);
    CGridWxDC plain(dcPlain);
    plain.SelectFont(&big);
    EXPECT_EQ(szCached.cx, plain.GetTextExtent("Big").cx);
    dcPlain.SelectObject(wxNullBitmap);
}

// After a font reset the first new font takes number 0 again: the atlas must not take the font
// it last drew with, which had that number before, for it.
TEST(GridWxDCGuiTest, AFontResetForgetsTheAtlasFont)
{
    CGridTextCache cache;
    std::vector<std::unique_ptr<CGridFont>> arrFonts;
    for (int i = 0; i < 32; ++i)
        arrFonts.push_back(std::make_unique<CGridFont>(GRIDLOGFONT{-(8 + i), 0, 0, 0, 400}, ""));
    Paint(&cache,
          [&](CGridWxDC& dc)
          {
              for (auto& pFont : arrFonts)
              {
                  dc.SelectFont(pFont.get());
                  dc.DrawTextClipped("x", 0, 0, GRIDRECT{0, 0, W, H}, BLACK);
              }
              dc.SelectFont(arrFonts.front().get()); // number 0, the atlas's font now
              dc.DrawTextClipped("y", 0, 0, GRIDRECT{0, 0, W, H}, BLACK);
          });
    CGridFont big(GRIDLOGFONT{-24, 0, 0, 0, 700}, "");
    const auto drawBig = [&](CGridWxDC& dc)
    {
        dc.SelectFont(&big);
        dc.DrawTextClipped("Big", 2, 2, GRIDRECT{0, 0, W, H}, BLACK);
    };
    const int nGeneration = cache.GetGeneration();
    const wxImage cached = Paint(&cache, drawBig);
    EXPECT_NE(cache.GetGeneration(), nGeneration);
    EXPECT_LT(CountDifferent(Paint(nullptr, drawBig), cached), 12);
}

TEST(GridWxDCGuiTest, AFullAtlasStartsAfreshWithoutLeftovers)
{
    CGridTextCache cache(256, 64);
    const auto draw = [&](CGridWxDC& dc) { dc.DrawTextClipped("Probe 42", 2, 2, GRIDRECT{0, 0, W, H}, BLACK); };
    const wxImage before = Paint(&cache, draw);
    Paint(&cache,
          [&](CGridWxDC& dc)
          {
              for (int i = 0; i < 200; ++i)
                  dc.DrawTextClipped("Filler number " + std::to_string(i), 2, 20, GRIDRECT{0, 20, W, H}, BLACK);
          });
    EXPECT_GT(cache.GetResetCount(), 2);
    // The probe is drawn again into a cleared atlas, over pixels other strings used.
    EXPECT_EQ(CountDifferent(before, Paint(&cache, draw), 0), 0);
    // Emptied on purpose, the cache draws and measures as before.
    cache.Clear();
    EXPECT_EQ(CountDifferent(before, Paint(&cache, draw), 0), 0);
    // A text wider than the whole atlas is drawn directly.
    const std::string strWide(80, 'M');
    const auto drawWide = [&](CGridWxDC& dc) { dc.DrawTextClipped(strWide, 0, 2, GRIDRECT{0, 0, W, H}, BLACK); };
    EXPECT_EQ(CountDifferent(Paint(nullptr, drawWide), Paint(&cache, drawWide), 0), 0);
}

// Pixel heights at the display's resolution: an em of 14 pixels is 10.5 points on a 96-dpi
// display, not 10; the inspector's 14-pixel font has lines of at most 14 pixels, so its text
// fits its 17-pixel rows and the edit box keeps to its cell.
TEST(GridWxDCGuiTest, FontsGivenInPixelsTakeTheDisplaysResolution)
{
    CGridFont em(GRIDLOGFONT{-14}, "");
    EXPECT_DOUBLE_EQ(GridWxFont(&em).GetFractionalPointSize(), 14 * 72.0 / wxGetDisplayPPI().y);
    CGridFont line(GRIDLOGFONT{14}, "");
    wxBitmap bmp(10, 10);
    wxMemoryDC dc(bmp);
    dc.SetFont(GridWxFont(&line));
    EXPECT_LE(dc.GetTextExtent("Xg").y, 14);
    EXPECT_GE(dc.GetTextExtent("Xg").y, 12);
}
