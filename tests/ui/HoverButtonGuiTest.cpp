// The hover button drawn into a bitmap and checked by pixel colour in each of its states, and
// its reaction to the mouse; the about box closing on a click.
#include "ui/AboutDlg.h"
#include "ui/HoverButton.h"

#include "support/gui/ExpectDialog.h"
#include "support/gui/ShellFixture.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/testing.h>

// Colours print as text in failure messages.
inline std::ostream& operator<<(std::ostream& os, const wxColour& colour)
{
    return os << colour.GetAsString(wxC2S_HTML_SYNTAX).utf8_string();
}

namespace
{
const int kWidth = 90;
const int kHeight = 30;
const wxColour kFace(0, 0, 0xC0);     // 0x00C00000
const wxColour kCaption(0xFF, 0xFF, 0xFF);

class HoverButtonGuiTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "hover");
        m_button = new CHoverButton(m_frame, wxID_ANY, "&Apply", wxPoint(0, 0), wxSize(kWidth, kHeight));
        m_button->SetFaceColor(0x00C00000);
        m_button->SetCaptionColor(0x00FFFFFF);
        m_frame->Show();
        PumpEvents();
    }
    void TearDown() override { m_frame->Destroy(); }

    // The button drawn for one request over a green background.
    wxImage Draw(int action, int state)
    {
        wxBitmap bitmap(kWidth, kHeight, 24);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxGREEN_BRUSH);
            dc.Clear();
            m_button->DrawButton(dc, wxRect(0, 0, kWidth, kHeight), action, state);
        }
        return bitmap.ConvertToImage();
    }
    static wxColour At(const wxImage& image, int x, int y)
    {
        return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    }
    // Top left corner of the caption's pixels (those close to white).
    static wxPoint CaptionOrigin(const wxImage& image)
    {
        wxPoint origin(kWidth, kHeight);
        for (int y = 2; y < kHeight - 2; ++y)
            for (int x = 2; x < kWidth - 2; ++x)
                if (image.GetRed(x, y) > 200 && image.GetGreen(x, y) > 200 && image.GetBlue(x, y) > 200)
                {
                    origin.x = std::min(origin.x, x);
                    origin.y = std::min(origin.y, y);
                }
        return origin;
    }

    wxFrame* m_frame = nullptr;
    CHoverButton* m_button = nullptr;
    const wxColour m_shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW);
    const wxColour m_highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_3DHIGHLIGHT);
};

TEST_F(HoverButtonGuiTest, FlatButtonShowsBordersOnlyWhenHoveredOrPressed)
{
    wxImage untouched = Draw(CHoverButton::ODA_DRAWENTIRE, 0);
    EXPECT_EQ(At(untouched, 0, kHeight / 2), kFace);
    EXPECT_EQ(At(untouched, kWidth / 2, 0), kFace);
    EXPECT_EQ(At(untouched, kWidth - 1, kHeight / 2), kFace);
    wxPoint caption = CaptionOrigin(untouched);
    ASSERT_LT(caption.x, kWidth);

    // Raised while hovered: light top and left, dark bottom and right; sunken when pressed.
    m_button->m_bHover = true;
    wxImage hovered = Draw(CHoverButton::ODA_DRAWENTIRE, 0);
    wxColour light = At(hovered, 0, kHeight / 2), dark = At(hovered, kWidth - 1, kHeight / 2);
    EXPECT_NE(light, kFace);
    EXPECT_NE(dark, kFace);
    EXPECT_NE(light, dark);
    EXPECT_EQ(At(hovered, kWidth / 2, 0), light);
    EXPECT_EQ(At(hovered, kWidth / 2, kHeight - 1), dark);
    EXPECT_EQ(At(hovered, 2, 2), kFace);
    EXPECT_EQ(CaptionOrigin(hovered), caption);

    wxImage pressed = Draw(CHoverButton::ODA_SELECT, CHoverButton::ODS_SELECTED);
    EXPECT_EQ(At(pressed, 0, kHeight / 2), dark);
    EXPECT_EQ(At(pressed, kWidth / 2, 0), dark);
    EXPECT_EQ(At(pressed, kWidth - 1, kHeight / 2), light);
    EXPECT_EQ(At(pressed, kWidth / 2, kHeight - 1), light);
    EXPECT_EQ(CaptionOrigin(pressed), caption + wxPoint(1, 1));
    EXPECT_EQ(m_button->m_nLastState, CHoverButton::ODS_SELECTED);
    EXPECT_EQ(m_button->m_nLastAction, CHoverButton::ODA_SELECT);
}

TEST_F(HoverButtonGuiTest, NonFlatButtonIsRaisedUnlessPressed)
{
    m_button->m_bHover = true;
    wxImage raised = Draw(CHoverButton::ODA_DRAWENTIRE, 0);
    m_button->m_bHover = false;
    m_button->SetFlat(false);
    wxImage image = Draw(CHoverButton::ODA_DRAWENTIRE, 0);
    EXPECT_EQ(At(image, 0, kHeight / 2), At(raised, 0, kHeight / 2));
    EXPECT_EQ(At(image, kWidth - 1, kHeight / 2), At(raised, kWidth - 1, kHeight / 2));
    EXPECT_NE(At(image, 0, kHeight / 2), kFace);
}

