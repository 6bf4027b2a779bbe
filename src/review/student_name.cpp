#include "student_name.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString fromFileName(const QFileInfo &file)
{
    static const QRegularExpression sendPart(QStringLiteral("send_\\d{4}"));
    static const QRegularExpression ownNames(QStringLiteral("^(masterFile|notes_|drafts_)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression separators(QStringLiteral("^[-_. ]+|[-_. ]+\\z"));
    QString name = file.completeBaseName();
    name.remove(sendPart);
    name.remove(ownNames);
    return name.remove(separators);
}

} // namespace

QString studentName(const QString &filePath, const QString &namedFolder, bool byFile)
{
    const QFileInfo file(filePath);
    const QString folder = file.absoluteDir().dirName();
    const bool inSubfolder =
        !namedFolder.isNull() && file.absolutePath() != QFileInfo(namedFolder).absoluteFilePath();
    if (inSubfolder && !byFile)
        return folder;
    const QString name = fromFileName(file);
    return name.isEmpty() ? folder : name;
}
