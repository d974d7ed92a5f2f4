// A message sink for tests: records every message and answers with a preset reply.
#pragma once

#include "res/MessageBox.h"

#include <string>
#include <vector>

struct RecordedMessage
{
    std::string text;
    std::string caption;
    unsigned style;
    std::string detail;
};

class CMessageRecorder : public IMessageSink
{
public:
    // Installs itself for its lifetime.
    explicit CMessageRecorder(int answer = AnswerNo);
    ~CMessageRecorder() override;

    int Show(const std::string& text, const std::string& caption, unsigned style) override;
    int ShowDetail(const std::string& text, const std::string& caption, unsigned style,
                   const std::string& detail) override;

    std::vector<RecordedMessage> m_messages;
    int m_nAnswer;

    // Texts only, in order.
    std::vector<std::string> Texts() const;

private:
    CSlot<IMessageSink>::CScope m_scope;
};