TEST_F(HoverButtonGuiTest, DisabledButtonUsesTheSystemFaceAndAnEmbossedCaption)
{
    wxImage image = Draw(CHoverButton::ODA_DRAWENTIRE, CHoverButton::ODS_DISABLED);
    EXPECT_EQ(At(image, 1, 1), wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    bool sawShadowText = false;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            sawShadowText |= At(image, x, y) == m_shadow;
    EXPECT_TRUE(sawShadowText);
}

TEST_F(HoverButtonGuiTest, FocusRequestAloneDrawsNothing)
{
    wxImage image = Draw(CHoverButton::ODA_FOCUS, 0);
    for (int y = 0; y < kHeight; y += 3)
        for (int x = 0; x < kWidth; x += 3)
            ASSERT_EQ(At(image, x, y), *wxGREEN) << x << "," << y;
    EXPECT_EQ(m_button->m_nLastAction, CHoverButton::ODA_FOCUS);
}

TEST_F(HoverButtonGuiTest, MouseSetsHoverAndPressAndClickSendsTheButtonEvent)
{
    int clicks = 0;
    m_button->Bind(wxEVT_BUTTON, [&clicks](wxCommandEvent&) { ++clicks; });
    auto send = [this](wxEventType type, int x, int y) {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(x, y));
        event.SetEventObject(m_button);
        m_button->ProcessWindowEvent(event);
    };
    send(wxEVT_MOTION, 10, 10);
    EXPECT_TRUE(m_button->m_bHover);
    EXPECT_EQ(m_button->GetDrawState(), 0);
    send(wxEVT_LEFT_DOWN, 10, 10);
    EXPECT_EQ(m_button->GetDrawState(), CHoverButton::ODS_SELECTED);
    send(wxEVT_LEFT_UP, 10, 10);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(m_button->GetDrawState(), 0);
    send(wxEVT_LEAVE_WINDOW, -5, -5);
    EXPECT_FALSE(m_button->m_bHover);

    m_button->Disable();
    EXPECT_EQ(m_button->GetDrawState(), CHoverButton::ODS_DISABLED);
}

TEST_F(HoverButtonGuiTest, KeyboardFocusShowsADottedRingInsideTheBorder)
{
    // A field to start from; Shift+Tab then brings the focus to the button as a keyboard user does.
    auto* field = new wxTextCtrl(m_frame, wxID_ANY, "", wxPoint(0, kHeight + 10), wxSize(kWidth, 30));
    m_button->SetSize(0, 0, kWidth, kHeight); // no longer the frame's only child
    auto settle = []
    {
        for (int i = 0; i < 10; ++i)
        {
            wxMilliSleep(20);
            PumpEvents();
        }
    };
    // Caption-coloured dots along a line 3 pixels inside the edge, in the look the button last
    // painted itself with.
    auto ringDots = [this]
    {
        const wxImage image = Draw(CHoverButton::ODA_DRAWENTIRE, m_button->m_nLastState);
        int dots = 0;
        for (int x = 4; x < kWidth - 4; ++x)
            dots += At(image, x, 3) == kCaption;
        return dots;
    };
    field->SetFocus();
    settle();
    ASSERT_EQ(field, wxWindow::FindFocus());
    m_button->Refresh();
    settle();
    EXPECT_EQ(0, ringDots());

    wxUIActionSimulator sim;
    sim.Char(WXK_TAB, wxMOD_SHIFT);
    settle();
    ASSERT_EQ(m_button, wxWindow::FindFocus());
    EXPECT_GT(ringDots(), kWidth / 5);
    EXPECT_LT(ringDots(), kWidth - 10); // dotted, not a solid line
    const wxImage focused = Draw(CHoverButton::ODA_DRAWENTIRE, m_button->m_nLastState);
    EXPECT_EQ(At(focused, 2, kHeight / 2), kFace); // inside the border, clear of it

    sim.Char(WXK_TAB);
    settle();
    EXPECT_EQ(0, ringDots());
}

TEST(AboutDlgGuiTest, AnyClickClosesTheBoxWithOk)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "owner");
    for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_RIGHT_DOWN})
    {
        CAboutDlg dlg(frame);
        EXPECT_FALSE(dlg.HasFlag(wxCAPTION));
        EXPECT_EQ(dlg.GetBackgroundColour(), *wxBLACK);
        wxTEST_DIALOG(EXPECT_EQ(dlg.ShowModal(), wxID_OK), ExpectDialog<CAboutDlg>([type](CAboutDlg* shown) {
                          shown->SetReturnCode(wxID_CANCEL);
                          wxMouseEvent click(type);
                          click.SetPosition(wxPoint(30, 30));
                          click.SetEventObject(shown);
                          shown->ProcessWindowEvent(click);
                          return shown->GetReturnCode();
                      }));
    }
    frame->Destroy();
}
} // namespace
