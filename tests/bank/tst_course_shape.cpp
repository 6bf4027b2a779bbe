#include "bank/course_content.h"
#include "bank/line_kind.h"
#include "bank/question_bank.h"

#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <map>

namespace {

struct AssignmentShape
{
    int header;
    int lines;
    int questions;
    int answers;
    int commentary;
    int blanks;
};

// The course as the instructor laid it out: header index, lines up to the
// next header, and the kinds of those lines.
const std::map<int, AssignmentShape> courseShape = {
    {1, {1, 88, 20, 20, 6, 42}},   {2, {90, 25, 7, 6, 1, 11}},   {3, {116, 27, 6, 6, 1, 14}},
    {4, {144, 20, 4, 4, 0, 12}},   {5, {165, 7, 3, 2, 1, 1}},    {6, {173, 38, 9, 9, 1, 19}},
    {7, {212, 53, 11, 11, 1, 30}}, {8, {266, 31, 7, 7, 0, 17}},  {9, {298, 9, 2, 2, 0, 5}},
    {10, {308, 6, 2, 2, 0, 2}},    {11, {315, 11, 3, 2, 2, 4}},  {12, {327, 11, 3, 2, 0, 6}},
    {13, {339, 14, 4, 4, 0, 6}},   {14, {354, 21, 19, 0, 0, 2}}, {15, {376, 16, 14, 0, 0, 2}},
    {16, {393, 15, 13, 0, 0, 2}},  {17, {409, 10, 7, 0, 0, 3}},  {18, {420, 8, 6, 0, 0, 2}},
    {19, {429, 13, 11, 0, 0, 2}},  {20, {443, 15, 11, 0, 0, 4}}, {21, {459, 9, 6, 0, 0, 3}},
    {22, {469, 12, 9, 0, 0, 3}},   {23, {482, 18, 15, 0, 0, 3}}, {24, {501, 7, 4, 0, 0, 3}},
    {25, {509, 9, 7, 0, 0, 2}},    {26, {519, 9, 7, 0, 0, 2}},   {27, {529, 12, 9, 0, 0, 3}},
    {28, {542, 13, 8, 0, 0, 5}},   {29, {556, 20, 16, 0, 0, 4}}, {30, {577, 12, 9, 0, 0, 3}},
    {31, {590, 10, 7, 0, 0, 3}},   {32, {601, 32, 24, 0, 0, 8}},
};

constexpr int lastFilledIndex = 633;

// The kinds of line that the shape table counts. Headers are three ASCII
// digits and a full stop; any other non-empty line without markup is
// commentary.
enum class LineKind
{
    Header,
    Question,
    Answer,
    Routine,
    EndOfBank,
    Blank,
    Commentary
};

LineKind classifyContentLine(const QString &line)
{
    auto isAsciiDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (line.size() >= 4 && isAsciiDigit(line[0]) && isAsciiDigit(line[1]) &&
        isAsciiDigit(line[2]) && line[3] == u'.')
        return LineKind::Header;
    if (line.isEmpty())
        return LineKind::Blank;
    if (isQuestionLine(line))
        return LineKind::Question;
    if (isAnswerLine(line))
        return LineKind::Answer;
    if (isRoutineLine(line))
        return LineKind::Routine;
    if (isEndOfBank(line))
        return LineKind::EndOfBank;
    return LineKind::Commentary;
}

const QList<int> endsWithComments = {1,  5,  11, 12, 14, 15, 16, 17, 18,
                                     19, 20, 21, 22, 23, 25, 26, 32};

QString number(int assignment)
{
    return QStringLiteral("%1").arg(assignment, 3, 10, QLatin1Char('0'));
}

} // namespace

class TestCourseShape : public QObject
{
    Q_OBJECT

private:
    QuestionBank m_bank;

    QString line(int index) const { return m_bank.at(index); }

    int nextHeader(int assignment) const
    {
        auto next = courseShape.find(assignment + 1);
        return next == courseShape.end() ? lastFilledIndex + 1 : next->second.header;
    }

private slots:
    void initTestCase()
    {
        int bankIndex = 0;
        loadQuestionBank(m_bank, bankIndex, courseContentLines());
        QCOMPARE(bankIndex, 0);
    }

    void theBankFillsIndexesOneTo633AndNothingElse()
    {
        QCOMPARE(courseContentLines().size(), qsizetype(lastFilledIndex));
        QCOMPARE(line(0), QString());
        for (int i = lastFilledIndex + 1; i <= QuestionBank::lastIndex; ++i)
            QVERIFY2(line(i).isEmpty(), qPrintable(QString::number(i)));
        QVERIFY(isQuestionLine(line(631)));
        QCOMPARE(line(632), QString());
        QCOMPARE(line(633), QString());
    }

    void everyAssignmentHasItsHeaderAndCounts()
    {
        int headers = 0;
        for (int i = 1; i <= lastFilledIndex; ++i)
            headers += classifyContentLine(line(i)) == LineKind::Header;
        QCOMPARE(headers, 32);

        for (const auto &[assignment, shape] : courseShape) {
            const QString where = QStringLiteral("assignment %1: ").arg(number(assignment));
            QVERIFY2(isHeaderOf(line(shape.header), number(assignment)),
                     qPrintable(where + "no header at index " + QString::number(shape.header)));
            const int end = nextHeader(assignment);
            QCOMPARE(end - shape.header - 1, shape.lines);
            std::map<LineKind, int> counts;
            for (int i = shape.header + 1; i < end; ++i)
                ++counts[classifyContentLine(line(i))];
            auto check = [&](LineKind kind, int expected, const char *name) {
                QVERIFY2(counts[kind] == expected,
                         qPrintable(where + QStringLiteral("%1 %2 lines, expected %3")
                                                .arg(counts[kind])
                                                .arg(name)
                                                .arg(expected)));
            };
            check(LineKind::Question, shape.questions, "question");
            check(LineKind::Answer, shape.answers, "answer");
            check(LineKind::Commentary, shape.commentary, "commentary");
            check(LineKind::Blank, shape.blanks, "blank");
            check(LineKind::Header, 0, "header");
            check(LineKind::Routine, 0, "routine");
            check(LineKind::EndOfBank, 0, "end-of-bank");
        }
    }

