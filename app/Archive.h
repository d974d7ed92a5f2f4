// CArchive: the little-endian binary archive format of the settings file. Values are stored
// into a byte buffer or loaded from one; a load that runs past the end sets a failure flag
// instead of reading outside the data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CArchive
{
public:
    // An archive that stores into an empty buffer.
    CArchive() : m_bStoring(true) {}
    // An archive that loads from bytes.
    explicit CArchive(std::vector<unsigned char> bytes) : m_bytes(std::move(bytes)), m_bStoring(false) {}

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }
    // False once a load ran past the end of the data.
    bool IsValid() const { return !m_bFailed; }
    const std::vector<unsigned char>& Bytes() const { return m_bytes; }

    CArchive& operator<<(uint32_t value);
    CArchive& operator<<(int32_t value) { return *this << static_cast<uint32_t>(value); }
    // Counted string: 1 byte count below 255; FF + 16-bit count below 65534; else FF FFFF + 32-bit count.
    CArchive& operator<<(const std::string& text);

    CArchive& operator>>(uint32_t& value);
    CArchive& operator>>(int32_t& value);
    CArchive& operator>>(std::string& text);

private:
    bool Take(void* out, size_t n);
    void Put(const void* data, size_t n);

    std::vector<unsigned char> m_bytes;
    size_t m_nPos = 0;
    bool m_bStoring;
    bool m_bFailed = false;
};
