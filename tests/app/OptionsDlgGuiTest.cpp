// The options dialog: which radio button and edit state it opens with, which "..." buttons act,
// which controls are disabled and where the focus starts, what OK stores, and the message for a
// missing background image.
#include "support/gui/ExpectDialog.h"
#include "support/gui/ShellFixture.h"

#include "app/OptionsDlg.h"
#include "report/MappingReport.h"

#include <wx/colordlg.h>
#include <wx/filedlg.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>
#include <wx/uiaction.h>

namespace
{
class OptionsDlgGuiTest : public ::testing::Test
{
protected:
    void SetUp() override { WriteFileText(m_dir / "back.gif", "GIF89a"); }

    wxTextCtrl* Edit(COptionsDlg& dlg)
    {
        return dynamic_cast<wxTextCtrl*>(dlg.FindWindow(COptionsDlg::IDC_IMAGE_EDIT));
    }
    wxCheckBox* Check(COptionsDlg& dlg, int id) { return dynamic_cast<wxCheckBox*>(dlg.FindWindow(id)); }
    void Click(COptionsDlg& dlg, int id)
    {
        if (auto* radio = dynamic_cast<wxRadioButton*>(dlg.FindWindow(id)))
        {
            radio->SetValue(true);
            wxCommandEvent event(wxEVT_RADIOBUTTON, id);
            event.SetEventObject(radio);
            dlg.ProcessWindowEvent(event);
            return;
        }
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(dlg.FindWindow(id));
        dlg.ProcessWindowEvent(event);
    }
    std::string Image() const { return (m_dir / "back.gif").string(); }

