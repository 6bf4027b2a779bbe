#include "native_path.h"

#include <QDir>

#include <algorithm>

FileStatus toNativePath(const QString &pathText)
{
#ifdef Q_OS_WIN
    return FileStatus::success().of(pathText);
#else
    const bool hasDrive = pathText.size() >= 2 && pathText[1] == u':' && pathText[0].isLetter() &&
                          pathText[0].unicode() < 128;
    QString rest = hasDrive ? pathText.mid(2) : pathText;
    rest.replace(u'\\', u'/');
    if (!hasDrive) {
        // As in a shell, "~" alone or before a separator is the home folder.
        if (rest.startsWith(u'~') && (rest.size() == 1 || rest[1] == u'/'))
            rest.replace(0, 1, QDir::homePath());
        return FileStatus::success().of(rest);
    }
    if (pathText[0].toLower() != u'c')
        return FileStatus::failure(
                   QStringLiteral("there is no drive %1 on this computer").arg(pathText.left(2)),
                   true)
            .of(pathText);
    QString home = QDir::homePath();
    if (!rest.isEmpty() && !rest.startsWith(u'/'))
        home += u'/';
    return FileStatus::success().of(home + rest);
#endif
}

QString plainNameOf(const QString &path)
{
#ifdef Q_OS_WIN
    qsizetype separator = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    if (separator < 0 && path.size() >= 2 && path[1] == u':')
        separator = 1;
#else
    const qsizetype separator = path.lastIndexOf(u'/');
#endif
    return path.mid(separator + 1);
}

QString absolutePathOf(const QString &path)
{
    QString absolute =
        QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path);
#ifdef Q_OS_WIN
    if (absolute.size() >= 2 && absolute[1] == u':')
        absolute[0] = absolute[0].toLower();
#endif
    return QDir::toNativeSeparators(absolute);
}

QString pathInFolder(const QString &folder, const QString &name)
{
    return folder + QDir::separator() + name;
}
