// End to end: the terms gate of the real Tallowfin.exe over a run of starts in one working
// folder: declined, unwritable, accepted over another version's line, then remembered.
#include "tests/e2e/profile_case.h"
#include "tests/support/shortcut_fixture.h"

namespace {

const char Disclaimer[] =
    "LEGAL DISCLAIMER: This software [Tallowfin v1.7.6.0] is supplied with no warranties given "
    "for any purpose whatsoever. This software is used at the users' own risk, and any and all "
    "companies or persons associated with the programming or supply of this software hereby "
    "exempt themseleves from any and all legal procescution resulting from the use of this "
    "software.\n\nClick 'Yes' to Accept these terms and continue with use of this software; "
    "Click 'No' to reject these terms and discontinue use of this software.";
const char FirstRunPrompt[] = "This is the first time you have run this version of this "
                              "application.\n\nCreate links/shortcuts to Tallowfin v1.7.6.0?";
const char OlderLine[] =
    "The Terms and Conditions and Disclaimer for 'Tallowfin v1.7.5.0' have been accepted.\r\n";

bool VersionStampWritten() {
    return RegGetValueA(HKEY_CURRENT_USER, SettingsKey, "V", RRF_RT_ANY, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
}

// Waits for the end; a main window seen on the way fails the check.
void ExpectEndWithoutMainWindow(TallowfinRun& run, DWORD expectedCode) {
    bool mainWindowSeen = false;
    WaitUntil([&] { return (mainWindowSeen |= run.FindMainWindow() != nullptr), !run.Running(); },
              StartBound);
    DWORD code = 99;
    ASSERT_TRUE(run.WaitForExit(1000, &code));
    EXPECT_EQ(expectedCode, code);
    EXPECT_FALSE(mainWindowSeen);
}

class TermsGate : public ProfileCase {};

TEST_F(TermsGate, AskedUntilAcceptedAndRememberedInTheWorkingFolder) {
    ASSERT_TRUE(
        profile_->AddShortcut(UserDesktop, "Notepad.lnk", ShortcutTo("C:\\windows\\notepad.exe")));
    ASSERT_TRUE(profile_->Point());
    // Not the program's folder, nor the driver's: the file belongs to the working folder.
    const std::string terms = Cwd() + "\\" + TermsFileName;
    DeleteFileA(BuildFile(TermsFileName).c_str());
    LaunchOptions firstTime = Launch();
    firstTime.termsAccepted = false;
    std::string content;
    {
        SCOPED_TRACE("no file, No on the disclaimer");
        TallowfinRun run;
        ASSERT_TRUE(run.Start(firstTime));
        ANSWER_BOX(run, Disclaimer, BoxIcon::Warning, nullptr, IDNO, "terms-disclaimer");
        ExpectEndWithoutMainWindow(run, 0);
        EXPECT_FALSE(FileExists(terms));
        EXPECT_FALSE(VersionStampWritten());
        EXPECT_FALSE(FileExists(profile_->MirrorRoot()));
    }
    ASSERT_TRUE(WriteTextFile(terms, OlderLine));
    {
        SCOPED_TRACE("another version's line that cannot be replaced");
        // Run as root, Wine opens a read-only file for writing anyway: a handle that shares
        // reading only is what makes the program's writes fail.
        HANDLE hold = CreateFileA(terms.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, hold);
        TallowfinRun run;
        ASSERT_TRUE(run.Start(firstTime));
        ANSWER_BOX(run, Disclaimer, BoxIcon::Warning, nullptr, IDYES);
        ANSWER_BOX(run, "ERROR: Could not create 'TermsAccepted.txt' ['TermsAccepted.txt'].",
                   BoxIcon::Warning, nullptr, IDOK);
        ExpectEndWithoutMainWindow(run, 0);
        CloseHandle(hold);
        EXPECT_TRUE(ReadTextFile(terms, &content) && content == OlderLine) << content;
        EXPECT_FALSE(VersionStampWritten());
    }
    {
        SCOPED_TRACE("another version's line, Yes, then No on the prompt");
        TallowfinRun run;
        ASSERT_TRUE(run.Start(firstTime));
        ANSWER_BOX(run, Disclaimer, BoxIcon::Warning, nullptr, IDYES);
        ANSWER_BOX(run, FirstRunPrompt, BoxIcon::Question, nullptr, IDNO, "terms-first-run-prompt");
        EXPECT_TRUE(ReadTextFile(terms, &content));
        EXPECT_EQ(AcceptanceLine, content) << "this version's line and no line break";
        EXPECT_TRUE(CloseAfterPass(run));
        EXPECT_TRUE(VersionStampWritten());
        EXPECT_TRUE(FileExists(profile_->MirrorRoot() + "\\Tallowfin Desktop\\Notepad.lnk"));
    }
    {
        SCOPED_TRACE("the line the program wrote itself");
        TallowfinRun run;
        ASSERT_TRUE(run.Start(firstTime));
        bool boxSeen = false;
        WaitUntil(
            [&] { return (boxSeen |= run.FindMessageBox() != nullptr), run.FindMainWindow(); },
            StartBound);
        EXPECT_FALSE(boxSeen);
        EXPECT_TRUE(CloseAfterPass(run));
    }
    EXPECT_FALSE(FileExists(BuildFile(TermsFileName))) << "looked for beside the program";
}

} // namespace
