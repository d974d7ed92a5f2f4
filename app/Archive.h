// CArchive: the little-endian binary archive format of the settings file. Values are stored
// into a byte buffer or loaded from one; a load that runs past the end sets a failure flag
// instead of reading outside the data.
#pragma once

#include "base/ByteCodec.h"

#include <cstdint>
#include <string>
#include <vector>

class CArchive
{
public:
    // An archive that stores into an empty buffer.
    CArchive() : m_buffer(m_bytes), m_bStoring(true) {}
    // An archive that loads from bytes.
    explicit CArchive(std::vector<unsigned char> bytes)
        : m_bytes(std::move(bytes)), m_buffer(m_bytes.data(), m_bytes.size()), m_bStoring(false)
    {
    }
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }
    // False once a load ran past the end of the data.
    bool IsValid() const { return m_buffer.Ok(); }
    const std::vector<unsigned char>& Bytes() const { return m_bytes; }

    CArchive& operator<<(uint32_t value);
    CArchive& operator<<(int32_t value) { return *this << static_cast<uint32_t>(value); }
    // Counted string: 1 byte count below 255; FF + 16-bit count below 65534; else FF FFFF + 32-bit count.
    CArchive& operator<<(const std::string& text);

    CArchive& operator>>(uint32_t& value);
    CArchive& operator>>(int32_t& value);
    CArchive& operator>>(std::string& text);

private:
    std::vector<unsigned char> m_bytes;
    CByteBuffer m_buffer;
    bool m_bStoring;
};
