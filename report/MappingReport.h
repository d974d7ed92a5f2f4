// CMappingReport: renders a bank's MIDI mapping page from the template "Qzr.mas".
// The template is scanned line by line; tags are replaced with values and the two row blocks
// are repeated once per instrument and drum set.
#pragma once

#include "report/PageFile.h"
#include "report/PageSink.h"
#include "soundbank/SoundBank.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Where an entry's row can take a mark in a page: the byte offset of its General MIDI name (or
// of its first value, or of its row).
struct ENTRYMARK
{
    uint64_t nOffset = 0;
    uint64_t nIndex = 0;
    bool bDrumset = false;
    std::string strBank; // the entry's bank when it is not the page's own ("" for the page's)
};

class CMappingReport
{
public:
    // Status codes of the scanning operations.
    static constexpr uint32_t SCAN_CONTINUE = 0x0BADCAFE;
    static constexpr uint32_t SCAN_START_MAPPING = 0x0BADCAFF;
    static constexpr uint32_t SCAN_ROWS_BUILT = 0x0BADCB02;
    static constexpr uint32_t SCAN_START_FIRST_ROW = 0x0BADCB03;

    // Writes the page m_strOutputPath from the template m_strTemplatePath and the bank
    // m_strBankPath. 1 written; 0 when the template cannot be read or the page not written
    // (m_strError then says which file and why; an existing page is left as it was).
    int Render();
    // The same page into sink. 1 written; 0 as Render.
    int RenderTo(IPageSink& sink);

    // The scan behind Render, from template text to the page's lines. A template that ends
    // before the marker a step waits for gives the page written so far (m_strMissingMarker).
    void RenderText(const std::string& templateText, IPageSink& page);
    void RenderText(const std::string& templateText, std::string& page);

    // Replaces the tags of one header line; SCAN_START_MAPPING on the start marker line.
    uint32_t ReplaceHeaderTags(std::string& line);
    // Replaces the first column tag of one heading line; SCAN_START_FIRST_ROW on the marker line.
    uint32_t ReplaceColumnTags(std::string& line);
    // Writes the rows of the bank at m_strBankPath, walking its entries from the file so that
    // memory does not grow with the bank; always SCAN_ROWS_BUILT.
    uint32_t BuildRows(IPageSink& rows);

    std::filesystem::path m_strTemplatePath;
    std::filesystem::path m_strOutputPath;
    std::filesystem::path m_strBankPath;
    std::vector<std::string> m_firstRowBlock;
    std::vector<std::string> m_nextRowBlock;
    uint32_t m_crText = 0x000000;
    uint32_t m_crBackground = 0xFFFFFF;
    std::filesystem::path m_strImagePath;
    // What loading the bank does with a converted one.
    REPAIRPOLICY m_repairPolicy;
    // Whether Render waits until a replaced page is on the disk. The desktop program's page
    // lives in its private directory, which is made anew at every start, and does not wait.
    bool m_bFlushPage = true;
    // The most a page written by Render may hold (a template of many rows can make a huge page).
    uint64_t m_nMaxPageSize = kDefaultMaxPageSize;
    // The marker the last page's template ended before ("" when it held them all): the page
    // stops where the template did.
    std::string m_strMissingMarker;
    // "PATH: REASON" of the last failed Render.
    std::string m_strError;
    // Whether the last page was made from a bank that was read (its rows are the bank's).
    bool m_bBankRead = false;
    // When set, filled by every page made with the place in the page of each entry's row, for
    // a window that adds its own controls to the rows it shows.
    std::vector<ENTRYMARK>* m_pEntryMarks = nullptr;

    // Largest template read; a page template is a few kilobytes.
    static constexpr uint64_t kMaxTemplateSize = kMaxPageTemplateSize;
    static constexpr uint64_t kDefaultMaxPageSize = 1ull << 30;
};
