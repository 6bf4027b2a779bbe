#include "format/windows1252.h"

#include <QtTest>

class TestTextEncoding : public QObject
{
    Q_OBJECT

private slots:
    void everyByteSurvivesARoundTrip()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(toWindows1252(fromWindows1252(all)), all);
    }

    void charactersOfTheCodePageBecomeTheirByte()
    {
        QCOMPARE(toWindows1252(u"\u20AC \u00E9 \u2014 \u0178"), QByteArray("\x80 \xE9 \x97 \x9F"));
    }

    // The course's notation for what a student may paste: Greek letters by
    // their names after a backquote, super- and subscript digits as "^4" and
    // "_4", and a spelling of its own for each sign below. Every other
    // character outside the code page is one "?".
    void outsideTheCodePageTheCoursesNotationIsWritten_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QByteArray>("written");
        auto row = [](char32_t c, const QByteArray &written) {
            const QString character = QString::fromUcs4(&c, 1);
            QTest::newRow(qPrintable(character)) << character << written;
        };
        const QList<QByteArray> greek = {
            "alpha", "beta",  "gamma",  "delta",   "epsilon", "zeta", "eta",     "theta",
            "iota",  "kappa", "lambda", "mu",      "nu",      "xi",   "omicron", "pi",
            "rho",   "sigma", "tau",    "upsilon", "phi",     "chi",  "psi",     "omega"};
        for (qsizetype i = 0; i < greek.size(); ++i) {
            // Sigma and the letters after it stand one place on, after the
            // final sigma (and the empty place among the capitals).
            const auto at = char32_t(i < 17 ? i : i + 1);
            row(U'\u03B1' + at, '`' + greek[i]);
            row(U'\u0391' + at, '`' + greek[i].left(1).toUpper() + greek[i].mid(1));
        }
        for (int d = 0; d <= 9; ++d) {
            row(U'\u2080' + char32_t(d), "_" + QByteArray::number(d));
            // Superscript 1 to 3 are in the code page.
            if (d == 0 || d >= 4)
                row(U'\u2070' + char32_t(d), "^" + QByteArray::number(d));
        }
        row(U'\u03C2', "`sigma");
        row(U'\u03D1', "`theta");
        row(U'\u03D5', "`phi");
        row(U'\u03D6', "`pi");
        row(U'\u2010', "-");
        row(U'\u2011', "-");
        row(U'\u2032', "'");
        row(U'\u2033', "''");
        row(U'\u207A', "^+");
        row(U'\u207B', "^-");
        row(U'\u207F', "^n");
        row(U'\u2126', "`Omega");
        row(U'\u2153', "1/3");
        row(U'\u2154', "2/3");
        row(U'\u2190', "<-");
        row(U'\u2192', "->");
        row(U'\u21D2', "=>");
        row(U'\u2206', "`Delta");
        row(U'\u220F', "`Pi");
        row(U'\u2211', "`Sigma");
        row(U'\u2212', "-");
        row(U'\u2215', "/");
        row(U'\u2219', "*");
        row(U'\u221A', "`sqrt");
        row(U'\u221E', "infinity");
        row(U'\u222B', "integral ");
        row(U'\u2248', "~=");
        row(U'\u2260', "!=");
        row(U'\u2264', "<=");
        row(U'\u2265', ">=");
        row(U'\u22C5', "*");
        QTest::newRow("CJK") << QStringLiteral("\u4E2D") << QByteArray("?");
        QTest::newRow("emoji, two UTF-16 units") << QStringLiteral("\U0001F600") << QByteArray("?");
        QTest::newRow("mathematical italic x") << QStringLiteral("\U0001D465") << QByteArray("?");
        QTest::newRow("lone high surrogate") << QString(QChar(0xD835)) << QByteArray("?");
        QTest::newRow("combining macron") << QStringLiteral("\u0304") << QByteArray("?");
        QTest::newRow("empty place among the capitals")
            << QStringLiteral("\u03A2") << QByteArray("?");
    }

    void outsideTheCodePageTheCoursesNotationIsWritten()
    {
        QFETCH(QString, character);
        QFETCH(QByteArray, written);
        QCOMPARE(toWindows1252(u'a' + character + u'b'), 'a' + written + 'b');
    }
};

QTEST_APPLESS_MAIN(TestTextEncoding)
#include "tst_text_encoding.moc"
