// The shell's link object with its file interface, shared by the copier and the Links dialog.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

// A null member is not held.
struct LinkObject {
    IShellLinkA* link;
    IPersistFile* file;
};

// Creates the object in-process and asks it for its file interface. On failure whatever was
// obtained stays in the object for ReleaseLinkObject.
bool CreateLinkObject(LinkObject* object);

// The file interface goes first; each member is released once and forgotten.
void ReleaseLinkObject(LinkObject* object);
