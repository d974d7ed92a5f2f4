// Entry point of the window tests: starts wx without a main loop, turns wx asserts into test
// failures, runs every test and removes the program's page directory as the program does.
// Banks the tests change are journaled in a temporary directory, never the user's.
#include "app/ShellPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <wx/app.h>
#include <wx/config.h>
#include <wx/init.h>

namespace
{
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str(), line) << "wx assert in " << func.utf8_str() << ": " << cond.utf8_str() << " "
                                          << msg.utf8_str();
}
} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    CTempDir state;
    ::setenv("XDG_STATE_HOME", state.Path().c_str(), 1);
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv))
        return 1;
    wxSetAssertHandler(FailOnAssert);
    // No configuration is made behind a test's back: one made on demand would keep the path of
    // the test that happened to ask first, long after that test's directory is gone.
    wxConfigBase::DontCreateOnDemand();
    int nResult = RUN_ALL_TESTS();
    RemoveTempDirectory();
    wxEntryCleanup();
    return nResult;
}
