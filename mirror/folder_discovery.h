// Finds the shell folders the program works with from the "Shell Folders" registry values.
#pragma once

// Fills SourceFolderTable; sets AnySourceFound for every accepted value.
void ReadSourceFolders();

// Fills SendToFolder from the user's "SendTo" value.
void ReadSendToFolder();

// Fills LinkLocationTable; a value that is not accepted keeps its slot's earlier text.
void ReadLinkLocations();
