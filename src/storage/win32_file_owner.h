#pragma once

#include <windows.h>

// The security of a file for the user alone: a protected DACL that grants
// the process's user everything and nobody else anything.
struct PrivateFile
{
    SECURITY_ATTRIBUTES attributes = {sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
    PrivateFile();
    ~PrivateFile();
    PrivateFile(const PrivateFile &) = delete;
    PrivateFile &operator=(const PrivateFile &) = delete;
    bool ok() const { return attributes.lpSecurityDescriptor != nullptr; }
};

// Whether sid is the user of the process token or the owner its new files
// get (an administrator's files may belong to the Administrators group).
bool isTokenUserOrOwner(PSID sid);
