// The Bank Inspector command from the main window: Ctrl+I opens the dialog on the open bank, and
// after a changed program number and OK the mapping page shows the new number.
#include "support/gui/InspectorTyping.h"
#include "support/gui/ShellFixture.h"

#include <gtest/gtest.h>


namespace
{
class InspectorCommandGuiTest : public CShellFixture
{
};
} // namespace

TEST_F(InspectorCommandGuiTest, CtrlIOpensTheInspectorAndOkChangesTheMappingPage)
{
    StartShell(MakeBank("demo.94b"));
    m_frame->Raise();
    PumpEvents();
    const std::string before = ReadFileText(Doc()->m_report.m_strOutputPath);
    ASSERT_EQ(std::string::npos, before.find(">99<"));

    // Typed as a user types: a click on the first program, "99" a key at a time, then OK.
    ASSERT_TRUE(TypeFirstProgramInInspector("99")) << "Ctrl+I did not open the inspector";
    EXPECT_NE(std::string::npos, ReadFileText(Doc()->m_report.m_strOutputPath).find(">99<"));
}
