#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace {

QStringList entriesOf(const QString &folder)
{
    return QDir(folder + u'/')
        .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System);
}

} // namespace

TempHome::TempHome() : m_oldHome(qgetenv("HOME"))
{
#ifdef Q_OS_WIN
    if (QFileInfo::exists(kestrafoFolder())) {
        std::fprintf(stderr, "%s exists: the tests run only where there is none\n",
                     qPrintable(QDir::toNativeSeparators(kestrafoFolder())));
        std::abort();
    }
#else
    qputenv("HOME", QFile::encodeName(m_dir.path()));
#endif
    m_formerEntries = entriesOf(path());
}

TempHome::~TempHome()
{
#ifdef Q_OS_WIN
    QDir(kestrafoFolder()).removeRecursively();
#else
    qputenv("HOME", m_oldHome);
#endif
}

QString TempHome::path() const
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:");
#else
    return m_dir.path();
#endif
}

QString TempHome::kestrafoFolder() const
{
    return QDir::toNativeSeparators(path() + QStringLiteral("/kestrafo"));
}

QByteArray TempHome::read(const QString &relativePath) const
{
    QFile file(path() + u'/' + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TempHome::exists(const QString &relativePath) const
{
    return QFileInfo::exists(path() + u'/' + relativePath);
}

QStringList TempHome::newEntries() const
{
    QStringList added = entriesOf(path());
    for (const QString &name : m_formerEntries)
        added.removeAll(name);
    return added;
}
