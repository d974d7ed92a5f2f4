// The one little-endian codec of the program: 16- and 32-bit values of bank, settings and
// archive files. CByteBuffer walks a buffer for getting and putting; an access past its end
// reads as zero, writes nothing and clears the ok flag for good, so a caller checks once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

inline uint16_t GetLe16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t GetLe32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

inline void PutLe16(unsigned char* p, uint16_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

inline void PutLe32(unsigned char* p, uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        p[k] = static_cast<unsigned char>(v >> (8 * k));
}

class CByteBuffer
{
public:
    // Gets from size bytes at data.
    CByteBuffer(const unsigned char* data, size_t size) : m_pRead(data), m_nSize(size) {}
    // Gets from and puts into size bytes at data, in place.
    CByteBuffer(unsigned char* data, size_t size) : m_pRead(data), m_pWrite(data), m_nSize(size) {}
    // Puts by appending to bytes; gets read what is there.
    explicit CByteBuffer(std::vector<unsigned char>& bytes) : m_pGrow(&bytes), m_nSize(bytes.size()) {}

    bool Ok() const { return m_bOk; }
    size_t Offset() const { return m_nOffset; }
    size_t Left() const { return Size() - m_nOffset; }
    size_t Size() const { return m_pGrow ? m_pGrow->size() : m_nSize; }
    // Moves the cursor; a place past the end fails.
    bool Seek(size_t offset)
    {
        if (offset > Size())
            return m_bOk = false;
        m_nOffset = offset;
        return true;
    }

    uint8_t Get8()
    {
        const unsigned char* p = Take(1);
        return p ? p[0] : 0;
    }
    uint16_t Get16()
    {
        const unsigned char* p = Take(2);
        return p ? GetLe16(p) : 0;
    }
    uint32_t Get32()
    {
        const unsigned char* p = Take(4);
        return p ? GetLe32(p) : 0;
    }
    // The next n bytes, or nullptr (and not ok) when fewer are left.
    const unsigned char* Take(size_t n)
    {
        if (!m_bOk || n > Left())
        {
            m_bOk = false;
            return nullptr;
        }
        const unsigned char* p = (m_pGrow ? m_pGrow->data() : m_pRead) + m_nOffset;
        m_nOffset += n;
        return p;
    }

    void Put8(uint8_t v) { PutBytes(&v, 1); }
    void Put16(uint16_t v)
    {
        unsigned char b[2];
        PutLe16(b, v);
        PutBytes(b, 2);
    }
    void Put32(uint32_t v)
    {
        unsigned char b[4];
        PutLe32(b, v);
        PutBytes(b, 4);
    }
    void PutBytes(const void* data, size_t n)
    {
        if (!m_bOk || n == 0)
            return;
        if (m_pGrow)
        {
            // Puts overwrite from the cursor and extend the vector past its end.
            if (m_nOffset + n > m_pGrow->size())
                m_pGrow->resize(m_nOffset + n);
            std::memcpy(m_pGrow->data() + m_nOffset, data, n);
        }
        else if (!m_pWrite || n > Left())
        {
            m_bOk = false;
            return;
        }
        else
            std::memcpy(m_pWrite + m_nOffset, data, n);
        m_nOffset += n;
    }

private:
    const unsigned char* m_pRead = nullptr;
    unsigned char* m_pWrite = nullptr;
    std::vector<unsigned char>* m_pGrow = nullptr;
    size_t m_nSize = 0;
    size_t m_nOffset = 0;
    bool m_bOk = true;
};
