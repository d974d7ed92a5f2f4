// Change summaries as shown: the English text the journal recorded, rebuilt from the fields it
// names, and the same fields in French through the French catalogue.
#include "journal/JournalFixture.h"
#include "res/Translation.h"

#include <fstream>
#include <map>

namespace
{
// The French catalogue's entries of one line each, as a translator.
class CPoTranslator : public ITranslator
{
public:
    CPoTranslator()
    {
        std::ifstream in(std::string(ORVANE_SOURCE_DIR) + "/res/po/fr.po");
        std::string line, id;
        while (std::getline(in, line))
        {
            if (line.rfind("msgid \"", 0) == 0)
                id = Unquote(line.substr(6));
            else if (line.rfind("msgstr \"", 0) == 0)
                m_texts[id] = Unquote(line.substr(7));
        }
    }
    const char* Translate(const char* english) override
    {
        auto it = m_texts.find(english);
        return it == m_texts.end() || it->second.empty() ? english : it->second.c_str();
    }

private:
    static std::string Unquote(const std::string& quoted)
    {
        std::string text;
        for (size_t i = 1; i + 1 < quoted.size(); ++i)
            if (quoted[i] == '\\' && i + 2 < quoted.size())
                text += quoted[++i] == 'n' ? '\n' : quoted[i];
            else
                text += quoted[i];
        return text;
    }
    std::map<std::string, std::string> m_texts;
};

JOURNALCHANGE WriteBack(const std::string& kind, const std::string& summary)
{
    JOURNALCHANGE change;
    change.strKind = kind;
    change.strSummary = summary;
    return change;
}
} // namespace

TEST(ChangeSummaryTest, EnglishIsTheRecordedTextAndFrenchTellsTheSameFields)
{
    const std::string arrow = " \u2192 ";
    JOURNALCHANGE repair = WriteBack("repair", "repair");
    repair.bRepair = true;
    const std::vector<std::pair<JOURNALCHANGE, std::string>> cases = {
        {WriteBack("set", "set: priority 64" + arrow + "50, 2 entries"), "set : priorité 64" + arrow + "50, 2 entrées"},
        {WriteBack("inspector", "inspector: name \"Old\"" + arrow + "\"New\", 1 entry"),
         "inspecteur : nom \"Old\"" + arrow + "\"New\", 1 entrée"},
        // Names holding the separators the summary uses.
        {WriteBack("set", "set: name \"a, 2 entries\"" + arrow + "\"b\"" + arrow + "\"\", priority 1" + arrow + "2"),
         "set : nom \"a, 2 entries\"" + arrow + "\"b\"" + arrow + "\"\", priorité 1" + arrow + "2"},
        {WriteBack("set", "set: 12 entries"), "set : 12 entrées"},
        {WriteBack("inspector", "inspector: no values changed"), "inspecteur : aucune valeur modifiée"},
        {repair, "la réparation"},
        // A text of another form is shown as recorded.
        {WriteBack("set", "set: something else"), "set: something else"},
        {WriteBack("set", "set: 1 entries"), "set: 1 entries"},
        {WriteBack("set", "set: 02 entries"), "set: 02 entries"},
        {WriteBack("set", "set: , priority 1" + arrow + "2"), "set: , priority 1" + arrow + "2"},
        {WriteBack("set", "set: name \"a\", 2 entries"), "set: name \"a\", 2 entries"},
        {WriteBack("inspector", "set: 2 entries"), "set: 2 entries"},
    };
    for (const auto& [change, french] : cases)
        EXPECT_EQ(change.strSummary, ChangeSummaryText(change));
    CPoTranslator po;
    CSlot<ITranslator>::CScope use(TranslatorSlot(), &po);
    for (const auto& [change, french] : cases)
        EXPECT_EQ(french, ChangeSummaryText(change));
}

class ChangeSummaryJournalTest : public JournalFixture
{
};

TEST_F(ChangeSummaryJournalTest, EveryWriteBackSummaryIsRebuiltFromItsFields)
{
    const auto path = MakeConverted("summary.94b", "PRIO", 12);
    std::mt19937 random(7);
    CJournalScope journal("inspector");
    for (int i = 0; i < 30; ++i)
        ASSERT_EQ(1, RandomWriteBack(path, random));
    JOURNALSTATUS status;
    ASSERT_TRUE(GetJournalStatus(path, status));
    ASSERT_EQ(30u, status.changes.size());
    for (const JOURNALCHANGE& change : status.changes)
    {
        CHANGEFIELDS fields;
        ASSERT_TRUE(ParseChangeFields(change.strSummary.substr(11), fields)) << change.strSummary;
        EXPECT_TRUE(fields.bPriority);
        EXPECT_EQ(change.strSummary, ChangeSummaryText(change));
    }
}
