// Reading a bank set for the window and showing its page.
#include "app/BankSetShow.h"

#include "app/OrvaneView.h"
#include "app/ShellPaths.h"
#include "bankset/BankOperands.h"
#include "base/FileSystem.h"
#include "res/MessageBox.h"
#include "res/StringTable.h"

bool CBankSetShow::Open(COrvaneView& view, const std::vector<std::string>& operands, const SETLOOK& look)
{
    std::vector<OPERANDERROR> errors;
    const std::vector<std::string> paths = ExpandBankOperands(operands, errors);
    if (paths.empty())
    {
        AppMessageBoxText(FormatStringId(IDS_SETNOBANKS, {operands.empty() ? std::string() : operands.front()}),
                          MsgStop);
        return false;
    }
    // Looked at before they are read: a change made while they are read is seen at the next look.
    m_watch.Shown(GetFileSystem(), paths);
    m_set.Load(paths);
    m_look = look;
    std::error_code ec;
    m_strFolder = operands.size() == 1 && std::filesystem::is_directory(operands.front(), ec) ? operands.front() : "";
    m_strLastBank.clear();
    m_strLastChanged.clear();
    if (!RenderPage())
        return false;
    view.Navigate(m_strPagePath.string());
    return true;
}

bool CBankSetShow::Refresh(COrvaneView& view)
{
    if (!IsOpen())
        return false;
    const std::vector<std::string> paths = GetBankPaths();
    m_watch.Shown(GetFileSystem(), paths);
    m_set.Load(paths);
    if (!RenderPage())
        return false;
    if (IsShownAt(view.GetLocation()))
        view.RefreshBrowser();
    return true;
}

CBankSetPage CBankSetShow::MakePage() const
{
    CBankSetPage page;
    page.m_crText = m_look.crText;
    page.m_crBackground = m_look.crBackground;
    page.m_strImagePath = m_look.strImagePath;
    return page;
}

bool CBankSetShow::RenderPage()
{
    CBankSetPage page = MakePage();
    // The page lives in the private directory, which goes with the program: not waited on.
    page.m_bFlushPage = false;
    page.m_pEntryMarks = &m_arrEntryMarks;
    m_strPagePath = GetTempDirectory() / GetString(IDS_SETPAGE);
    if (!page.Render(m_set, m_strPagePath))
    {
        AppMessageBoxDetail(IDS_CANTMAKEPAGE, MsgStop, page.m_strError);
        return false;
    }
    return true;
}

std::vector<std::string> CBankSetShow::GetBankPaths() const
{
    std::vector<std::string> paths;
    for (const SETBANK& bank : m_set.GetBanks())
        paths.push_back(bank.strPath);
    return paths;
}

std::string CBankSetShow::BankOfLink(const std::string& href) const
{
    std::string path;
    if (!BankPathFromUrl(href, path))
        return "";
    const int bank = m_set.FindBank(path);
    return bank < 0 ? "" : m_set.GetBanks()[static_cast<size_t>(bank)].strPath;
}

bool CBankSetShow::IsShownAt(const std::string& location) const
{
    return !m_strPagePath.empty() && location.find(m_strPagePath.filename().string()) != std::string::npos;
}
