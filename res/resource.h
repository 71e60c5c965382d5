// Resource identifiers, grouped per dialog; shared by the resource script and the code.
#pragma once

// Icon
#define IDI_APP 105

// Main window (dialog 103)
#define IDD_MAIN 103
#define IDC_MAIN_OPTIONS 1009
#define IDC_MAIN_PROGRESS 1011

// Options dialog (dialog 104)
#define IDD_OPTIONS 104
