#pragma once

#include <QByteArray>
#include <QByteArrayView>

// How a file's bytes look before any record is read.
enum class FileLook
{
    Records,   // CR LF lines in a single-byte code page
    LfRecords, // line ends converted to LF
    Binary,
};

struct FileCheck
{
    FileLook look = FileLook::Records;
    bool utf8 = false;         // re-encoded as UTF-8 after the tutor wrote it
    bool holdsRecords = false; // a record's rule or an opening block near the start
};

FileCheck checkStart(QByteArrayView start);
