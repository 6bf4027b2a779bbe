#include "summary.h"

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

QStringList FileSummary::flaws() const
{
    QStringList flaws;
    for (const Damage &d : damages)
        flaws.append(QStringLiteral("damaged: ") + d.what);
    for (const QString &doubt : doubts)
        flaws.append(QStringLiteral("unclear: ") + doubt);
    return flaws;
}

void FileSummary::add(const Record &record, bool utf8)
{
    ++records;
    if (!record.doubt.isEmpty())
        doubts.append(QStringLiteral("lines %1-%2: %3")
                          .arg(record.firstLine)
                          .arg(record.lastLine)
                          .arg(record.doubt));
    if (record.kind == RecordKind::Opening) {
        SessionSummary s;
        s.date = isoDate(record.date);
        s.assignment = fileText(record.assignment, utf8);
        s.header = fileText(record.header, utf8);
        s.sessions = s.assignment.isEmpty() ? 0 : 1;
        sessions.append(s);
        return;
    }
    if (sessions.isEmpty())
        sessions.append(SessionSummary{});
    SessionSummary &s = sessions.last();
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
