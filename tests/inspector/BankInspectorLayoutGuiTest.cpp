// The inspector's layout on this toolkit, in English and in French, at the default font and
// with the desktop's text scaled to 1.5: no control overlaps another (a group box holds its own),
// every control lies on the dialog, and every text is whole.
#include "InspectorGuiFixture.h"

#include "app/WxTranslator.h"
#include "grid/wx/GridWxDC.h"
#include "res/Translation.h"

#include <wx/dcclient.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/translation.h>

#include <dlfcn.h>

#include <cstdlib>

namespace
{
// The desktop's text scale, as GNOME's "large text" sets it: the toolkit's font resolution.
class CTextScale
{
public:
    explicit CTextScale(double scale)
    {
        if (m_get && m_set)
        {
            void* settings = m_get();
            m_set(settings, "gtk-xft-dpi", static_cast<int>(96 * 1024 * scale), nullptr);
        }
    }
    ~CTextScale()
    {
        if (m_get && m_set)
            m_set(m_get(), "gtk-xft-dpi", -1, nullptr);
    }
    bool Works() const { return m_get && m_set; }

private:
    using GetSettings = void* (*)();
    using SetProperty = void (*)(void*, const char*, ...);
    GetSettings m_get = reinterpret_cast<GetSettings>(dlsym(RTLD_DEFAULT, "gtk_settings_get_default"));
    SetProperty m_set = reinterpret_cast<SetProperty>(dlsym(RTLD_DEFAULT, "g_object_set"));
};

// French chosen as at start, from LANG and the catalogue beside the tests.
class CFrench
{
public:
    CFrench()
    {
        const char* lang = std::getenv("LANG");
        m_strLang = lang ? lang : "";
        ::setenv("LANG", "fr_FR.UTF-8", 1);
        m_bFrench = SetUpInterfaceLanguage(m_translator);
    }
    ~CFrench()
    {
        TranslatorSlot().Install(nullptr);
        wxTranslations::Set(nullptr);
        ::setenv("LANG", m_strLang.c_str(), 1);
    }
    bool m_bFrench = false;

private:
    CWxTranslator m_translator;
    std::string m_strLang;
};

class BankInspectorLayoutGuiTest : public CInspectorGuiFixture
{
protected:
    void SetUp() override
    {
        // A five-digit count of instruments.
        WriteBank(CBankBuilder().Prio("Old", 64).Imap(CBankBuilder::Entries(12345), CBankBuilder::Entries(2)));
    }

    void CheckLayout(const std::string& where)
    {
        RunDialog([&](CBankInspectorDlg& dlg) { CheckDialog(dlg, where); });
    }

