#include "file_check.h"

#include "format/record_texts.h"

using namespace RecordTexts;

namespace {

bool validUtf8Multibyte(QByteArrayView bytes, bool &sawMultibyte)
{
    sawMultibyte = false;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        int follow = b < 0x80                  ? 0
                     : (b >= 0xC2 && b < 0xE0) ? 1
                     : (b >= 0xE0 && b < 0xF0) ? 2
                     : (b >= 0xF0 && b < 0xF5) ? 3
                                               : -1;
        if (follow < 0)
            return false;
        if (i + follow >= bytes.size() && follow > 0)
            return true; // cut at the end of the sample
        for (int k = 1; k <= follow; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        }
        sawMultibyte = sawMultibyte || follow > 0;
        i += follow + 1;
    }
    return true;
}

} // namespace

FileCheck checkStart(QByteArrayView start)
{
    FileCheck check;
    qsizetype controls = 0;
    for (char c : start) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0) {
            check.look = FileLook::Binary;
            return check;
        }
        if (b < 32 && c != '\r' && c != '\n' && c != '\t')
            ++controls;
    }
    if (controls * 10 > start.size()) {
        check.look = FileLook::Binary;
        return check;
    }
    const bool crlf = start.contains("\r\n");
    if (!crlf && start.contains('\n'))
        check.look = FileLook::LfRecords;
    bool multibyte = false;
    check.utf8 =
        start.startsWith("\xEF\xBB\xBF") || (validUtf8Multibyte(start, multibyte) && multibyte);
    const QByteArray end = check.look == FileLook::LfRecords ? "\n" : "\r\n";
    const QByteArray rule = QByteArrayView(sectionRule).toByteArray();
    const QByteArray title = QByteArrayView(courseTitle).toByteArray();
    check.holdsRecords = start.startsWith(rule + end) || start.contains(end + rule + end) ||
                         start.contains(end + title + end);
    return check;
}
