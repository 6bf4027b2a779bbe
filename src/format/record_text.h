#pragma once

#include <QByteArray>
#include <QString>

// Composes lines of the course files: items written one after the other with
// nothing between them, each line ended by CR LF. A text item goes out as it
// stands, CR LF pairs inside it included; a numeric item as a sign position,
// the value in general format and one trailing space.
class RecordText
{
public:
    RecordText &text(const QString &item);
    RecordText &number(double value);
    RecordText &endLine();
    // One whole line: the item and CR LF.
    RecordText &line(const QString &item) { return text(item).endLine(); }

    QString toString() const { return m_text; }
    // One byte a character, in Windows-1252.
    QByteArray bytes() const;

private:
    QString m_text;
};
