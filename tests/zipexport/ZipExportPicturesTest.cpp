// The archived page shows its pictures from the archive: the logo and the background image the
// page names by full path on this machine go into the archive, and its page names them plainly.
#include "zipexport/ZipExport.h"

#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "zipexport/ZipReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using ::testing::HasSubstr;
using ::testing::Not;

namespace fs = std::filesystem;

namespace
{
std::string Text(const ZipEntry& entry)
{
    return std::string(entry.bytes.begin(), entry.bytes.end());
}

class ZipExportPicturesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* dir : {"program", "work", "banks", "pictures"})
            fs::create_directory(m_dir / dir);
        WriteFileBytes(m_dir / "program" / "orvane-logo.png", {0x89, 'P', 'N', 'G'});
        WriteFileBytes(m_dir / "pictures" / "back.jpg", {'J', 'P', 'G'});
        m_page = "<body BACKGROUND=\"" + (m_dir / "pictures" / "back.jpg").string() + "\">\n<img src=\"" +
                 (m_dir / "program" / "orvane-logo.png").string() + "\">\n</body>\n";
        WriteFileText(m_dir / "work" / "midimap.html", m_page);
    }

    std::vector<ZipEntry> Export(const std::string& bankName)
    {
        const fs::path bank = m_dir / "banks" / bankName;
        WriteFileBytes(bank, {'F', 'O', 'R', 'M'});
        EXPECT_EQ(1,
                  ExportBankToZip(bank, m_dir / "work" / "midimap.html", m_dir / "out.zip", ZipArchiveMode::Replace));
        std::string error;
        auto entries = ReadZipEntries((m_dir / "out.zip").string(), error);
        EXPECT_EQ("", error);
        return entries;
    }

    CTempDir m_dir;
    std::string m_page;
};

TEST_F(ZipExportPicturesTest, ArchiveHoldsThePicturesAndItsPageNamesThemPlainly)
{
    CMessageRecorder recorder;
    const auto entries = Export("piano.94b");
    ASSERT_EQ(4u, entries.size());
    EXPECT_EQ("midimap.html", entries[0].name);
    EXPECT_EQ("<body BACKGROUND=\"back.jpg\">\n<img src=\"orvane-logo.png\">\n</body>\n", Text(entries[0]));
    EXPECT_EQ("piano.94b", entries[1].name);
    EXPECT_EQ("back.jpg", entries[2].name);
    EXPECT_EQ("JPG", Text(entries[2]));
    EXPECT_EQ("orvane-logo.png", entries[3].name);
    EXPECT_EQ("\x89PNG", Text(entries[3]));
    // The page on show keeps its full paths, and nothing is left beside it.
    EXPECT_EQ(m_page, ReadFileText(m_dir / "work" / "midimap.html"));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(m_dir / "work"), {}));
    EXPECT_TRUE(recorder.m_messages.empty());
}

TEST_F(ZipExportPicturesTest, PictureNamedLikeTheBankGetsANameOfItsOwn)
{
    CMessageRecorder recorder;
    const auto entries = Export("back.jpg");
    ASSERT_EQ(4u, entries.size());
    EXPECT_EQ("back.jpg", entries[1].name);
    EXPECT_EQ("FORM", Text(entries[1]));
    EXPECT_EQ("back-2.jpg", entries[2].name);
    EXPECT_EQ("JPG", Text(entries[2]));
    EXPECT_THAT(Text(entries[0]), HasSubstr("BACKGROUND=\"back-2.jpg\""));
    EXPECT_THAT(Text(entries[0]), Not(HasSubstr(m_dir.Path().string())));
}
} // namespace
