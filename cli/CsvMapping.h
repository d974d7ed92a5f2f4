// Reading a mapping from CSV, in the form 'orvane-cli info --csv' writes it, for
// 'orvane-cli set --from-csv'. Columns are found by their header names; list, index, program and
// variation are needed, any others are ignored. Quoting follows RFC 4180; a UTF-8 byte order
// mark, CR LF line ends and empty lines are accepted. Every row is checked against the bank's
// list sizes as it is read, so memory stays within the size of the bank whatever the input.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// One row: the entry it names and the values it gives.
struct MAPPINGCSVROW
{
    bool bDrumset;
    uint64_t nIndex;
    uint16_t wProgram;
    uint8_t byVariation;
    uint64_t nLine;
};

// Highest values a row may give: what the file holds, so every list 'info --csv' wrote reads back.
constexpr unsigned kCsvMaxProgram = 65535;
constexpr unsigned kCsvMaxVariation = 255;

class CMappingCsvReader
{
public:
    CMappingCsvReader(uint64_t nInstruments, uint64_t nDrumsets);

    // Reads all of in. true with every row in Rows(); false at the first fault, with the line
    // (from 1) where it lies in ErrorLine() and what is wrong in ErrorReason().
    bool Read(std::istream& in);

    const std::vector<MAPPINGCSVROW>& Rows() const { return m_rows; }
    uint64_t ErrorLine() const { return m_nErrorLine; }
    const std::string& ErrorReason() const { return m_strError; }

    // A line (a record with its quoted line breaks) longer than this is refused.
    static constexpr size_t kMaxLineBytes = 64 * 1024;
    // More fields than this in one line are refused.
    static constexpr size_t kMaxFields = 256;

private:
    static void OnField(void* data, size_t len, void* self);
    static void OnRecordEnd(int term, void* self);
    void Field(const char* data, size_t len);
    void RecordEnd();
    void Header();
    void Row();
    bool Fail(uint64_t nLine, const std::string& reason);

    uint64_t m_nCounts[2];
    // Per entry (instruments first, then drum sets): 1 + the position in m_rows of the row that
    // named it, or 0.
    std::vector<uint32_t> m_arrSeen;
    std::vector<MAPPINGCSVROW> m_rows;
    std::vector<std::string> m_arrFields;
    size_t m_nFields = 0;
    size_t m_nRecordBytes = 0;
    bool m_bHeaderRead = false;
    int m_nColumns[4] = {-1, -1, -1, -1}; // list, index, program, variation
    size_t m_nHeaderFields = 0;
    uint64_t m_nLine = 1;       // physical line being read
    uint64_t m_nRecordLine = 1; // line on which the record being read began
    bool m_bAtRecordStart = true;
    bool m_bFailed = false;
    uint64_t m_nErrorLine = 0;
    std::string m_strError;
};
