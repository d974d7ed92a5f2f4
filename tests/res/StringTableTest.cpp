// The string table and the reporting layer.
#include "res/MessageBox.h"
#include "res/ProgramDirectory.h"
#include "res/StringTable.h"
#include "res/Translation.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

TEST(StringTableTest, KnownIdsUnknownIdsAndPrompts)
{
    EXPECT_STREQ("Orvane", LoadStringId(AFX_IDS_APP_TITLE));
    EXPECT_STREQ("Unable to find PRIO chunk !", LoadStringId(61455));
    EXPECT_NE(std::string(LoadStringId(IDS_TTSQUESTION)).find("are  not able"), std::string::npos);
    EXPECT_STREQ("", LoadStringId(1));
    EXPECT_EQ("Display the options dialog box", GetPromptText(ID_OPTIONS));
    EXPECT_EQ("Options", GetToolTipText(ID_OPTIONS));
    EXPECT_EQ("", GetToolTipText(AFX_IDS_IDLEMESSAGE));
    // Arguments fill the "%s" in order; a "%s" inside an argument stays as it is.
    EXPECT_EQ("Could not copy the soundbank a%s to b:\nc", FormatStringId(IDS_ZIP_COPYFAILED, {"a%s", "b", "c"}));
    EXPECT_EQ("Could not load libzip.so.5", FormatStringId(IDS_ZIP_CANTLOAD, {"libzip.so.5", "extra"}));
}

TEST(MessageBoxTest, SinkGetsTextCaptionAndStyle)
{
    CMessageRecorder recorder(AnswerYes);
    EXPECT_EQ(AnswerYes, AppMessageBox(IDS_TTSQUESTION, MsgQuestion));
    EXPECT_EQ(AnswerOk, AppMessageBoxText("Value is out of range !", MsgExclamation, ""));
    ASSERT_EQ(2u, recorder.m_messages.size());
    EXPECT_EQ("Orvane", recorder.m_messages[0].caption);
    EXPECT_EQ(36u, recorder.m_messages[0].style);
    EXPECT_EQ("", recorder.m_messages[1].caption);
    EXPECT_EQ(48u, recorder.m_messages[1].style);
}

TEST(MessageBoxTest, ScopedSinksNestAndTheDefaultAnswersNo)
{
    IMessageSink* before = &MessageSinkSlot().Get();
    {
        CMessageRecorder outer;
        {
            CMessageRecorder inner;
            AppMessageBox(IDS_CANTOPENFILE, MsgStop);
            EXPECT_EQ(1u, inner.m_messages.size());
        }
        EXPECT_EQ(&outer, &MessageSinkSlot().Get());
        EXPECT_TRUE(outer.m_messages.empty());
    }
    EXPECT_EQ(before, &MessageSinkSlot().Get());
    testing::internal::CaptureStderr();
    EXPECT_EQ(AnswerNo, AppMessageBox(IDS_TTSQUESTION, MsgQuestion));
    EXPECT_EQ(0u, testing::internal::GetCapturedStderr().rfind("Orvane: This soundbank", 0));
}

TEST(ProgramDirectoryTest, EndsInSlashAndHoldsTheRunningProgram)
{
    std::string dir = GetProgramDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ('/', dir.back());
    EXPECT_EQ('/', dir.front());
}

TEST(TranslationTest, TheEnvironmentChoosesFrenchAndAnInstalledTranslatorTranslatesTheTable)
{
    EXPECT_EQ("fr", InterfaceLanguage(nullptr, nullptr, "fr_FR.UTF-8"));
    EXPECT_EQ("fr", InterfaceLanguage("fr_CA", "en_US", "en_US"));
    EXPECT_EQ("en", InterfaceLanguage("", "C", "fr_FR")); // LC_MESSAGES counts before LANG
    EXPECT_EQ("en", InterfaceLanguage(nullptr, nullptr, nullptr));

    class CShout : public ITranslator
    {
    public:
        const char* Translate(const char* english) override
        {
            return std::string(english) == "Unable to open file !" ? "Impossible d'ouvrir le fichier !" : english;
        }
    } shout;
    EXPECT_EQ("Unable to open file !", GetString(IDS_CANTOPENFILE));
    {
        CSlot<ITranslator>::CScope use(TranslatorSlot(), &shout);
        EXPECT_EQ("Impossible d'ouvrir le fichier !", GetString(IDS_CANTOPENFILE));
        EXPECT_EQ("Qzr.mas", GetString(IDS_TEMPLATEFILE));
    }
    EXPECT_EQ("Unable to open file !", GetString(IDS_CANTOPENFILE));
}
