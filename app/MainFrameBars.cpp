// The main frame's icons, menus, tool bar, status bar with its lock-key indicators, and key table.
#include "app/MainFrame.h"

#include "app/FileDropTarget.h"
#include "app/MenuMnemonic.h"
#include "app/OrvaneDoc.h"
#include "res/StringTable.h"
#include "res/images/Images.h"

#include <wx/intl.h>
#include <wx/accel.h>
#include <wx/artprov.h>
#include <wx/config.h>
#include <wx/dnd.h>
#include <wx/iconbndl.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include <dlfcn.h>

namespace
{
// Status-bar indicators, in pane order after the message pane.
const unsigned kIndicatorIds[3] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
const wxKeyCode kIndicatorKeys[3] = {WXK_CAPITAL, WXK_NUMLOCK, WXK_SCROLL};

// The commands of the menus and the tool bar: the window id, the id of its prompt in the string table.
struct CommandPrompt
{
    int wxId;
    unsigned promptId;
};
const CommandPrompt kPrompts[] = {
    {wxID_NEW, ID_FILE_NEW},
    {wxID_OPEN, ID_FILE_OPEN},
    {CMD_OPEN_BANKSET, ID_OPENBANKSET},
    {CMD_OPEN_BANKSET_FOLDER, ID_OPENBANKSETFOLDER},
    {wxID_SAVE, ID_FILE_SAVE},
    {wxID_SAVEAS, ID_FILE_SAVE_AS},
    {CMD_EXPORTZIP, ID_EXPORTZIP},
    {CMD_EXPORT_INSTRDEF, ID_EXPORTINSTRDEF},
    {wxID_PRINT, ID_FILE_PRINT},
    {wxID_PREVIEW, ID_FILE_PRINT_PREVIEW},
    {wxID_PRINT_SETUP, ID_FILE_PRINT_SETUP},
    {CMD_RECENT_FILE, ID_FILE_MRU_FILE1},
    {wxID_EXIT, ID_APP_EXIT},
    {wxID_UNDO, ID_EDIT_UNDO},
    {wxID_REDO, IDS_PROMPT_REDO},
    {wxID_CUT, ID_EDIT_CUT},
    {wxID_COPY, ID_EDIT_COPY},
    {wxID_PASTE, ID_EDIT_PASTE},
    {CMD_BANKINSPECTOR, ID_BANKINSPECTOR},
    {CMD_OPTIONS, ID_OPTIONS},
    {CMD_VIEW_TOOLBAR, ID_VIEW_TOOLBAR},
    {CMD_VIEW_STATUS_BAR, ID_VIEW_STATUS_BAR},
    {CMD_HELP_FRENCH, ID_HELP_FRENCH},
    {CMD_HELP_ENGLISH, ID_HELP_ENGLISH},
    {wxID_ABOUT, ID_APP_ABOUT},
    {CMD_NEXT_PANE, ID_NEXT_PANE},
    {CMD_PREV_PANE, ID_PREV_PANE},
    {CMD_OPEN_IN_BROWSER, ID_OPEN_IN_BROWSER},
    {CMD_FIND, ID_EDIT_FIND},
    {CMD_FIND_NEXT, ID_EDIT_FINDNEXT},
    {CMD_FIND_PREVIOUS, ID_EDIT_FINDPREVIOUS},
    {CMD_BACK, ID_VIEW_BACK},
};

unsigned PromptIdOf(int wxId)
{
    for (const CommandPrompt& p : kPrompts)
        if (p.wxId == wxId)
            return p.promptId;
    return 0;
}

wxString Prompt(int wxId)
{
    return wxString::FromUTF8(GetPromptText(PromptIdOf(wxId)));
}

wxString ToolTip(int wxId)
{
    return wxString::FromUTF8(GetToolTipText(PromptIdOf(wxId)));
}

wxBitmap PngBitmap(const unsigned char* data, size_t size)
{
    return BitmapFromPng(data, size);
}

// The size of the tool bar's images: the theme's tool-bar icon size, 16 x 16 without one.
wxSize ToolBitmapSize()
{
    wxSize size = wxArtProvider::GetSizeHint(wxART_TOOLBAR);
    return size.x > 0 && size.y > 0 ? size : wxSize(16, 16);
}

// The image scaled to the size when it has another.
wxBitmap FittedTo(const wxBitmap& bmp, wxSize size)
{
    if (!bmp.IsOk() || bmp.GetSize() == size)
        return bmp;
    return wxBitmap(bmp.ConvertToImage().Rescale(size.x, size.y, wxIMAGE_QUALITY_HIGH));
}

// One of our own images, drawn at 16 x 16 and 24 x 24: the drawing nearer the size, fitted to it.
wxBitmap OwnToolImage(const unsigned char* small, size_t smallSize, const unsigned char* large, size_t largeSize,
                      wxSize size)
{
    const wxBitmap bmp = size.y > 20 ? PngBitmap(large, largeSize) : PngBitmap(small, smallSize);
    return FittedTo(bmp, size);
}

// The theme's stock image at the size (the art provider falls back to wx's own when the theme
// has none), fitted to the size when the theme's is another.
wxBitmap StockToolImage(const wxArtID& art, wxSize size)
{
    const wxBitmap bmp = wxArtProvider::GetBitmap(art, wxART_TOOLBAR, size);
    return FittedTo(bmp, size);
}
} // namespace