    void headersHaveTheirPrescribedForms()
    {
        QCOMPARE(line(1), QStringLiteral("001.  `query 1"));
        QCOMPARE(line(90), QStringLiteral("002. `query 2"));
        for (int a = 3; a <= 12; ++a)
            QCOMPARE(line(courseShape.at(a).header),
                     QStringLiteral("%1.  `query %2").arg(number(a)).arg(a));
        const QString header13 = line(courseShape.at(13).header);
        QVERIFY(header13.startsWith(QStringLiteral("013.  `query 13")));
        QVERIFY2(header13.size() > 16, "013 carries an authoring note after its number");
        for (int a = 14; a <= 32; ++a) {
            const QString expected = a == 31 ? QStringLiteral("031. `query") : number(a) + u'.';
            QCOMPARE(line(courseShape.at(a).header), expected);
        }
    }

    void questionOnlyAssignmentsOpenWithABlankAndAQueryGroup()
    {
        for (int a = 14; a <= 32; ++a) {
            const int header = courseShape.at(a).header;
            QVERIFY2(line(header + 1).isEmpty(), qPrintable(number(a)));
            const QString first = line(header + 2);
            QVERIFY2(first.startsWith(QStringLiteral("`qQuery")) ||
                         first.startsWith(QStringLiteral("`qquery")),
                     qPrintable(number(a) + ": " + first.left(30)));
        }
    }

    void seventeenAssignmentsCloseWithACommentsQuestion()
    {
        for (const int a : endsWithComments) {
            int last = nextHeader(a) - 1;
            while (!isQuestionLine(line(last)))
                --last;
            QVERIFY2(line(last).contains(QStringLiteral("comment"), Qt::CaseInsensitive),
                     qPrintable(number(a) + ": " + line(last).left(60)));
            for (int i = last + 1; i < nextHeader(a); ++i)
                QVERIFY2(!isAnswerLine(line(i)),
                         qPrintable(number(a) + ": the comments question has an answer"));
        }
        // 001 closes with a commentary line after its comments question.
        int last = courseShape.at(2).header - 1;
        while (line(last).isEmpty())
            --last;
        QCOMPARE(classifyContentLine(line(last)), LineKind::Commentary);
        QVERIFY(!line(last).trimmed().isEmpty());
    }

    void commentaryLinesAreMostlySpacesOnly()
    {
        int total = 0;
        int spacesOnly = 0;
        for (int i = 1; i <= lastFilledIndex; ++i) {
            if (classifyContentLine(line(i)) != LineKind::Commentary)
                continue;
            ++total;
            spacesOnly += line(i).trimmed().isEmpty();
        }
        QCOMPARE(total, 13);
        QCOMPARE(spacesOnly, 8);
    }

    void theTextIsPrintableAsciiWithCrLfBreaks()
    {
        std::map<int, int> runs;
        int linesWithBreaks = 0;
        qsizetype characters = 0;
        qsizetype longest = 0;
        QList<qsizetype> lengths;
        for (int i = 1; i <= lastFilledIndex; ++i) {
            const QString text = line(i);
            characters += text.size();
            longest = std::max(longest, text.size());
            if (!text.isEmpty())
                lengths.append(text.size());
            QVERIFY2(!text.contains(QStringLiteral("{}")), qPrintable(QString::number(i)));
            linesWithBreaks += text.contains(QStringLiteral("\r\n"));
            for (qsizetype k = 0; k < text.size(); ++k) {
                const char16_t c = text[k].unicode();
                if (c == u'\r') {
                    QVERIFY2(k + 1 < text.size() && text[k + 1] == u'\n',
                             qPrintable(QStringLiteral("lone CR in line %1").arg(i)));
                    int pairs = 0;
                    while (k + 1 < text.size() && text[k] == u'\r' && text[k + 1] == u'\n') {
                        ++pairs;
                        k += 2;
                    }
                    ++runs[pairs];
                    --k;
                    continue;
                }
                QVERIFY2(c >= 32 && c <= 126,
                         qPrintable(QStringLiteral("character %1 in line %2").arg(int(c)).arg(i)));
            }
        }
        QCOMPARE(linesWithBreaks, 87);
        QCOMPARE(runs, (std::map<int, int>{{1, 87}, {2, 381}, {4, 4}}));
        QCOMPARE(longest, qsizetype(2309));
        QVERIFY2(characters >= 69350 && characters <= 76650,
                 qPrintable(QString::number(characters)));

        // The median over the non-empty lines.
        std::sort(lengths.begin(), lengths.end());
        QCOMPARE(lengths.size() % 2, qsizetype(1));
        QCOMPARE(lengths[lengths.size() / 2], qsizetype(78));
    }
};

QTEST_APPLESS_MAIN(TestCourseShape)
#include "tst_course_shape.moc"