    static void CheckDialog(CBankInspectorDlg& dlg, const std::string& where)
    {
        SCOPED_TRACE(where);
        std::vector<wxWindow*> windows;
        for (wxWindow* child : dlg.GetChildren())
            if (child->IsShown())
                windows.push_back(child);
        const wxRect client(wxPoint(0, 0), dlg.GetClientSize());
        auto name = [](wxWindow* w)
        { return (w->GetLabel() + " #" + wxString::Format("%d", w->GetId())).utf8_string(); };
        for (size_t i = 0; i < windows.size(); ++i)
        {
            const wxRect a = windows[i]->GetRect();
            EXPECT_TRUE(client.Contains(a)) << name(windows[i]) << " lies off the dialog";
            for (size_t j = i + 1; j < windows.size(); ++j)
            {
                const wxRect b = windows[j]->GetRect();
                const bool held = (dynamic_cast<wxStaticBox*>(windows[i]) && a.Contains(b)) ||
                                  (dynamic_cast<wxStaticBox*>(windows[j]) && b.Contains(a));
                if (!held)
                {
                    EXPECT_FALSE(a.Intersects(b)) << name(windows[i]) << " overlaps " << name(windows[j]);
                }
            }
        }

        // The fields, counts and arrows inside "General", the lists and the table inside "Edit".
        auto inside = [&](int group, std::initializer_list<int> ids)
        {
            const wxRect box = dlg.FindWindow(group)->GetRect();
            for (int id : ids)
                EXPECT_TRUE(box.Contains(dlg.FindWindow(id)->GetRect())) << "#" << id << " outside #" << group;
        };
        inside(CBankInspectorDlg::IDC_GENERAL,
               {CBankInspectorDlg::IDC_BANKNAME, CBankInspectorDlg::IDC_PRIORITY, CBankInspectorDlg::IDC_PRIORITYSPIN,
                CBankInspectorDlg::IDC_NUMINSTRUMENTS, CBankInspectorDlg::IDC_NUMDRUMSETS});
        inside(CBankInspectorDlg::IDC_EDIT,
               {CBankInspectorDlg::IDC_INSTRUMENTS, CBankInspectorDlg::IDC_DRUMSETS, CBankInspectorDlg::IDC_GRID});

        // Every text whole: labels and counts (also the template's "Static"), the lists' and
        // the buttons' captions, the table's headings.
        EXPECT_EQ("12345", Text(dlg, CBankInspectorDlg::IDC_NUMINSTRUMENTS));
        for (wxWindow* w : windows)
        {
            const wxSize size = w->GetSize();
            if (dynamic_cast<wxStaticText*>(w))
            {
                for (const wxString& text : {w->GetLabel(), wxString("Static")})
                {
                    if (text == "Static" && w->GetId() != CBankInspectorDlg::IDC_NUMINSTRUMENTS &&
                        w->GetId() != CBankInspectorDlg::IDC_NUMDRUMSETS)
                        continue;
                    const wxSize extent = w->GetTextExtent(text);
                    EXPECT_LE(extent.x, size.x) << "\"" << text.utf8_string() << "\" is cut";
                    EXPECT_LE(extent.y, size.y) << "\"" << text.utf8_string() << "\" is cut";
                }
            }
            else if (dynamic_cast<wxRadioButton*>(w) || dynamic_cast<wxStaticBox*>(w) || w->GetId() == wxID_OK ||
                     w->GetId() == wxID_CANCEL)
            {
                const wxSize extent = w->GetTextExtent(wxControl::RemoveMnemonics(w->GetLabel()));
                EXPECT_LE(extent.x, size.x) << "\"" << w->GetLabel().utf8_string() << "\" is cut";
                if (dynamic_cast<wxRadioButton*>(w))
                {
                    EXPECT_LE(w->GetBestSize().x, size.x) << name(w) << " with its indicator is cut";
                    EXPECT_LE(w->GetBestSize().y, size.y) << name(w) << " with its indicator is cut";
                }
            }
        }
        CInspectorGrid* grid = dlg.GetGrid();
        wxClientDC dc(grid);
        dc.SetFont(GridWxFont(grid->GetGridFont(grid->m_nTableFont)));
        for (int col = 0; col < 2; ++col)
        {
            std::string heading;
            grid->GetCellText(col, -1, &heading);
            EXPECT_LT(dc.GetTextExtent(wxString::FromUTF8(heading)).x, grid->GetColumnWidth(col))
                << "\"" << heading << "\" is cut";
        }
        EXPECT_LE(grid->GetColumnWidth(0) + grid->GetColumnWidth(1), grid->GetClientSize().x)
            << "both columns are in view";
    }
};
} // namespace

TEST_F(BankInspectorLayoutGuiTest, NothingOverlapsAndEveryTextIsWholeInEnglishAndFrenchAtTwoSizes)
{
    CheckLayout("English");
    {
        CTextScale large(1.5);
        ASSERT_TRUE(large.Works());
        CheckLayout("English, text at 1.5");
    }
    CFrench french;
    ASSERT_TRUE(french.m_bFrench);
    CheckLayout("French");
    CTextScale large(1.5);
    CheckLayout("French, text at 1.5");
}
