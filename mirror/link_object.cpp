// The shell's link object (see link_object.h).
#include "link_object.h"

bool CreateLinkObject(LinkObject* object) {
    void* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                &link)) ||
        !link)
        return false;
    object->link = static_cast<IShellLinkA*>(link);
    void* file = nullptr;
    if (FAILED(object->link->QueryInterface(IID_IPersistFile, &file)) || !file)
        return false;
    object->file = static_cast<IPersistFile*>(file);
    return true;
}

void ReleaseLinkObject(LinkObject* object) {
    if (object->file)
        object->file->Release();
    object->file = nullptr;
    if (object->link)
        object->link->Release();
    object->link = nullptr;
}
