// CBankSetPage: the bank-set page, made from the template "BankSet.mas" the way the mapping page
// is made from "Qzr.mas": header tags replaced, row blocks repeated for the banks, the mapped
// slots and the free places, written line by line into a page sink or a page file.
//
// Blocks stand between marker lines: [SET_BANK_BEGIN]/[SET_BANK_END] (one per bank, in set
// order), [SET_SLOT_BEGIN]/[SET_SLOT_END] (one per mapped slot, written where this block stands),
// [SET_UNDECIDED_BEGIN]/[SET_UNDECIDED_END] (used instead of the slot block for undecided slots),
// [SET_FREE_BEGIN]/[SET_FREE_END] (one per free place), and [SET_NOSLOTS_BEGIN]/[SET_NOSLOTS_END],
// [SET_NOFREE_BEGIN]/[SET_NOFREE_END] (written once when there is nothing to list). Every value
// is escaped. A bank's [SET_BANKLINK] is a file: URL of its absolute path (BankFileUrl): a
// browser follows it to the file, and the window opens the bank it names (BankPathFromUrl).
#pragma once

#include "bankset/BankSet.h"
#include "report/MappingReport.h"
#include "report/PageSink.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class CBankSetPage
{
public:
    // The template beside the program (BankSet.mas).
    CBankSetPage();

    // Writes the page of set to pagePath from m_strTemplatePath, replacing an older page only
    // once the new one is complete. 1 written; 0 with m_strError "PATH: REASON".
    int Render(const CBankSet& set, const std::filesystem::path& pagePath);
    // The same page into sink. 1 written; 0 as Render.
    int RenderTo(const CBankSet& set, IPageSink& sink);
    // The scan behind both, from template text to the page's lines. A template that ends inside
    // a block gives the page written so far (m_strMissingMarker names the block's end).
    void RenderText(const CBankSet& set, const std::string& templateText, IPageSink& page);

    std::filesystem::path m_strTemplatePath;
    // The colours and image of the mapping page's settings.
    uint32_t m_crText = 0x000000;
    uint32_t m_crBackground = 0xFFFFFF;
    std::filesystem::path m_strImagePath;
    // The links of the banks' names in set order, in place of their file: URLs (an archive's
    // names of its banks beside the page); empty for the file: URLs.
    std::vector<std::string> m_arrBankLinks;
    bool m_bFlushPage = true;
    uint64_t m_nMaxPageSize = 1ull << 30;
    std::string m_strMissingMarker;
    std::string m_strError;
    // With a list, rendering fills it with the page offset of each answered slot's GM name and the
    // entry that answers there, for the window's play links.
    std::vector<ENTRYMARK>* m_pEntryMarks = nullptr;
};

// "file:///abs/path" with every byte but letters, digits, "-._~/" percent-encoded.
std::string BankFileUrl(const std::string& path);
// path with every byte but letters, digits, "-._~/" percent-encoded: a relative link.
std::string PercentEncodePath(const std::string& path);
// The path a file: URL made by BankFileUrl names; false for any other link.
bool BankPathFromUrl(const std::string& url, std::string& path);
