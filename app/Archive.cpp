#include "app/Archive.h"

#include <cstring>

void CArchive::Put(const void* data, size_t n)
{
    const auto* p = static_cast<const unsigned char*>(data);
    m_bytes.insert(m_bytes.end(), p, p + n);
}

bool CArchive::Take(void* out, size_t n)
{
    if (m_bFailed || n > m_bytes.size() - m_nPos)
    {
        m_bFailed = true;
        return false;
    }
    std::memcpy(out, m_bytes.data() + m_nPos, n);
    m_nPos += n;
    return true;
}

CArchive& CArchive::operator<<(uint32_t value)
{
    unsigned char b[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                          static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    Put(b, 4);
    return *this;
}

CArchive& CArchive::operator<<(const std::string& text)
{
    const size_t n = text.size();
    if (n < 0xFF)
    {
        unsigned char count = static_cast<unsigned char>(n);
        Put(&count, 1);
    }
    else if (n < 0xFFFE)
    {
        unsigned char head[3] = {0xFF, static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8)};
        Put(head, 3);
    }
    else
    {
        unsigned char head[3] = {0xFF, 0xFF, 0xFF};
        Put(head, 3);
        *this << static_cast<uint32_t>(n);
    }
    Put(text.data(), n);
    return *this;
}

CArchive& CArchive::operator>>(uint32_t& value)
{
    unsigned char b[4];
    if (Take(b, 4))
        value = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return *this;
}

CArchive& CArchive::operator>>(int32_t& value)
{
    uint32_t raw = 0;
    *this >> raw;
    if (!m_bFailed)
        value = static_cast<int32_t>(raw);
    return *this;
}

CArchive& CArchive::operator>>(std::string& text)
{
    unsigned char count = 0;
    if (!Take(&count, 1))
        return *this;
    uint64_t n = count;
    if (count == 0xFF)
    {
        unsigned char w[2];
        if (!Take(w, 2))
            return *this;
        n = w[0] | (w[1] << 8);
        if (n == 0xFFFF)
        {
            uint32_t n32 = 0;
            *this >> n32;
            if (m_bFailed)
                return *this;
            n = n32;
        }
    }
    // A count longer than the rest of the data is a broken file: nothing is allocated for it.
    if (n > m_bytes.size() - m_nPos)
    {
        m_bFailed = true;
        return *this;
    }
    text.assign(reinterpret_cast<const char*>(m_bytes.data() + m_nPos), static_cast<size_t>(n));
    m_nPos += static_cast<size_t>(n);
    return *this;
}
