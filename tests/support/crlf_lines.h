#pragma once

#include <QByteArray>

#include <initializer_list>

// Lines as the record files hold them: each one ended by CR LF.
inline QByteArray crlfLines(std::initializer_list<QByteArray> lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}
