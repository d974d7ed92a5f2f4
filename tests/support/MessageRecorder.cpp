// Recording message sink for tests.
#include "support/MessageRecorder.h"

CMessageRecorder::CMessageRecorder(int answer) : m_nAnswer(answer), m_scope(MessageSinkSlot(), this) {}

CMessageRecorder::~CMessageRecorder() = default;

int CMessageRecorder::Show(const std::string& text, const std::string& caption, unsigned style)
{
    m_messages.push_back({text, caption, style, ""});
    return (style & 0x0F) == MsgYesNo ? m_nAnswer : AnswerOk;
}

std::vector<std::string> CMessageRecorder::Texts() const
{
    std::vector<std::string> texts;
    for (const auto& m : m_messages)
        texts.push_back(m.text);
    return texts;
}

int CMessageRecorder::ShowDetail(const std::string& text, const std::string& caption, unsigned style,
                                 const std::string& detail)
{
    m_messages.push_back({text, caption, style, detail});
    return (style & 0x0F) == MsgYesNo ? m_nAnswer : AnswerOk;
}
