// The reporting layer's sink slot and its built-in console sink.
#include "res/MessageBox.h"

#include "res/StringTable.h"

#include <cstdio>

namespace
{
class CConsoleSink : public IMessageSink
{
public:
    int Show(const std::string& text, const std::string&, unsigned style) override
    {
        std::fprintf(stderr, "%s: %s\n", LoadStringId(AFX_IDS_APP_TITLE), text.c_str());
        return (style & 0x0F) == MsgYesNo ? AnswerNo : AnswerOk;
    }
    int ShowDetail(const std::string& text, const std::string& caption, unsigned style,
                   const std::string& detail) override
    {
        int answer = Show(text, caption, style);
        if (!detail.empty())
            std::fprintf(stderr, "%s: %s\n", LoadStringId(AFX_IDS_APP_TITLE), detail.c_str());
        return answer;
    }
};
} // namespace

CSlot<IMessageSink>& MessageSinkSlot()
{
    static CConsoleSink console;
    static CSlot<IMessageSink> slot(console);
    return slot;
}

int AppMessageBox(unsigned textId, unsigned style)
{
    return AppMessageBoxText(LoadStringId(textId), style);
}

int AppMessageBoxUncaptioned(unsigned textId, unsigned style)
{
    return MessageSinkSlot().Get().Show(LoadStringId(textId), "", style);
}

int AppMessageBoxDetail(unsigned textId, unsigned style, const std::string& detail)
{
    const std::string text = LoadStringId(textId);
    const std::string caption = LoadStringId(AFX_IDS_APP_TITLE);
    IMessageSink& sink = MessageSinkSlot().Get();
    return detail.empty() ? sink.Show(text, caption, style) : sink.ShowDetail(text, caption, style, detail);
}

int AppMessageBoxText(const std::string& text, unsigned style, const char* caption)
{
    std::string strCaption = caption ? caption : LoadStringId(AFX_IDS_APP_TITLE);
    return MessageSinkSlot().Get().Show(text, strCaption, style);
}