void CMainFrame::SetFrameIcons()
{
    wxIconBundle icons;
    for (auto [data, size] :
         {std::pair{orvane_16_png, sizeof orvane_16_png}, std::pair{orvane_32_png, sizeof orvane_32_png},
          std::pair{orvane_48_png, sizeof orvane_48_png}, std::pair{orvane_128_png, sizeof orvane_128_png}})
    {
        wxIcon icon;
        icon.CopyFromBitmap(PngBitmap(data, size));
        icons.AddIcon(icon);
    }
    SetIcons(icons);
}

void CMainFrame::BuildMenus()
{
    auto add = [](wxMenu* menu, int id, const wxString& text) { menu->Append(id, text, Prompt(id)); };

    m_pFileMenu = new wxMenu;
    add(m_pFileMenu, wxID_NEW, _("&New\tCtrl+N"));
    add(m_pFileMenu, wxID_OPEN, _("&Open...\tCtrl+O"));
    add(m_pFileMenu, CMD_OPEN_BANKSET, _("Open &Bank Set...\tCtrl+Shift+O"));
    add(m_pFileMenu, CMD_OPEN_BANKSET_FOLDER, _("Open Bank Set &Folder..."));
    add(m_pFileMenu, wxID_SAVE, _("&Save\tCtrl+S"));
    add(m_pFileMenu, wxID_SAVEAS, _("Save &As..."));
    add(m_pFileMenu, CMD_EXPORTZIP, _("Export to &Zip..."));
    add(m_pFileMenu, CMD_EXPORT_INSTRDEF, _("Export &Instrument Definitions..."));
    m_pFileMenu->AppendSeparator();
    add(m_pFileMenu, wxID_PRINT, _("&Print...\tCtrl+P"));
    add(m_pFileMenu, wxID_PREVIEW, _("Print Pre&view"));
    add(m_pFileMenu, wxID_PRINT_SETUP, _("P&rint Setup..."));
    m_pFileMenu->AppendSeparator();
    m_pFileMenu->Append(CMD_RECENT_FILE, _("Recent File"), wxString::FromUTF8(GetString(ID_FILE_MRU_FILE1)));
    m_pFileMenu->AppendSeparator();
    add(m_pFileMenu, wxID_EXIT, _("E&xit"));

    auto* editMenu = new wxMenu;
    add(editMenu, wxID_UNDO, _("&Undo\tCtrl+Z"));
    add(editMenu, wxID_REDO, _("&Redo\tCtrl+Y"));
    editMenu->AppendSeparator();
    add(editMenu, wxID_CUT, _("Cu&t\tCtrl+X"));
    add(editMenu, wxID_COPY, _("&Copy\tCtrl+C"));
    add(editMenu, wxID_PASTE, _("&Paste\tCtrl+V"));
    editMenu->AppendSeparator();
    add(editMenu, CMD_FIND, _("&Find...\tCtrl+F"));
    add(editMenu, CMD_FIND_NEXT, _("Find &Next\tF3"));
    add(editMenu, CMD_FIND_PREVIOUS, _("Find Pre&vious\tShift+F3"));
    editMenu->AppendSeparator();
    add(editMenu, CMD_BANKINSPECTOR, _("Bank &Inspector\tCtrl+I"));
    // Ctrl+O is File > Open's key; Options has Ctrl+B.
    add(editMenu, CMD_OPTIONS, _("&Options\tCtrl+B"));

    auto* viewMenu = new wxMenu;
    viewMenu->AppendCheckItem(CMD_VIEW_TOOLBAR, _("&Toolbar"), Prompt(CMD_VIEW_TOOLBAR));
    viewMenu->AppendCheckItem(CMD_VIEW_STATUS_BAR, _("&Status Bar"), Prompt(CMD_VIEW_STATUS_BAR));
    viewMenu->AppendSeparator();
    add(viewMenu, CMD_OPEN_IN_BROWSER, _("Open in &Web Browser"));

    auto* helpMenu = new wxMenu;
    add(helpMenu, CMD_HELP_FRENCH, _("Help (French)"));
    add(helpMenu, CMD_HELP_ENGLISH, _("Help (English)"));
    helpMenu->Break();
    add(helpMenu, wxID_ABOUT, _("&About Orvane..."));

    auto* menuBar = new wxMenuBar;
    menuBar->Append(m_pFileMenu, _("&File"));
    menuBar->Append(editMenu, _("&Edit"));
    menuBar->Append(viewMenu, _("&View"));
    menuBar->Append(helpMenu, _("&Help"));
    SetMenuBar(menuBar);
    AddPlainMnemonics();

    // The recent-file list keeps its entries in the menu from now on.
    if (m_docManager && m_docManager->GetFileHistory())
    {
        m_docManager->FileHistoryUseMenu(m_pFileMenu);
        if (wxConfigBase::Get(false))
            m_docManager->FileHistoryLoad(*wxConfigBase::Get(false));
        else
            m_docManager->FileHistoryAddFilesToMenu(m_pFileMenu);
    }
}

