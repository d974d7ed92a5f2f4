// The reporting layer's sink switch and its default, console sink.
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
};

CConsoleSink g_consoleSink;
IMessageSink* g_pSink = &g_consoleSink;
} // namespace

IMessageSink* SetMessageSink(IMessageSink* sink)
{
    IMessageSink* previous = g_pSink;
    g_pSink = sink ? sink : &g_consoleSink;
    return previous == &g_consoleSink ? nullptr : previous;
}

IMessageSink* GetMessageSink()
{
    return g_pSink;
}

int AppMessageBox(unsigned textId, unsigned style)
{
    return AppMessageBoxText(LoadStringId(textId), style);
}

int AppMessageBoxText(const std::string& text, unsigned style, const char* caption)
{
    std::string strCaption = caption ? caption : LoadStringId(AFX_IDS_APP_TITLE);
    return g_pSink->Show(text, strCaption, style);
}