    CTempDir m_dir;
    CMappingReport m_report;
    CSettings m_settings;
    CWxMessageSink m_sink;
    CSlot<IMessageSink>::CScope m_useSink{MessageSinkSlot(), &m_sink};
};

TEST_F(OptionsDlgGuiTest, OpensWithTheRadioAndEditStateOfTheImagePath)
{
    m_report.m_strImagePath = Image();
    m_settings.m_bKeepBackup = 1;
    COptionsDlg withImage(nullptr, &m_report, m_settings);
    EXPECT_TRUE(withImage.m_radioImage->GetValue());
    EXPECT_TRUE(Edit(withImage)->IsEditable());
    EXPECT_EQ(Edit(withImage)->GetValue(), Image());
    EXPECT_TRUE(Check(withImage, COptionsDlg::IDC_KEEP_BACKUP)->GetValue());
    EXPECT_FALSE(Check(withImage, COptionsDlg::IDC_AUTO_REMOVE)->GetValue());

    m_report.m_strImagePath.clear();
    COptionsDlg withColour(nullptr, &m_report, m_settings);
    EXPECT_TRUE(withColour.m_radioColor->GetValue());
    EXPECT_FALSE(Edit(withColour)->IsEditable());
    Click(withColour, COptionsDlg::IDC_RADIO_IMAGE);
    EXPECT_TRUE(Edit(withColour)->IsEditable());
    Click(withColour, COptionsDlg::IDC_RADIO_COLOR);
    EXPECT_FALSE(Edit(withColour)->IsEditable());
}

TEST_F(OptionsDlgGuiTest, ButtonsActOnlyWithTheirRadioButton)
{
    m_report.m_crBackground = 0x00FFFFFF;
    COptionsDlg dlg(nullptr, &m_report, m_settings);

    // "Color:" selected: the browse button shows nothing; background and text colours are chosen.
    {
        wxTestingModalHook hook(__FILE__, __LINE__, __func__);
        Click(dlg, COptionsDlg::IDC_BROWSE_IMAGE);
        hook.CheckUnmetExpectations();
    }
    wxTEST_DIALOG(Click(dlg, COptionsDlg::IDC_BACK_COLOR), ExpectDialogClosedWith<wxColourDialog>(wxID_CANCEL));

    // A cancelled colour dialog leaves the swatch as it was.
    wxTEST_DIALOG(Click(dlg, COptionsDlg::IDC_TEXT_COLOR), ExpectDialogClosedWith<wxColourDialog>(wxID_CANCEL));
    EXPECT_EQ(dlg.m_swatchText->GetColor(), 0u);
    EXPECT_EQ(dlg.m_swatchBack->GetColor(), 0x00FFFFFFu);

    // "Image:" selected: the background colour button shows nothing, the text colour one still works.
    Click(dlg, COptionsDlg::IDC_RADIO_IMAGE);
    {
        wxTestingModalHook hook(__FILE__, __LINE__, __func__);
        Click(dlg, COptionsDlg::IDC_BACK_COLOR);
        hook.CheckUnmetExpectations();
    }
    wxTEST_DIALOG(Click(dlg, COptionsDlg::IDC_TEXT_COLOR), ExpectDialogClosedWith<wxColourDialog>(wxID_CANCEL));
    dlg.m_colorText = 0x000000AB;
    dlg.m_colorBack = 0x00302010;

    // Browsing fills the edit box and keeps check-box changes made before it.
    Check(dlg, COptionsDlg::IDC_AUTO_REMOVE)->SetValue(true);
    wxTEST_DIALOG(Click(dlg, COptionsDlg::IDC_BROWSE_IMAGE), wxExpectModal<wxFileDialog>(wxString::FromUTF8(Image())));
    EXPECT_EQ(Edit(dlg)->GetValue(), Image());
    EXPECT_TRUE(Check(dlg, COptionsDlg::IDC_AUTO_REMOVE)->GetValue());

    ASSERT_TRUE(dlg.Apply());
    EXPECT_EQ(m_report.m_strImagePath, Image());
    EXPECT_EQ(m_report.m_crText, 0x000000ABu);
    EXPECT_EQ(m_report.m_crBackground, 0x00302010u);
    EXPECT_EQ(m_settings.m_bAutoRemoveTtma, 1);
    EXPECT_EQ(m_settings.m_bKeepBackup, 0);
}

// Each colour dialog starts at the colour its swatch shows, so OK without picking keeps it.
TEST_F(OptionsDlgGuiTest, ColourDialogsStartAtTheSwatchColour)
{
    m_report.m_crText = 0x00123456;
    m_report.m_crBackground = 0x00ABCDEF;
    COptionsDlg dlg(nullptr, &m_report, m_settings);
    auto startsAt = [](uint32_t color) {
        return ExpectDialog<wxColourDialog>([color](wxColourDialog* colours) {
            EXPECT_EQ(colours->GetColourData().GetColour(), ColourFromRef(color));
            return wxID_OK;
        });
    };
    wxTEST_DIALOG(Click(dlg, COptionsDlg::IDC_TEXT_COLOR), startsAt(0x00123456));
    EXPECT_EQ(dlg.m_swatchText->GetColor(), 0x00123456u);
    wxTEST_DIALOG(Click(dlg, COptionsDlg::IDC_BACK_COLOR), startsAt(0x00ABCDEF));
    EXPECT_EQ(dlg.m_swatchBack->GetColor(), 0x00ABCDEFu);

    // A colour chosen before is where the next dialog starts.
    dlg.m_colorText = 0x00010203;
    dlg.m_swatchText->SetColor(dlg.m_colorText);
    wxTEST_DIALOG(Click(dlg, COptionsDlg::IDC_TEXT_COLOR), startsAt(0x00010203));
    EXPECT_EQ(dlg.m_swatchText->GetColor(), 0x00010203u);
}

TEST_F(OptionsDlgGuiTest, ColourChoiceClearsTheImagePath)
{
    m_report.m_strImagePath = Image();
    COptionsDlg dlg(nullptr, &m_report, m_settings);
    Click(dlg, COptionsDlg::IDC_RADIO_COLOR);
    ASSERT_TRUE(dlg.Apply());
    EXPECT_EQ(m_report.m_strImagePath, "");
    EXPECT_EQ(dlg.m_strImage, "");
}

TEST_F(OptionsDlgGuiTest, MissingImageKeepsTheDialogOpenButTheColoursAreStored)
{
    COptionsDlg dlg(nullptr, &m_report, m_settings);
    Click(dlg, COptionsDlg::IDC_RADIO_IMAGE);
    Edit(dlg)->ChangeValue((m_dir / "missing.jpg").string());
    dlg.m_colorText = 0x00123456;
    m_settings.m_bKeepBackup = 0;
    Check(dlg, COptionsDlg::IDC_KEEP_BACKUP)->SetValue(true);
    wxTEST_DIALOG(EXPECT_FALSE(dlg.Apply()),
                  ExpectMessage("Unable to find the background image file !", "Options", wxICON_EXCLAMATION));
    EXPECT_EQ(m_report.m_crText, 0x00123456u);
    EXPECT_EQ(m_report.m_strImagePath, "");
    EXPECT_EQ(m_settings.m_bKeepBackup, 0);

    // A path typed by hand is taken once it names a file.
    Edit(dlg)->ChangeValue(Image());
    EXPECT_TRUE(dlg.Apply());
    EXPECT_EQ(m_report.m_strImagePath, Image());
    EXPECT_EQ(m_settings.m_bKeepBackup, 1);
}

TEST_F(OptionsDlgGuiTest, SwatchIsPaintedInItsColourInsideABumpEdge)
{
    COptionsDlg dlg(nullptr, &m_report, m_settings);
    dlg.m_swatchText->SetColor(0x000000FF);
    wxBitmap bitmap(40, 20, 24);
    {
        wxMemoryDC dc(bitmap);
        dlg.m_swatchText->Draw(dc, wxRect(0, 0, 40, 20));
    }
    wxImage image = bitmap.ConvertToImage();
    auto at = [&image](int x, int y) { return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)); };
    EXPECT_EQ(at(20, 10), *wxRED);
    EXPECT_EQ(at(2, 2), *wxRED);
    EXPECT_EQ(at(0, 5), wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT));
    EXPECT_EQ(at(1, 5), wxSystemSettings::GetColour(wxSYS_COLOUR_3DSHADOW));
    EXPECT_EQ(at(39, 5), wxSystemSettings::GetColour(wxSYS_COLOUR_3DDKSHADOW));
}
// Seen on the screen: the focus starts on the first control (Space there opens the text colour
// dialog), and the background row that is not chosen shows its controls disabled.
TEST_F(OptionsDlgGuiTest, UnchosenBackgroundRowIsDisabledAndTheFocusStartsOnTheFirstControl)
{
    auto* dlg = new COptionsDlg(nullptr, &m_report, m_settings);
    dlg->Show();
    dlg->Raise();
    PumpEvents();
    wxUIActionSimulator ui;
    auto pointAt = [&ui](wxWindow* window)
    {
        ui.MouseMove(window->GetScreenRect().GetPosition() + window->GetSize() / 2);
        PumpEvents();
    };
    auto clickOn = [&](int id)
    {
        pointAt(dlg->FindWindow(id));
        ui.MouseClick();
        PumpEvents();
    };
    auto expectRows = [&](bool bImage)
    {
        EXPECT_EQ(dlg->FindWindow(COptionsDlg::IDC_BACK_COLOR)->IsEnabled(), !bImage);
        EXPECT_EQ(Edit(*dlg)->IsEnabled(), bImage);
        EXPECT_EQ(dlg->FindWindow(COptionsDlg::IDC_BROWSE_IMAGE)->IsEnabled(), bImage);
        EXPECT_TRUE(dlg->FindWindow(COptionsDlg::IDC_TEXT_COLOR)->IsEnabled());
    };

    pointAt(dlg);
    wxTEST_DIALOG(
        {
            ui.Char(' ');
            PumpEvents();
        },
        ExpectDialogClosedWith<wxColourDialog>(wxID_CANCEL));
    expectRows(false);

    clickOn(COptionsDlg::IDC_RADIO_IMAGE);
    ASSERT_TRUE(dlg->m_radioImage->GetValue());
    expectRows(true);
    {
        wxTestingModalHook hook(__FILE__, __LINE__, __func__);
        clickOn(COptionsDlg::IDC_BACK_COLOR);
        hook.CheckUnmetExpectations();
    }

    clickOn(COptionsDlg::IDC_RADIO_COLOR);
    ASSERT_TRUE(dlg->m_radioColor->GetValue());
    expectRows(false);
    ui.MouseMove(wxPoint(1270, 1010));
    dlg->Destroy();
    PumpEvents();
}
} // namespace