void CMainFrame::AddPlainMnemonics()
{
#ifdef __WXGTK__
    // The toolkit is already loaded by wx; its function is looked up there.
    using AddMnemonicFn = void (*)(void*, unsigned, void*);
    static const auto pfnAddMnemonic = reinterpret_cast<AddMnemonicFn>(dlsym(RTLD_DEFAULT, "gtk_window_add_mnemonic"));
    wxMenuBar* bar = GetMenuBar();
    if (!pfnAddMnemonic || !bar || !GetHandle())
        return;
    std::vector<std::string> labels;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        labels.push_back(bar->GetMenuLabel(i).utf8_string());
    for (size_t i = 0; i < labels.size(); ++i)
    {
        const char plain = PlainMnemonicLetter(labels[i]);
        if (!plain || !bar->GetMenu(i)->m_owner)
            continue;
        // Not where another menu already answers the plain letter.
        bool taken = false;
        for (size_t j = 0; j < labels.size(); ++j)
            taken = taken || (j != i && MenuMnemonic(labels[j]) == std::string(1, plain));
        if (!taken)
            pfnAddMnemonic(GetHandle(), static_cast<unsigned char>(plain), bar->GetMenu(i)->m_owner);
    }
#endif
}

void CMainFrame::BuildToolBar()
{
    wxToolBar* bar = CreateToolBar(wxTB_FLAT | wxTB_HORIZONTAL | wxBORDER_NONE);
    const wxSize size = ToolBitmapSize();
    bar->SetToolBitmapSize(size);
    struct Tool
    {
        int id;
        wxArtID art;
    };
    const Tool tools[] = {
        {CMD_BACK, wxART_GO_BACK}, {wxID_SEPARATOR, ""},
        {wxID_NEW, wxART_NEW},     {wxID_OPEN, wxART_FILE_OPEN},
        {wxID_SEPARATOR, ""},      {wxID_SAVE, wxART_FILE_SAVE},
        {wxID_CUT, wxART_CUT},     {wxID_COPY, wxART_COPY},
        {wxID_SEPARATOR, ""},      {CMD_OPTIONS, ""},
        {CMD_BANKINSPECTOR, ""},   {wxID_PRINT, wxART_PRINT},
        {wxID_ABOUT, wxART_HELP},
    };
    for (const Tool& t : tools)
    {
        if (t.id == wxID_SEPARATOR)
        {
            bar->AddSeparator();
            continue;
        }
        wxBitmap image;
        if (t.id == CMD_OPTIONS)
            image = OwnToolImage(tool_options_png, sizeof tool_options_png, tool_options_24_png,
                                 sizeof tool_options_24_png, size);
        else if (t.id == CMD_BANKINSPECTOR)
            image = OwnToolImage(tool_inspector_png, sizeof tool_inspector_png, tool_inspector_24_png,
                                 sizeof tool_inspector_24_png, size);
        else
            image = StockToolImage(t.art, size);
        bar->AddTool(t.id, ToolTip(t.id), image, ToolTip(t.id), wxITEM_NORMAL);
        bar->SetToolLongHelp(t.id, Prompt(t.id));
    }
    bar->Realize();
    // Files dropped on the tool bar or the status bar go to the frame.
    bar->SetDropTarget(new CFileDropTarget([this](const wxArrayString& files) { OnDropFiles(files); }));
}

