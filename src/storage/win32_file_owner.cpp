#include "win32_file_owner.h"

#include <QByteArray>

#include <sddl.h>

PrivateFile::PrivateFile()
{
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;OW)", SDDL_REVISION_1,
                                                         &attributes.lpSecurityDescriptor, nullptr);
}

PrivateFile::~PrivateFile()
{
    LocalFree(attributes.lpSecurityDescriptor);
}

bool isTokenUserOrOwner(PSID sid)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    bool same = false;
    for (const TOKEN_INFORMATION_CLASS kind : {TokenUser, TokenOwner}) {
        DWORD length = 0;
        GetTokenInformation(token, kind, nullptr, 0, &length);
        QByteArray buffer(qsizetype(length), '\0');
        if (length == 0 || !GetTokenInformation(token, kind, buffer.data(), length, &length))
            continue;
        const PSID tokenSid = kind == TokenUser
                                  ? reinterpret_cast<TOKEN_USER *>(buffer.data())->User.Sid
                                  : reinterpret_cast<TOKEN_OWNER *>(buffer.data())->Owner;
        same = same || EqualSid(sid, tokenSid);
    }
    CloseHandle(token);
    return same;
}
