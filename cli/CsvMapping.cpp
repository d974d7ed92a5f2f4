// The mapping CSV reader on libcsv: the input is fed to the parser a line (or a block of a long
// line) at a time, so that line numbers are known and a line growing past its limit is stopped
// before it takes much memory.
#include "cli/CsvMapping.h"

#include "cli/CliSupport.h"
#include "report/MappingTable.h"

#include <csv.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <istream>

namespace
{
const char* const kColumnNames[4] = {"list", "index", "program", "variation"};

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A field's text for a message: quoted, control bytes escaped, long ones cut.
std::string Quoted(const std::string& text)
{
    constexpr size_t kShown = 40;
    return "'" + PrintableText(text.size() > kShown ? text.substr(0, kShown) + "..." : text) + "'";
}

// A whole number from 0 to max: digits only (spaces around them allowed).
bool ParseWhole(const std::string& text, uint64_t max, uint64_t& value)
{
    const std::string digits = Trimmed(text);
    if (digits.empty() || digits.size() > 18 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoull(digits);
    return value <= max;
}

// libcsv's parser, freed however the reading ends.
struct CsvParser
{
    csv_parser p;
    bool ok;
    CsvParser() { ok = csv_init(&p, CSV_STRICT | CSV_STRICT_FINI) == 0; }
    ~CsvParser() { csv_free(&p); }
    CsvParser(const CsvParser&) = delete;
    CsvParser& operator=(const CsvParser&) = delete;
};
} // namespace

CMappingCsvReader::CMappingCsvReader(uint64_t nInstruments, uint64_t nDrumsets)
    : m_nCounts{nInstruments, nDrumsets}, m_arrSeen(nInstruments + nDrumsets, 0)
{
}

bool CMappingCsvReader::Fail(uint64_t nLine, const std::string& reason)
{
    if (!m_bFailed)
    {
        m_bFailed = true;
        m_nErrorLine = nLine;
        m_strError = reason;
    }
    return false;
}

void CMappingCsvReader::OnField(void* data, size_t len, void* self)
{
    static_cast<CMappingCsvReader*>(self)->Field(static_cast<const char*>(data), len);
}

void CMappingCsvReader::OnRecordEnd(int, void* self)
{
    static_cast<CMappingCsvReader*>(self)->RecordEnd();
}

void CMappingCsvReader::Field(const char* data, size_t len)
{
    if (m_bFailed)
        return;
    if (m_nFields >= kMaxFields)
    {
        Fail(m_nRecordLine, "the line has more than " + std::to_string(kMaxFields) + " fields");
        return;
    }
    if (m_nFields == m_arrFields.size())
        m_arrFields.emplace_back();
    m_arrFields[m_nFields++].assign(data ? data : "", data ? len : 0);
}

void CMappingCsvReader::RecordEnd()
{
    if (!m_bFailed)
    {
        // A line of empty fields only (",,,," as spreadsheets write for an empty row) is no row.
        const bool blank = std::all_of(m_arrFields.begin(), m_arrFields.begin() + static_cast<long>(m_nFields),
                                       [](const std::string& f) { return Trimmed(f).empty(); });
        if (!m_bHeaderRead)
            Header();
        else if (!blank)
            Row();
    }
    m_nFields = 0;
    m_nRecordBytes = 0;
    m_bAtRecordStart = true;
}

void CMappingCsvReader::Header()
{
    m_bHeaderRead = true;
    m_nHeaderFields = m_nFields;
    for (size_t i = 0; i < m_nFields; ++i)
    {
        const std::string name = Lower(Trimmed(m_arrFields[i]));
        for (int c = 0; c < 4; ++c)
            if (name == kColumnNames[c])
            {
                if (m_nColumns[c] >= 0)
                {
                    Fail(m_nRecordLine, std::string("the header names the column '") + kColumnNames[c] + "' twice");
                    return;
                }
                m_nColumns[c] = static_cast<int>(i);
            }
    }
    for (int c = 0; c < 4; ++c)
        if (m_nColumns[c] < 0)
        {
            Fail(m_nRecordLine, std::string("the header has no column '") + kColumnNames[c] +
                                    "' (it needs list, index, program and variation)");
            return;
        }
}

void CMappingCsvReader::Row()
{
    if (m_nFields != m_nHeaderFields)
    {
        Fail(m_nRecordLine, "the line has " + std::to_string(m_nFields) + " fields where the header has " +
                                std::to_string(m_nHeaderFields));
        return;
    }
    const std::string& list = m_arrFields[static_cast<size_t>(m_nColumns[0])];
    const std::string& index = m_arrFields[static_cast<size_t>(m_nColumns[1])];
    const std::string& program = m_arrFields[static_cast<size_t>(m_nColumns[2])];
    const std::string& variation = m_arrFields[static_cast<size_t>(m_nColumns[3])];
    MAPPINGCSVROW row{false, 0, 0, 0, m_nRecordLine};
    if (!ParseMappingListName(list, row.bDrumset))
    {
        Fail(m_nRecordLine, "unknown list " + Quoted(list) + " (instrument or drumset)");
        return;
    }
    const char* const name = row.bDrumset ? "drum set" : "instrument";
    const uint64_t count = m_nCounts[row.bDrumset ? 1 : 0];
    uint64_t value = 0;
    if (!ParseWhole(index, UINT64_MAX / 2, row.nIndex))
    {
        Fail(m_nRecordLine, "index " + Quoted(index) + " is not a whole number");
        return;
    }
    if (row.nIndex >= count)
    {
        Fail(m_nRecordLine, std::string(name) + " " + std::to_string(row.nIndex) + " does not exist (the bank has " +
                                std::to_string(count) + ")");
        return;
    }
    if (!ParseWhole(program, kCsvMaxProgram, value))
    {
        Fail(m_nRecordLine,
             "program " + Quoted(program) + " is not a whole number from 0 to " + std::to_string(kCsvMaxProgram));
        return;
    }
    row.wProgram = static_cast<uint16_t>(value);
    if (!ParseWhole(variation, kCsvMaxVariation, value))
    {
        Fail(m_nRecordLine,
             "variation " + Quoted(variation) + " is not a whole number from 0 to " + std::to_string(kCsvMaxVariation));
        return;
    }
    row.byVariation = static_cast<uint8_t>(value);
    uint32_t& seen = m_arrSeen[row.bDrumset ? m_nCounts[0] + row.nIndex : row.nIndex];
    if (seen)
    {
        Fail(m_nRecordLine, std::string(name) + " " + std::to_string(row.nIndex) + " is given twice (first on line " +
                                std::to_string(m_rows[seen - 1].nLine) + ")");
        return;
    }
    m_rows.push_back(row);
    seen = static_cast<uint32_t>(m_rows.size());
}

bool CMappingCsvReader::Read(std::istream& in)
{
    CsvParser parser;
    if (!parser.ok)
        return Fail(1, "out of memory");
    constexpr size_t kBlock = 64 * 1024;
    std::vector<char> block(kBlock);
    bool first = true;
    while (!m_bFailed)
    {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        size_t got = static_cast<size_t>(in.gcount());
        if (in.bad())
            return Fail(m_nLine, "the input could not be read");
        if (got == 0)
            break;
        const char* data = block.data();
        if (first && got >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0)
        {
            data += 3;
            got -= 3;
        }
        first = false;
        // Feed the block a line at a time, counting lines.
        while (got > 0 && !m_bFailed)
        {
            const char* nl = static_cast<const char*>(std::memchr(data, '\n', got));
            const size_t len = nl ? static_cast<size_t>(nl - data) + 1 : got;
            if (std::memchr(data, '\0', len))
                return Fail(m_nLine, "the line holds a NUL byte");
            // Empty and blank lines between records start none and count towards no line's length.
            if (m_bAtRecordStart &&
                std::any_of(data, data + len, [](char c) { return c != '\r' && c != '\n' && c != ' ' && c != '\t'; }))
            {
                m_bAtRecordStart = false;
                m_nRecordLine = m_nLine;
            }
            if (!m_bAtRecordStart)
                m_nRecordBytes += len;
            if (csv_parse(&parser.p, data, len, OnField, OnRecordEnd, this) != len)
                return Fail(m_nLine, "the line is not valid CSV (a quote out of place)");
            if (m_bFailed)
                break;
            if (m_nRecordBytes > kMaxLineBytes || csv_get_buffer_size(&parser.p) > kMaxLineBytes)
                return Fail(m_nRecordLine, "the line is longer than " + std::to_string(kMaxLineBytes / 1024) + " KiB");
            if (nl)
                ++m_nLine;
            data += len;
            got -= len;
        }
        if (in.eof())
            break;
    }
    if (m_bFailed)
        return false;
    if (csv_fini(&parser.p, OnField, OnRecordEnd, this) != 0)
        return Fail(m_nRecordLine, "a quoted field is not closed");
    if (m_bFailed)
        return false;
    if (!m_bHeaderRead)
        return Fail(1, "there is no header line");
    return true;
}