void CMainFrame::BuildStatusBar()
{
    wxStatusBar* bar = CreateStatusBar(4);
    int widths[4] = {-1, 0, 0, 0};
    for (int i = 0; i < 3; ++i)
        widths[i + 1] = bar->GetTextExtent(wxString::FromUTF8(GetString(kIndicatorIds[i]))).GetWidth() + 16;
    bar->SetStatusWidths(4, widths);
    SetStatusText(wxString::FromUTF8(GetString(AFX_IDS_IDLEMESSAGE)), 0);
    bar->SetDropTarget(new CFileDropTarget([this](const wxArrayString& files) { OnDropFiles(files); }));
}

std::vector<wxAcceleratorEntry> CMainFrame::Accelerators()
{
    std::vector<wxAcceleratorEntry> keys = {
        {wxACCEL_CTRL, 'B', CMD_OPTIONS},
        {wxACCEL_CTRL, 'I', CMD_BANKINSPECTOR},
        {wxACCEL_CTRL, 'O', wxID_OPEN},
        {wxACCEL_CTRL, 'S', wxID_SAVE},
        {wxACCEL_CTRL, 'P', wxID_PRINT},
        {wxACCEL_CTRL, 'C', wxID_COPY},
        {wxACCEL_CTRL, WXK_INSERT, wxID_COPY},
        {wxACCEL_CTRL, 'V', wxID_PASTE},
        {wxACCEL_SHIFT, WXK_INSERT, wxID_PASTE},
        {wxACCEL_CTRL, 'X', wxID_CUT},
        {wxACCEL_SHIFT, WXK_DELETE, wxID_CUT},
        {wxACCEL_CTRL, 'Z', wxID_UNDO},
        {wxACCEL_ALT, WXK_BACK, wxID_UNDO},
        {wxACCEL_NORMAL, WXK_F6, CMD_NEXT_PANE},
        {wxACCEL_SHIFT, WXK_F6, CMD_PREV_PANE},
        {wxACCEL_CTRL, 'Y', wxID_REDO},
        {wxACCEL_CTRL, 'F', CMD_FIND},
        {wxACCEL_NORMAL, WXK_F3, CMD_FIND_NEXT},
        {wxACCEL_SHIFT, WXK_F3, CMD_FIND_PREVIOUS},
    };
    keys.emplace_back(wxACCEL_CTRL | wxACCEL_SHIFT, 'O', CMD_OPEN_BANKSET);
    return keys;
}

void CMainFrame::OnIdle(wxIdleEvent& event)
{
    UpdateCaption();
    // The lock-key indicators show their text while the lock is on.
    if (wxStatusBar* bar = GetStatusBar())
    {
        for (int i = 0; i < 3; ++i)
        {
            bool on = wxGetKeyState(kIndicatorKeys[i]);
            if (on != m_abIndicators[i] || bar->GetStatusText(i + 1).empty() == on)
            {
                m_abIndicators[i] = on;
                bar->SetStatusText(on ? wxString::FromUTF8(GetString(kIndicatorIds[i])) : wxString(), i + 1);
            }
        }
    }
    const std::string bank = JournalBank();
    if (m_bUndoLabelsStale || bank != m_strUndoLabelsBank)
    {
        m_bUndoLabelsStale = false;
        m_strUndoLabelsBank = bank;
        if (wxMenuBar* menus = GetMenuBar())
            if (wxMenuItem* undo = menus->FindItem(wxID_UNDO))
                DoMenuUpdates(undo->GetMenu());
    }
    event.Skip();
}

void CMainFrame::OnToggleToolBar(wxCommandEvent&)
{
    if (wxToolBar* bar = GetToolBar())
    {
        bar->Show(!bar->IsShown());
        SendSizeEvent();
    }
}

void CMainFrame::OnToggleStatusBar(wxCommandEvent&)
{
    if (wxStatusBar* bar = GetStatusBar())
    {
        bar->Show(!bar->IsShown());
        SendSizeEvent();
    }
}

void CMainFrame::OnUpdateToggleToolBar(wxUpdateUIEvent& event)
{
    event.Check(GetToolBar() && GetToolBar()->IsShown());
}

void CMainFrame::OnUpdateToggleStatusBar(wxUpdateUIEvent& event)
{
    event.Check(GetStatusBar() && GetStatusBar()->IsShown());
}
