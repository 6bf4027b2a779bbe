#include "summary.h"

#include "record_fields.h"
#include "terminal_text.h"

#include <QTextStream>

#include <algorithm>

namespace {

qint64 secondsOf(QByteArrayView time)
{
    if (time.size() != 8)
        return -1;
    const auto two = [&](qsizetype at) { return (time[at] - '0') * 10 + (time[at + 1] - '0'); };
    return two(0) * 3600 + two(3) * 60 + two(6);
}

} // namespace

void RecordCounts::add(const RecordCounts &other)
{
    sessions += other.sessions;
    responses += other.responses;
    notes += other.notes;
    drafts += other.drafts;
    for (size_t i = 0; i < confidence.size(); ++i) {
        confidence[i] += other.confidence[i];
        selfCritique[i] += other.selfCritique[i];
    }
}

QString ratingCountsText(const RatingCounts &c)
{
    return QStringLiteral("0:%1 1:%2 2:%3 3:%4 other:%5")
        .arg(c[0])
        .arg(c[1])
        .arg(c[2])
        .arg(c[3])
        .arg(c[4]);
}

int ratingIndex(QByteArrayView reply)
{
    if (reply.size() == 1 && reply[0] >= '0' && reply[0] <= '3')
        return reply[0] - '0';
    return 4;
}

qint64 medianGap(const QList<qint64> &seconds)
{
    if (seconds.size() < 2)
        return -1;
    QList<qint64> gaps;
    for (qsizetype i = 1; i < seconds.size(); ++i)
        gaps.append(seconds[i] - seconds[i - 1]);
    const qsizetype n = gaps.size();
    const auto middle = gaps.begin() + n / 2;
    std::nth_element(gaps.begin(), middle, gaps.end());
    if (n % 2)
        return *middle;
    // The gaps before the middle one are the smaller half.
    return (*std::max_element(gaps.begin(), middle) + *middle) / 2;
}

QString duration(qint64 seconds)
{
    if (seconds < 0)
        return QStringLiteral("-");
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds);
    if (seconds < 3600)
        return QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
    return QStringLiteral("%1 h %2 min").arg(seconds / 3600).arg(seconds / 60 % 60);
}

QString clock(qint64 seconds)
{
    seconds %= 86400;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QStringList FileSummary::flaws() const
{
    QStringList flaws;
    for (const Damage &d : damages)
        flaws.append(QStringLiteral("damaged: ") + d.what);
    for (const QString &doubt : doubts)
        flaws.append(QStringLiteral("unclear: ") + doubt);
    return flaws;
}

SessionSummary &SummarySink::session()
{
    if (m_file.sessions.isEmpty())
        m_file.sessions.append(SessionSummary{});
    return m_file.sessions.last();
}

void SummarySink::record(const Record &record)
{
    ++m_file.records;
    if (!record.doubt.isEmpty())
        m_file.doubts.append(QStringLiteral("lines %1-%2: %3")
                                 .arg(record.firstLine)
                                 .arg(record.lastLine)
                                 .arg(record.doubt));
    if (record.kind == RecordKind::Opening) {
        SessionSummary s;
        s.date = isoDate(record.date);
        s.assignment = fileText(record.assignment, m_utf8);
        s.header = fileText(record.header, m_utf8);
        s.sessions = s.assignment.isEmpty() ? 0 : 1;
        m_file.sessions.append(s);
        return;
    }
    SessionSummary &s = session();
    if (s.date.isEmpty() && !record.date.isEmpty())
        s.date = isoDate(record.date);
    qint64 second = secondsOf(record.time);
    // A session that runs past midnight goes on counting.
    if (second >= 0) {
        second += s.dayOffset;
        if (second < s.lastSecond) {
            s.dayOffset += 86400;
            second += 86400;
        }
    }
    if (s.firstSecond < 0)
        s.firstSecond = second;
    s.lastSecond = second;
    switch (record.kind) {
    case RecordKind::Response:
        ++s.responses;
        s.responseSeconds.append(second);
        if (record.ratingKind == RatingKind::Confidence)
            ++s.confidence[size_t(ratingIndex(record.rating))];
        else if (record.ratingKind == RatingKind::SelfCritique)
            ++s.selfCritique[size_t(ratingIndex(record.rating))];
        break;
    case RecordKind::Notes:
        ++s.notes;
        break;
    case RecordKind::Rescue:
        ++s.drafts;
        break;
    case RecordKind::Opening:
        break;
    }
}

void SummarySink::damage(const Damage &damage)
{
    m_file.damages.append(damage);
}

QMap<QString, RecordCounts> totalsOf(const QList<FileSummary> &files)
{
    QMap<QString, RecordCounts> totals;
    for (const FileSummary &file : files) {
        for (const SessionSummary &s : file.sessions) {
            const QString key =
                s.assignment.isEmpty() ? QStringLiteral("without an opening block") : s.assignment;
            totals[key].add(s);
        }
    }
    return totals;
}

QString plainSummary(const QList<FileSummary> &files)
{
    QString out;
    QTextStream s(&out);
    for (const FileSummary &file : files) {
        s << terminalText(file.path) << "\n";
        if (!file.problem.isEmpty()) {
            s << "  cannot read: " << terminalText(file.problem) << "\n\n";
            continue;
        }
        for (const QString &notice : file.notices)
            s << "  note: " << terminalText(notice) << "\n";
        if (file.records == 0)
            s << "  no records\n";
        if (!file.student.isEmpty())
            s << "  student " << terminalText(file.student) << "\n";
        for (const SessionSummary &ses : file.sessions) {
            if (ses.assignment.isEmpty())
                s << "  records without an opening block"
                  << (ses.date.isEmpty() ? QString()
                                         : QStringLiteral(", from ") + terminalText(ses.date))
                  << "\n";
            else
                s << "  session "
                  << (ses.date.isEmpty() ? QStringLiteral("(no date)") : terminalText(ses.date))
                  << "  assignment " << terminalText(ses.assignment) << "  "
                  << terminalText(ses.header) << "\n";
            s << "    responses " << ses.responses << ", notes " << ses.notes << ", rescued drafts "
              << ses.drafts << "\n";
            s << "    confidence     " << ratingCountsText(ses.confidence) << "\n";
            s << "    self critique  " << ratingCountsText(ses.selfCritique) << "\n";
            // Notes and kept drafts without an opening block span days: no
            // session's time.
            if (ses.firstSecond >= 0 && !ses.assignment.isEmpty())
                s << "    time " << clock(ses.firstSecond) << " to " << clock(ses.lastSecond)
                  << " (" << duration(ses.lastSecond - ses.firstSecond)
                  << "), median between responses " << duration(medianGap(ses.responseSeconds))
                  << "\n";
        }
        for (const QString &flaw : file.flaws())
            s << "  " << terminalText(flaw) << "\n";
        s << "\n";
    }
    s << "Totals per assignment\n";
    const auto totals = totalsOf(files);
    for (auto it = totals.begin(); it != totals.end(); ++it) {
        const RecordCounts &t = it.value();
        s << "  " << terminalText(it.key()) << ": sessions " << t.sessions << ", responses "
          << t.responses << ", notes " << t.notes << ", drafts " << t.drafts << ", confidence "
          << ratingCountsText(t.confidence) << ", self critique "
          << ratingCountsText(t.selfCritique) << "\n";
    }
    return out;
}
