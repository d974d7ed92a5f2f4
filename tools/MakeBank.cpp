// orvane-makebank: writes synthetic soundbanks that look like real ones, for the examples and
// for trying the program: a sequence of chunks from offset 0 with the priority and mapping
// chunks, opaque parameter chunks and sample chunks holding short sine waves.
#include "support/BankBuilder.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
// A sample chunk: n 16-bit samples of a sine wave at the given pitch.
std::vector<unsigned char> SineSamples(size_t n, double cycles)
{
    std::vector<unsigned char> data;
    data.reserve(n * 2);
    CByteBuffer out(data);
    for (size_t i = 0; i < n; ++i)
    {
        double t = static_cast<double>(i) / static_cast<double>(n);
        auto v = static_cast<int16_t>(12000.0 * std::sin(2.0 * M_PI * cycles * t) * (1.0 - t));
        out.Put16(static_cast<uint16_t>(v));
    }
    return data;
}

// An opaque parameter record of the kind banks carry for each voice.
std::vector<unsigned char> Parameters(size_t index)
{
    std::vector<unsigned char> data(32);
    for (size_t k = 0; k < data.size(); ++k)
        data[k] = static_cast<unsigned char>((index * 7 + k * 13) & 0x7F);
    return data;
}

void AddVoices(CBankBuilder& bank, size_t count, size_t samplesPerVoice)
{
    for (size_t i = 0; i < count; ++i)
    {
        bank.Chunk("PARM", Parameters(i));
        bank.Chunk("SMPL", SineSamples(samplesPerVoice, 3.0 + static_cast<double>(i % 12)));
    }
}

// General MIDI programs a small demo bank would cover, with a variation or two.
std::vector<BankEntry> DemoInstruments()
{
    const struct
    {
        uint16_t program;
        uint8_t variation;
    } kList[] = {{0, 0},  {0, 1},  {1, 0},  {4, 0},  {6, 0},  {16, 0}, {19, 0}, {24, 0}, {25, 8}, {32, 0},
                 {33, 0}, {40, 0}, {48, 0}, {48, 1}, {52, 0}, {56, 0}, {65, 0}, {73, 0}, {81, 0}, {88, 0}};
    std::vector<BankEntry> list;
    for (const auto& e : kList)
    {
        BankEntry entry;
        entry.program = e.program;
        entry.variation = e.variation;
        list.push_back(entry);
    }
    return list;
}

int Usage(FILE* to)
{
    std::fprintf(to, "Usage: orvane-makebank demo|converted|large [COUNT] OUTPUT\n"
                     "  demo       a bank of 20 instruments and 2 drum sets named \"Concert\"\n"
                     "  converted  a bank converted from TTS (TTMA in front of TTPR/TTIM)\n"
                     "  large N    a bank of N instruments (default 300) and 4 drum sets\n");
    return to == stdout ? 0 : 2;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")))
        return Usage(stdout);
    if (argc < 3)
        return Usage(stderr);
    std::string kind = argv[1];
    CBankBuilder bank;
    std::vector<BankEntry> drums(2);
    drums[1].program = 16;

    if (kind == "demo" && argc == 3)
    {
        bank.Prio("Concert", 64).Imap(DemoInstruments(), drums);
        AddVoices(bank, 22, 1024);
    }
    else if (kind == "converted" && argc == 3)
    {
        bank.Chunk("HEAD", Parameters(99)).Ttma(600).Prio("TTSConv", 10, "TTPR");
        bank.Imap(CBankBuilder::Entries(12), {drums[0]}, "TTIM");
        AddVoices(bank, 13, 512);
    }
    else if (kind == "large" && (argc == 3 || argc == 4))
    {
        size_t count = argc == 4 ? std::strtoul(argv[2], nullptr, 10) : 300;
        std::vector<BankEntry> many = CBankBuilder::Entries(4, 0);
        for (size_t k = 0; k < many.size(); ++k)
            many[k].program = static_cast<uint16_t>(k * 8);
        bank.Prio("Big Bank", 100).Imap(CBankBuilder::Entries(count), many);
        AddVoices(bank, count, 256);
    }
    else
        return Usage(stderr);

    if (!bank.WriteTo(argv[argc - 1]))
    {
        std::fprintf(stderr, "orvane-makebank: cannot write %s\n", argv[argc - 1]);
        return 1;
    }
    return 0;
}
