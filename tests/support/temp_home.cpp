#include "temp_home.h"

#include <QFile>
#include <QFileInfo>

TempHome::TempHome() : m_oldHome(qgetenv("HOME"))
{
    qputenv("HOME", QFile::encodeName(m_dir.path()));
}

TempHome::~TempHome()
{
    qputenv("HOME", m_oldHome);
}

QByteArray TempHome::read(const QString &relativePath) const
{
    QFile file(m_dir.path() + u'/' + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TempHome::exists(const QString &relativePath) const
{
    return QFileInfo::exists(m_dir.path() + u'/' + relativePath);
}
