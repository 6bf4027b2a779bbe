#include "html_report.h"

#include <QTextStream>

namespace {

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

QString row(const QStringList &cells, const char *tag = "td")
{
    QString out = QStringLiteral("<tr>");
    for (const QString &cell : cells)
        out += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), esc(cell));
    return out + QStringLiteral("</tr>\n");
}

QString n(qint64 value)
{
    return QString::number(value);
}

// Grouped bars: confidence and self-critique for each of 0, 1, 2, 3, other.
QString ratingChart(const QString &title, const RatingCounts &confidence,
                    const RatingCounts &selfCritique)
{
    const int width = 420, height = 200, base = 160, left = 40, group = 72;
    qint64 top = 1;
    for (size_t i = 0; i < 5; ++i)
        top = std::max({top, confidence[i], selfCritique[i]});
    QString svg;
    QTextStream s(&svg);
    s << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
      << "\" role=\"img\" aria-label=\"" << esc(title) << "\">"
      << "<title>" << esc(title) << "</title>"
      << "<line x1=\"" << left << "\" y1=\"" << base << "\" x2=\"" << width - 10 << "\" y2=\""
      << base << "\" stroke=\"#444\"/>";
    const char *labels[] = {"0", "1", "2", "3", "other"};
    for (int i = 0; i < 5; ++i) {
        const int x = left + 8 + i * group;
        const qint64 values[] = {confidence[size_t(i)], selfCritique[size_t(i)]};
        const char *colours[] = {"#2b6cb0", "#dd6b20"};
        for (int k = 0; k < 2; ++k) {
            const int h = int(values[k] * 130 / top);
            s << "<rect class=\"" << (k ? "critique" : "confidence") << "\" x=\"" << x + k * 28
              << "\" y=\"" << base - h << "\" width=\"26\" height=\"" << h << "\" fill=\""
              << colours[k] << "\"/>"
              << "<text x=\"" << x + k * 28 + 13 << "\" y=\"" << base - h - 4
              << "\" font-size=\"11\" text-anchor=\"middle\">" << values[k] << "</text>";
        }
        s << "<text x=\"" << x + 27 << "\" y=\"" << base + 16
          << "\" font-size=\"12\" text-anchor=\"middle\">" << labels[i] << "</text>";
    }
    s << "<rect x=\"" << left << "\" y=\"182\" width=\"12\" height=\"12\" fill=\"#2b6cb0\"/>"
      << "<text x=\"" << left + 16 << "\" y=\"192\" font-size=\"12\">confidence</text>"
      << "<rect x=\"" << left + 110 << "\" y=\"182\" width=\"12\" height=\"12\" fill=\"#dd6b20\"/>"
      << "<text x=\"" << left + 126 << "\" y=\"192\" font-size=\"12\">self critique</text>"
      << "</svg>";
    return svg;
}

} // namespace

QByteArray htmlReport(const QList<FileSummary> &files)
{
    QString out;
    QTextStream s(&out);
    s << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
      << "<title>kestrafo-review</title><style>"
      << "body{font-family:sans-serif;margin:2em;color:#222}"
      << "table{border-collapse:collapse;margin:.5em 0 1.5em}"
      << "td,th{border:1px solid #bbb;padding:.25em .6em;text-align:left}"
      << "th{background:#eee}.damage{color:#a00}.chart{display:inline-block;margin:0 1em 1em 0}"
      << "</style></head><body>\n<h1>Dravonic II: student records</h1>\n";

    s << "<h2>Assignments</h2>\n<table>\n"
      << row({QStringLiteral("assignment"), QStringLiteral("sessions"), QStringLiteral("responses"),
              QStringLiteral("notes"), QStringLiteral("drafts")},
             "th");
    const auto totals = totalsOf(files);
    for (auto it = totals.begin(); it != totals.end(); ++it)
        s << row({it.key(), n(it->sessions), n(it->responses), n(it->notes), n(it->drafts)});
    s << "</table>\n";
    for (auto it = totals.begin(); it != totals.end(); ++it)
        s << "<div class=\"chart\"><h3>Assignment " << esc(it.key()) << "</h3>"
          << ratingChart(QStringLiteral("Ratings of assignment ") + it.key(), it->confidence,
                         it->selfCritique)
          << "</div>\n";

    s << "<h2>Files</h2>\n";
    for (const FileSummary &file : files) {
        s << "<h3>" << esc(file.path) << "</h3>\n";
        if (!file.problem.isEmpty()) {
            s << "<p class=\"damage\">cannot read: " << esc(file.problem) << "</p>\n";
            continue;
        }
        s << "<table>\n"
          << row({QStringLiteral("date"), QStringLiteral("assignment"), QStringLiteral("header"),
                  QStringLiteral("responses"), QStringLiteral("notes"), QStringLiteral("drafts"),
                  QStringLiteral("confidence 0/1/2/3/other"),
                  QStringLiteral("self critique 0/1/2/3/other"), QStringLiteral("time"),
                  QStringLiteral("median between responses")},
                 "th");
        for (const SessionSummary &ses : file.sessions) {
            const auto list = [](const RatingCounts &c) {
                return QStringLiteral("%1/%2/%3/%4/%5")
                    .arg(c[0])
                    .arg(c[1])
                    .arg(c[2])
                    .arg(c[3])
                    .arg(c[4]);
            };
            s << row({ses.date, ses.assignment, ses.header, n(ses.responses), n(ses.notes),
                      n(ses.drafts), list(ses.confidence), list(ses.selfCritique),
                      ses.firstSecond < 0 ? QStringLiteral("-")
                                          : duration(ses.lastSecond - ses.firstSecond),
                      duration(medianGap(ses.responseSeconds))});
        }
        s << "</table>\n";
        if (!file.damages.isEmpty() || !file.doubts.isEmpty()) {
            s << "<ul class=\"damage\">\n";
            for (const Damage &d : file.damages)
                s << "<li>damaged: " << esc(d.what) << "</li>\n";
            for (const QString &doubt : file.doubts)
                s << "<li>unclear: " << esc(doubt) << "</li>\n";
            s << "</ul>\n";
        }
    }
    s << "</body></html>\n";
    return out.toUtf8();
}
