#include "win32_file_owner.h"

#include <QByteArray>
#include <QString>

#include <sddl.h>

namespace {

// The SID of the process token's user, as text; empty when unknown.
QString tokenUserSid()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    DWORD length = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &length);
    QByteArray buffer(qsizetype(length), '\0');
    wchar_t *text = nullptr;
    QString sid;
    if (length != 0 && GetTokenInformation(token, TokenUser, buffer.data(), length, &length) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER *>(buffer.data())->User.Sid, &text)) {
        sid = QString::fromWCharArray(text);
        LocalFree(text);
    }
    CloseHandle(token);
    return sid;
}

} // namespace

// The user is named by the SID, not as "owner rights": Wine knows no such
// trustee and would leave the user unable even to delete the file.
PrivateFile::PrivateFile()
{
    const QString sid = tokenUserSid();
    if (sid.isEmpty())
        return;
    const QString descriptor = QStringLiteral("D:P(A;;FA;;;%1)").arg(sid);
    ConvertStringSecurityDescriptorToSecurityDescriptorW(
        reinterpret_cast<const wchar_t *>(descriptor.utf16()), SDDL_REVISION_1,
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
