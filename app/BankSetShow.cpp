// Reading a bank set for the window and showing its page.
#include "app/BankSetShow.h"

#include "app/OrvaneView.h"
#include "app/ShellPaths.h"
#include "bankset/BankOperands.h"
#include "bankset/BankSetPage.h"
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
    m_set.Load(paths);
    CBankSetPage page;
    page.m_crText = look.crText;
    page.m_crBackground = look.crBackground;
    page.m_strImagePath = look.strImagePath;
    // The page lives in the private directory, which goes with the program: not waited on.
    page.m_bFlushPage = false;
    m_strPagePath = GetTempDirectory() / GetString(IDS_SETPAGE);
    if (!page.Render(m_set, m_strPagePath))
    {
        AppMessageBoxDetail(IDS_CANTMAKEPAGE, MsgStop, page.m_strError);
        return false;
    }
    view.Navigate(m_strPagePath.string());
    return true;
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
