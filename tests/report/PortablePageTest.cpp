// A copy of the page that travels: the pictures it shows by full path are named relatively and
// go beside the saved page, without replacing a user's file of the same name.
#include "report/PortablePage.h"

#include "support/FaultFileSystem.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

using ::testing::HasSubstr;
using ::testing::Not;

namespace fs = std::filesystem;

namespace
{
const std::vector<unsigned char> kLogo = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 1, 2, 3};

class PortablePageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* dir : {"program", "work", "saved", "pictures"})
            fs::create_directory(m_dir / dir);
        WriteFileBytes(Logo(), kLogo);
        WriteFileBytes(m_dir / "pictures" / "back #1.jpg", {'J', 'P', 'G'});
        WriteFileText(Page(), "<html>\n<body TEXT=\"#000000\" BACKGROUND=\"file://" + (m_dir / "pictures").string() +
                                  "/back%20%231.jpg\">\n<img src=\"" + Logo().string() +
                                  "\" alt=\"Orvane\">\n<tr><td align=center>5</td></tr>\n</html>\n");
    }

    fs::path Logo() const { return m_dir / "program" / "orvane-logo.png"; }
    fs::path Page() const { return m_dir / "work" / "midimap.html"; }
    fs::path Saved() const { return m_dir / "saved" / "piano.htm"; }

    std::map<std::string, std::vector<unsigned char>> SavedFolder() const
    {
        std::map<std::string, std::vector<unsigned char>> files;
        for (const auto& entry : fs::directory_iterator(m_dir / "saved"))
            files[entry.path().filename().string()] = ReadFileBytes(entry.path());
        return files;
    }

    CTempDir m_dir;
};

TEST_F(PortablePageTest, LocalPicturesAreNamedPlainlyAndOtherReferencesStay)
{
    CPortablePage page(GetFileSystem(), [](const std::string& name, const fs::path&) { return name != "taken.png"; });
    std::string line = "<img src='" + Logo().string() + "'> <IMG SRC=" + Logo().string() + " width=4>";
    page.RewriteLine(line);
    EXPECT_EQ("<img src='orvane-logo.png'> <IMG SRC=orvane-logo.png width=4>", line);

    // A relative name, a web address, a missing file, a folder and another attribute stay as they are.
    const std::string untouched =
        "<img src=\"logo.png\"> <img src=\"http://example.org/a.png?x= src=" + Logo().string() + "\"> <img src=\"" +
        (m_dir / "none.png").string() + "\"> <img src=\"" + m_dir.Path().string() + "\"> <x datasrc=\"" +
        Logo().string() + "\">";
    line = untouched;
    page.RewriteLine(line);
    EXPECT_EQ(untouched, line);

    // Escaped paths, file: URLs and a name taken where the copy goes.
    fs::create_directory(m_dir / "a&b");
    WriteFileBytes(m_dir / "a&b" / "taken.png", {1});
    line = "<body background=\"" + (m_dir / "a&amp;b" / "taken.png").string() + "\">";
    page.RewriteLine(line);
    EXPECT_EQ("<body background=\"taken-2.png\">", line);
    ASSERT_EQ(2u, page.Pictures().size());
    EXPECT_EQ(Logo(), page.Pictures()[0].source);
    EXPECT_EQ(m_dir / "a&b" / "taken.png", page.Pictures()[1].source);
}

TEST_F(PortablePageTest, SavedPageShowsItsPicturesFromBesideIt)
{
    std::string detail;
    ASSERT_EQ(SaveDone, SavePortablePage(GetFileSystem(), Page(), Saved(), detail)) << detail;
    const std::string saved = ReadFileText(Saved());
    EXPECT_THAT(saved, HasSubstr("<img src=\"orvane-logo.png\" alt=\"Orvane\">"));
    EXPECT_THAT(saved, HasSubstr("BACKGROUND=\"back__1.jpg\">"));
    EXPECT_THAT(saved, Not(HasSubstr(m_dir.Path().string())));
    EXPECT_THAT(saved, HasSubstr("<tr><td align=center>5</td></tr>\n</html>\n"));
    EXPECT_EQ(kLogo, ReadFileBytes(m_dir / "saved" / "orvane-logo.png"));
    EXPECT_EQ(3u, SavedFolder().size());
    // The page on show is left as it was.
    EXPECT_THAT(ReadFileText(Page()), HasSubstr(Logo().string()));

    // Saved again: the pictures already there are used, nothing is added.
    ASSERT_EQ(SaveDone, SavePortablePage(GetFileSystem(), Page(), Saved(), detail));
    EXPECT_EQ(3u, SavedFolder().size());
    EXPECT_EQ(saved, ReadFileText(Saved()));
}

TEST_F(PortablePageTest, UsersOwnFileOfThePicturesNameIsKept)
{
    WriteFileText(m_dir / "saved" / "orvane-logo.png", "my own picture");
    std::string detail;
    ASSERT_EQ(SaveDone, SavePortablePage(GetFileSystem(), Page(), Saved(), detail));
    EXPECT_EQ("my own picture", ReadFileText(m_dir / "saved" / "orvane-logo.png"));
    EXPECT_EQ(kLogo, ReadFileBytes(m_dir / "saved" / "orvane-logo-2.png"));
    EXPECT_THAT(ReadFileText(Saved()), HasSubstr("src=\"orvane-logo-2.png\""));

    // A page saved under the picture's own name does not take the picture's place either.
    const fs::path asLogo = m_dir / "saved" / "orvane-logo-3.png";
    ASSERT_EQ(SaveDone, SavePortablePage(GetFileSystem(), Page(), asLogo, detail));
    EXPECT_THAT(ReadFileText(asLogo), HasSubstr("src=\"orvane-logo-2.png\""));
}

// Whichever single file operation fails, the save either completes with every picture beside the
// page, or reports and leaves the folder as it was.
TEST_F(PortablePageTest, AnyFailingStepLeavesTheFolderAsItWasOrTheSaveComplete)
{
    WriteFileText(Saved(), "older page");
    const auto before = SavedFolder();
    int failures = 0;
    for (int n = 1; n < 200; ++n)
    {
        std::string detail;
        PORTABLESAVE result;
        bool failed;
        {
            CFaultFileSystem fault(n);
            result = SavePortablePage(GetFileSystem(), Page(), Saved(), detail);
            failed = fault.Failed();
        }
        if (!failed)
        {
            EXPECT_EQ(SaveDone, result);
            break;
        }
        if (result == SaveDone)
        {
            const std::string saved = ReadFileText(Saved());
            for (const auto& [name, bytes] : SavedFolder())
            {
                if (name != "piano.htm")
                {
                    EXPECT_THAT(saved, HasSubstr("\"" + name + "\"")) << "step " << n;
                }
            }
        }
        else
        {
            ++failures;
            EXPECT_FALSE(detail.empty()) << "step " << n;
            EXPECT_EQ(before, SavedFolder()) << "step " << n;
        }
        for (const auto& entry : fs::directory_iterator(m_dir / "saved"))
            if (!before.count(entry.path().filename().string()))
                fs::remove(entry.path());
        WriteFileText(Saved(), "older page");
    }
    EXPECT_GT(failures, 5);
}
} // namespace
