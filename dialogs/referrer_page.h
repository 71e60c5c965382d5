// Opening a web address for the user through a local referrer page.
#pragma once

// Writes the referrer page for address into the temporary directory and asks the shell to open
// it; opens the address itself when the page cannot be written. Reports nothing.
void OpenViaReferrerPage(const char* address);
