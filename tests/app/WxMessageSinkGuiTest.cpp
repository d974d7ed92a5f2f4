// The desktop program's message boxes: owned by the main window wherever the focus is, with the
// detail of a message shown below its text.
#include "support/gui/ExpectDialog.h"
#include "support/gui/ShellFixture.h"

#include "res/MessageBox.h"
#include "res/StringTable.h"

#include <wx/frame.h>

namespace
{
class WxMessageSinkGuiTest : public CShellFixture
{
};

ExpectDialog<wxMessageDialog> ExpectOwnedMessage(wxWindow* owner, const std::string& text, const std::string& detail)
{
    return ExpectDialog<wxMessageDialog>([owner, text, detail](wxMessageDialog* dlg) {
        EXPECT_EQ(dlg->GetParent(), owner);
        EXPECT_EQ(dlg->GetMessage().utf8_string(), text);
        EXPECT_EQ(dlg->GetExtendedMessage().utf8_string(), detail);
        EXPECT_EQ(dlg->GetTitle(), "Orvane");
        EXPECT_EQ(dlg->GetMessageDialogStyle() & wxICON_MASK, wxICON_ERROR);
        return wxID_OK;
    });
}

TEST_F(WxMessageSinkGuiTest, MessagesAreOwnedByTheMainFrameAndShowTheirDetail)
{
    StartShell();
    m_frame->Raise();
    PumpEvents();
    wxTEST_DIALOG(EXPECT_EQ(AppMessageBoxDetail(IDS_CANTOPENFILE, MsgStop, "/banks/a.94b: No such file"), AnswerOk),
                  ExpectOwnedMessage(m_frame, GetString(IDS_CANTOPENFILE), "/banks/a.94b: No such file"));
    wxTEST_DIALOG(AppMessageBox(IDS_CANTOPENFILE, MsgStop), ExpectOwnedMessage(m_frame, GetString(IDS_CANTOPENFILE), ""));

    // Another top-level window with the focus does not take the message.
    auto* other = new wxFrame(nullptr, wxID_ANY, "Other");
    other->Show();
    other->Raise();
    other->SetFocus();
    PumpEvents();
    wxTEST_DIALOG(AppMessageBox(IDS_CANTOPENFILE, MsgStop), ExpectOwnedMessage(m_frame, GetString(IDS_CANTOPENFILE), ""));
    other->Destroy();
    PumpEvents();
}
} // namespace
