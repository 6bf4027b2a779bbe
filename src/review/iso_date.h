#pragma once

#include <QByteArrayView>
#include <QString>

// The tutor's mm-dd-yyyy as yyyy-mm-dd; any other text as it stands.
QString isoDate(QByteArrayView date);
