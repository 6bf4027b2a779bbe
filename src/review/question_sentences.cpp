#include "question_sentences.h"

namespace {

bool isCloser(QChar c)
{
    return c == u')' || c == u']' || c == u'"' || c == u'\'' || c == u'\x201D' || c == u'\x2019';
}

} // namespace

QStringList questionSentences(const QString &text)
{
    QStringList asked;
    qsizetype start = 0;
    const auto sentence = [&](qsizetype end, bool question) {
        if (question) {
            const QString s = text.mid(start, end - start).simplified();
            if (s.size() > 1)
                asked.append(s);
        }
        start = end;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\n' || c == u'\r') {
            sentence(i + 1, false);
            continue;
        }
        if (c != u'.' && c != u'!' && c != u'?')
            continue;
        qsizetype end = i + 1;
        while (end < text.size() && isCloser(text[end]))
            ++end;
        if (end < text.size() && !text[end].isSpace())
            continue;
        sentence(end, c == u'?');
        i = end - 1;
    }
    return asked;
}
