// The reporting layer: every message box of the program goes through AppMessageBox.
// The desktop program installs a sink that shows real message boxes; the command-line
// tool installs one that prints; tests install a recorder.
#pragma once

#include "base/Slot.h"

#include <string>

// Styles, with the values the program's message boxes have always used.
enum MsgStyle : unsigned
{
    MsgOk = 0,
    MsgYesNo = 4,
    MsgIconStop = 16,
    MsgIconQuestion = 32,
    MsgIconExclamation = 48,
    MsgStop = MsgOk | MsgIconStop,              // failures
    MsgQuestion = MsgYesNo | MsgIconQuestion,   // Yes/No questions
    MsgExclamation = MsgOk | MsgIconExclamation // value warnings
};

// Answers.
enum MsgAnswer : int
{
    AnswerOk = 1,
    AnswerYes = 6,
    AnswerNo = 7
};

class IMessageSink
{
public:
    virtual ~IMessageSink() = default;
    // Shows one message and returns the answer. An empty caption means the system's default caption.
    virtual int Show(const std::string& text, const std::string& caption, unsigned style) = 0;
    // The same with a detail (which file, and why) shown below the message; sinks that have no
    // place for it show the message alone.
    virtual int ShowDetail(const std::string& text, const std::string& caption, unsigned style,
                           const std::string& detail)
    {
        (void)detail;
        return Show(text, caption, style);
    }
};

// Where messages go. Its built-in sink writes "Orvane: <text>" to standard error and answers
// No to questions.
CSlot<IMessageSink>& MessageSinkSlot();

// Shows the text of a string id with the caption "Orvane".
int AppMessageBox(unsigned textId, unsigned style);
// Shows the text of a string id with the system's default caption, for a message that has no
// caption of its own.
int AppMessageBoxUncaptioned(unsigned textId, unsigned style);
// The same with a detail line, "PATH: REASON"; an empty detail shows the message alone.
int AppMessageBoxDetail(unsigned textId, unsigned style, const std::string& detail);
// Shows a ready-made text; caption nullptr means "Orvane", "" the system's default caption.
int AppMessageBoxText(const std::string& text, unsigned style, const char* caption = nullptr);

