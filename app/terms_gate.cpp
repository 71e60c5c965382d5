// The first-run terms gate: the disclaimer until this version's acceptance is on file, then an
// offer to place the program's own shortcuts.
#include "terms_gate.h"

#include <cstdio>

#include "../base/shared_state.h"
#include "../base/message_box.h"
#include "../base/virtual_store.h"
#include "terms_text.h"
#include "../dialogs/links_dialog.h"
#include "../res/resource.h"

namespace {

constexpr size_t TermsTextSize = 4096;
// A bare name: the file lies in the current directory, which the program's own shortcuts set
// to the program's folder.
constexpr const char TermsFileName[] = "TermsAccepted.txt";

const char AcceptanceFormat[] =
    "The Terms and Conditions and Disclaimer for '%s' have been accepted.";
const char DisclaimerFormat[] =
    "LEGAL DISCLAIMER: This software [%s] is supplied with no warranties given for any purpose "
    "whatsoever. This software is used at the users' own risk, and any and all companies or "
    "persons associated with the programming or supply of this software hereby exempt "
    "themseleves from any and all legal procescution resulting from the use of this "
    "software.\n\nClick 'Yes' to Accept these terms and continue with use of this software; "
    "Click 'No' to reject these terms and discontinue use of this software.";
const char FirstRunFormat[] = "This is the first time you have run this version of this "
                              "application.\n\nCreate links/shortcuts to %s?";

// "r+": a file that cannot be written counts as not accepted, so every start asks again.
bool TermsOnFile(const char* acceptanceLine) {
    FILE* file = OpenVirtualized(TermsFileName, "r+");
    if (!file)
        return false;
    char line[TermsTextSize] = "";
    if (!fgets(line, sizeof line, file))
        line[0] = '\0';
    fclose(file);
    TrimWhitespace(line);
    return IsAcceptanceLine(line, acceptanceLine);
}

// A line that did not reach the disk is reported like a file that could not be created.
bool RecordAcceptance(const char* acceptanceLine) {
    FILE* file = OpenVirtualized(TermsFileName, "w+");
    bool written = file && fputs(acceptanceLine, file) >= 0;
    if (file && fclose(file) != 0)
        written = false;
    if (!written) {
        char error[TermsTextSize];
        snprintf(error, sizeof error, "ERROR: Could not create '%s' ['%s'].", TermsFileName,
                 TermsFileName);
        ShowErrorBox(nullptr, error);
    }
    return written;
}

} // namespace

bool PassTermsGate() {
    char acceptanceLine[TermsTextSize], disclaimer[TermsTextSize], firstRun[TermsTextSize];
    snprintf(acceptanceLine, sizeof acceptanceLine, AcceptanceFormat, ProductTitle);
    snprintf(disclaimer, sizeof disclaimer, DisclaimerFormat, ProductTitle);
    snprintf(firstRun, sizeof firstRun, FirstRunFormat, ProductTitle);
    if (TermsOnFile(acceptanceLine))
        return true;
    if (!AskYesNo(nullptr, disclaimer, MB_ICONEXCLAMATION) || !RecordAcceptance(acceptanceLine))
        return false;
    if (AskYesNo(nullptr, firstRun, MB_ICONQUESTION))
        DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_LINKS), nullptr, LinksDialogProc, 0);
    return true;
}
