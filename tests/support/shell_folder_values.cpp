// Test helper: the "Shell Folders" value of each folder slot (see shell_folder_values.h).
#include "shell_folder_values.h"

const ShellFolderValue ShellFolderValues[FolderSlotCount] = {
    {HKEY_CURRENT_USER, "AppData", UserQuickLaunch},
    {HKEY_CURRENT_USER, "Desktop", UserDesktop},
    {HKEY_CURRENT_USER, "Start Menu", UserStartMenu},
    {HKEY_CURRENT_USER, "Programs", UserPrograms},
    {HKEY_CURRENT_USER, "Startup", UserStartup},
    {HKEY_LOCAL_MACHINE, "Common AppData", CommonQuickLaunch},
    {HKEY_LOCAL_MACHINE, "Common Desktop", CommonDesktop},
    {HKEY_LOCAL_MACHINE, "Common Start Menu", CommonStartMenu},
    {HKEY_LOCAL_MACHINE, "Common Programs", CommonPrograms},
    {HKEY_LOCAL_MACHINE, "Common Startup", CommonStartup},
    {HKEY_LOCAL_MACHINE, "AppData", MachineQuickLaunch},
    {HKEY_LOCAL_MACHINE, "Desktop", MachineDesktop},
    {HKEY_LOCAL_MACHINE, "Start Menu", MachineStartMenu},
    {HKEY_LOCAL_MACHINE, "Programs", MachinePrograms},
    {HKEY_LOCAL_MACHINE, "Startup", MachineStartup},
};
