// The settings file: archive layout byte for byte, the three counted-string forms, broken files.
#include "app/Archive.h"
#include "app/Settings.h"
#include "support/FaultFileSystem.h"
#include "support/TempDir.h"

#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using Bytes = std::vector<unsigned char>;

TEST(SettingsTest, FirstSaveWritesTheDefaultsIn17Bytes)
{
    CTempDir dir;
    CSettings settings;
    EXPECT_EQ(0, settings.Load(dir / "qzr.opt"));
    EXPECT_EQ((dir / "qzr.opt").string(), settings.m_strFileName);
    // The document's defaults are copied in before the first save: black on white.
    settings.m_crBackColor = 0xFFFFFF;
    ASSERT_EQ(1, settings.Save());
    EXPECT_EQ((Bytes{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
              ReadFileBytes(dir / "qzr.opt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "qzr.opt.new"));
}

TEST(SettingsTest, SwitchesAndLongImagePathRoundTrip)
{
    CTempDir dir;
    CSettings settings;
    settings.m_crTextColor = 0x00336699;
    settings.m_crBackColor = 0x00ABCDEF;
    settings.m_strBackImage = std::string(300, 'i');
    settings.m_bKeepBackup = 1;
    settings.m_bAutoRemoveTtma = 1;
    ASSERT_EQ(1, settings.Save(dir / "qzr.opt"));
    Bytes bytes = ReadFileBytes(dir / "qzr.opt");
    ASSERT_EQ(8u + 3 + 300 + 8, bytes.size());
    EXPECT_EQ((Bytes{0xFF, 0x2C, 0x01}), Bytes(bytes.begin() + 8, bytes.begin() + 11));
    EXPECT_EQ((Bytes{1, 0, 0, 0, 1, 0, 0, 0}), Bytes(bytes.end() - 8, bytes.end()));

    CSettings loaded;
    ASSERT_EQ(1, loaded.Load(dir / "qzr.opt"));
    EXPECT_EQ(0x00336699u, loaded.m_crTextColor);
    EXPECT_EQ(0x00ABCDEFu, loaded.m_crBackColor);
    EXPECT_EQ(settings.m_strBackImage, loaded.m_strBackImage);
    EXPECT_EQ(1, loaded.m_bKeepBackup);
    EXPECT_EQ(1, loaded.m_bAutoRemoveTtma);
}

TEST(SettingsTest, ArchiveCountedStringForms)
{
    for (size_t n : {size_t(0), size_t(254), size_t(255), size_t(65533), size_t(65534), size_t(70000)})
    {
        CArchive out;
        out << std::string(n, 'x');
        const Bytes& bytes = out.Bytes();
        size_t head = n < 255 ? 1 : n < 65534 ? 3 : 7;
        ASSERT_EQ(head + n, bytes.size()) << n;
        if (head == 7)
        {
            EXPECT_EQ((Bytes{0xFF, 0xFF, 0xFF}), Bytes(bytes.begin(), bytes.begin() + 3));
        }
        CArchive in(bytes);
        std::string back;
        in >> back;
        EXPECT_TRUE(in.IsValid());
        EXPECT_EQ(n, back.size());
    }
    // The long form is accepted for short strings too.
    CArchive in(Bytes{0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 'o', 'k'});
    std::string text;
    in >> text;
    EXPECT_EQ("ok", text);
}

TEST(SettingsTest, TruncatedOrCorruptFilesCountAsMissing)
{
    CTempDir dir;
    CSettings good;
    good.m_strBackImage = "/pictures/back.png";
    good.m_bKeepBackup = 1;
    ASSERT_EQ(1, good.Save(dir / "good.opt"));
    Bytes bytes = ReadFileBytes(dir / "good.opt");

    std::vector<Bytes> broken;
    for (size_t cut = 0; cut < bytes.size(); ++cut)
        broken.emplace_back(bytes.begin(), bytes.begin() + static_cast<long>(cut));
    broken.push_back({0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF}); // 4 GiB string
    broken.push_back({0, 0, 0, 0, 0, 0, 0, 0, 200, 'a'});

    for (const Bytes& b : broken)
    {
        WriteFileBytes(dir / "qzr.opt", b);
        CSettings settings;
        settings.m_crTextColor = 0x123456;
        settings.m_strBackImage = "keep";
        EXPECT_EQ(0, settings.Load(dir / "qzr.opt")) << b.size();
        EXPECT_EQ(0x123456u, settings.m_crTextColor);
        EXPECT_EQ("keep", settings.m_strBackImage);
        EXPECT_EQ(0, settings.m_bKeepBackup);
    }
}

TEST(SettingsTest, FailedSaveLeavesTheOldFileAndSaysSo)
{
    CTempDir dir;
    CSettings settings;
    EXPECT_EQ(0, settings.Save(dir / "missing-dir" / "qzr.opt"));
    EXPECT_EQ(0, settings.Save(""));
    // A directory in the way of the file: the rename fails and the temporary file is removed.
    std::filesystem::create_directory(dir / "qzr.opt");
    std::filesystem::create_directory(dir / "qzr.opt" / "sub");
    EXPECT_EQ(0, settings.Save(dir / "qzr.opt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "qzr.opt.new"));
}

TEST(SettingsTest, EverySingleFailingOperationOfASaveKeepsTheOldFileWhole)
{
    CTempDir dir;
    const auto path = dir / "qzr.opt";
    CSettings old;
    old.m_strBackImage = "old image";
    ASSERT_EQ(1, old.Save(path));
    const Bytes before = ReadFileBytes(path);
    CSettings changed;
    changed.m_crTextColor = 0x112233;
    changed.m_strBackImage = std::string(70000, 'i'); // long enough for more than one write
    std::set<std::string> failed;
    for (int k = 1;; ++k)
    {
        CFaultFileSystem fs(k);
        int result = changed.Save(path);
        if (!fs.Failed())
        {
            EXPECT_EQ(1, result);
            break;
        }
        SCOPED_TRACE("operation " + std::to_string(k) + " (" + fs.FailedOperation() + ") fails");
        failed.insert(fs.FailedOperation());
        EXPECT_EQ(0, result);
        EXPECT_EQ(before, ReadFileBytes(path));
        EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
    }
    EXPECT_TRUE(failed.count("Create") && failed.count("WriteAt") && failed.count("Sync") && failed.count("Close") &&
                failed.count("Rename"));
    CSettings read;
    ASSERT_EQ(1, read.Load(path));
    EXPECT_EQ(changed.m_strBackImage, read.m_strBackImage);
}
