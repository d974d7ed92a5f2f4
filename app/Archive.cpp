// The settings file's archive layout: 32-bit values and counted strings, little-endian.
#include "app/Archive.h"

CArchive& CArchive::operator<<(uint32_t value)
{
    m_buffer.Put32(value);
    return *this;
}

CArchive& CArchive::operator<<(const std::string& text)
{
    const size_t n = text.size();
    if (n < 0xFF)
        m_buffer.Put8(static_cast<uint8_t>(n));
    else if (n < 0xFFFE)
    {
        m_buffer.Put8(0xFF);
        m_buffer.Put16(static_cast<uint16_t>(n));
    }
    else
    {
        m_buffer.Put8(0xFF);
        m_buffer.Put16(0xFFFF);
        m_buffer.Put32(static_cast<uint32_t>(n));
    }
    m_buffer.PutBytes(text.data(), n);
    return *this;
}

CArchive& CArchive::operator>>(uint32_t& value)
{
    uint32_t read = m_buffer.Get32();
    if (m_buffer.Ok())
        value = read;
    return *this;
}

CArchive& CArchive::operator>>(int32_t& value)
{
    uint32_t raw = m_buffer.Get32();
    if (m_buffer.Ok())
        value = static_cast<int32_t>(raw);
    return *this;
}

CArchive& CArchive::operator>>(std::string& text)
{
    uint64_t n = m_buffer.Get8();
    if (n == 0xFF)
    {
        n = m_buffer.Get16();
        if (n == 0xFFFF)
            n = m_buffer.Get32();
    }
    // A count longer than the rest of the data is a broken file: nothing is allocated for it.
    const unsigned char* p = m_buffer.Take(static_cast<size_t>(n));
    if (!p)
        return *this;
    text.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
    return *this;
}
