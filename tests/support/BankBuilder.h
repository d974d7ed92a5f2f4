// Builds soundbank files in memory, chunk by chunk, for tests, benchmarks and the example
// generator. Header-only so that tools can use it without the test framework.
#pragma once

#include "base/ByteCodec.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

struct BankEntry
{
    uint16_t program = 0;
    uint8_t variation = 0;
    uint8_t rest[3] = {0x11, 0x22, 0x33};
};

class CBankBuilder
{
public:
    // Any bytes, as they are.
    CBankBuilder& Raw(const std::vector<unsigned char>& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    CBankBuilder& Raw(const std::string& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // n pseudo-random bytes that never contain an identifier letter sequence by accident.
    CBankBuilder& Filler(size_t n, uint32_t seed = 1)
    {
        for (size_t i = 0; i < n; ++i)
        {
            seed = seed * 1664525u + 1013904223u;
            m_bytes.push_back(static_cast<unsigned char>(0x80 | (seed >> 24))); // never an ASCII letter
        }
        return *this;
    }
    CBankBuilder& U16(uint16_t v)
    {
        CByteBuffer out(m_bytes);
        out.Seek(m_bytes.size());
        out.Put16(v);
        return *this;
    }
    CBankBuilder& U32(uint32_t v)
    {
        CByteBuffer out(m_bytes);
        out.Seek(m_bytes.size());
        out.Put32(v);
        return *this;
    }
    // A chunk: identifier, 32-bit length, data.
    CBankBuilder& Chunk(const std::string& id, const std::vector<unsigned char>& data)
    {
        Raw(id.substr(0, 4));
        U32(static_cast<uint32_t>(data.size()));
        return Raw(data);
    }
    // The priority chunk: name as 8 bytes (cut or zero-padded) and the priority.
    CBankBuilder& Prio(const std::string& name, uint16_t priority, const std::string& id = "PRIO")
    {
        Raw(id);
        U32(10);
        std::string padded = name.substr(0, 8);
        padded.resize(8, '\0');
        Raw(padded);
        return U16(priority);
    }
    // The mapping chunk: both lists, each ended by FF FF.
    CBankBuilder& Imap(const std::vector<BankEntry>& instruments, const std::vector<BankEntry>& drumsets,
                       const std::string& id = "IMAP")
    {
        Raw(id);
        U32(static_cast<uint32_t>(6 * (instruments.size() + drumsets.size()) + 4));
        for (const auto* list : {&instruments, &drumsets})
        {
            for (const BankEntry& e : *list)
            {
                U16(e.program);
                m_bytes.push_back(e.variation);
                m_bytes.insert(m_bytes.end(), e.rest, e.rest + 3);
            }
            U16(0xFFFF);
        }
        return *this;
    }
    // A TTMA chunk of n opaque bytes.
    CBankBuilder& Ttma(size_t n, uint32_t seed = 7)
    {
        Raw("TTMA");
        U32(static_cast<uint32_t>(n));
        return Filler(n, seed);
    }

    size_t Size() const { return m_bytes.size(); }
    const std::vector<unsigned char>& Bytes() const { return m_bytes; }

    bool WriteTo(const std::filesystem::path& path) const
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(m_bytes.data()), static_cast<std::streamsize>(m_bytes.size()));
        return static_cast<bool>(out);
    }

    // A list of n entries with programs 0, 1, 2, ... and variations cycling through 0..3.
    static std::vector<BankEntry> Entries(size_t n, uint16_t firstProgram = 0)
    {
        std::vector<BankEntry> list(n);
        for (size_t i = 0; i < n; ++i)
        {
            list[i].program = static_cast<uint16_t>((firstProgram + i) % 128);
            list[i].variation = static_cast<uint8_t>(i % 4);
        }
        return list;
    }

private:
    std::vector<unsigned char> m_bytes;
};
