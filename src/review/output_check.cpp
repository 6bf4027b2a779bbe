#include "output_check.h"

#include "record_reader.h"

#include <QFile>
#include <QFileInfo>

QString outputRefusal(const QString &output, const Inputs &inputs)
{
    const QFileInfo target(output);
    if (!target.exists())
        return {};
    const QString key = target.canonicalFilePath();
    for (const InputFile &input : inputs.files) {
        if (input.folder.isNull() && QFileInfo(input.path).canonicalFilePath() == key)
            return QStringLiteral("is one of the files to be read");
    }
    QFile file(output);
    if (target.isFile() && file.open(QIODevice::ReadOnly) &&
        checkStart(file.peek(64 * 1024)).holdsRecords)
        return QStringLiteral("holds the tutor's records");
    return {};
}
