#include "record_text.h"

#include "text_value.h"
#include "windows1252.h"

RecordText &RecordText::text(const QString &item)
{
    m_text += item;
    return *this;
}

RecordText &RecordText::number(double value)
{
    m_text += value < 0 ? u'-' : u' ';
    m_text += generalNumber(value < 0 ? -value : value);
    m_text += u' ';
    return *this;
}

RecordText &RecordText::endLine()
{
    m_text += QStringLiteral("\r\n");
    return *this;
}

QByteArray RecordText::bytes() const
{
    return toWindows1252(m_text);
}
