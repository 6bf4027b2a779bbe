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

    // One row for each character that has a spelling in the course's
    // notation; every other character outside the code page is one "?".
    void outsideTheCodePageTheCoursesNotationIsWritten_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("Α") << QStringLiteral("Α") << QByteArray("`Alpha");
        QTest::newRow("Β") << QStringLiteral("Β") << QByteArray("`Beta");
        QTest::newRow("Γ") << QStringLiteral("Γ") << QByteArray("`Gamma");
        QTest::newRow("Δ") << QStringLiteral("Δ") << QByteArray("`Delta");
        QTest::newRow("Ε") << QStringLiteral("Ε") << QByteArray("`Epsilon");
        QTest::newRow("Ζ") << QStringLiteral("Ζ") << QByteArray("`Zeta");
        QTest::newRow("Η") << QStringLiteral("Η") << QByteArray("`Eta");
        QTest::newRow("Θ") << QStringLiteral("Θ") << QByteArray("`Theta");
        QTest::newRow("Ι") << QStringLiteral("Ι") << QByteArray("`Iota");
        QTest::newRow("Κ") << QStringLiteral("Κ") << QByteArray("`Kappa");
        QTest::newRow("Λ") << QStringLiteral("Λ") << QByteArray("`Lambda");
        QTest::newRow("Μ") << QStringLiteral("Μ") << QByteArray("`Mu");
        QTest::newRow("Ν") << QStringLiteral("Ν") << QByteArray("`Nu");
        QTest::newRow("Ξ") << QStringLiteral("Ξ") << QByteArray("`Xi");
        QTest::newRow("Ο") << QStringLiteral("Ο") << QByteArray("`Omicron");
        QTest::newRow("Π") << QStringLiteral("Π") << QByteArray("`Pi");
        QTest::newRow("Ρ") << QStringLiteral("Ρ") << QByteArray("`Rho");
        QTest::newRow("Σ") << QStringLiteral("Σ") << QByteArray("`Sigma");
        QTest::newRow("Τ") << QStringLiteral("Τ") << QByteArray("`Tau");
        QTest::newRow("Υ") << QStringLiteral("Υ") << QByteArray("`Upsilon");
        QTest::newRow("Φ") << QStringLiteral("Φ") << QByteArray("`Phi");
        QTest::newRow("Χ") << QStringLiteral("Χ") << QByteArray("`Chi");
        QTest::newRow("Ψ") << QStringLiteral("Ψ") << QByteArray("`Psi");
        QTest::newRow("Ω") << QStringLiteral("Ω") << QByteArray("`Omega");
        QTest::newRow("α") << QStringLiteral("α") << QByteArray("`alpha");
        QTest::newRow("β") << QStringLiteral("β") << QByteArray("`beta");
        QTest::newRow("γ") << QStringLiteral("γ") << QByteArray("`gamma");
        QTest::newRow("δ") << QStringLiteral("δ") << QByteArray("`delta");
        QTest::newRow("ε") << QStringLiteral("ε") << QByteArray("`epsilon");
        QTest::newRow("ζ") << QStringLiteral("ζ") << QByteArray("`zeta");
        QTest::newRow("η") << QStringLiteral("η") << QByteArray("`eta");
        QTest::newRow("θ") << QStringLiteral("θ") << QByteArray("`theta");
        QTest::newRow("ι") << QStringLiteral("ι") << QByteArray("`iota");
        QTest::newRow("κ") << QStringLiteral("κ") << QByteArray("`kappa");
        QTest::newRow("λ") << QStringLiteral("λ") << QByteArray("`lambda");
        QTest::newRow("μ") << QStringLiteral("μ") << QByteArray("`mu");
        QTest::newRow("ν") << QStringLiteral("ν") << QByteArray("`nu");
        QTest::newRow("ξ") << QStringLiteral("ξ") << QByteArray("`xi");
        QTest::newRow("ο") << QStringLiteral("ο") << QByteArray("`omicron");
        QTest::newRow("π") << QStringLiteral("π") << QByteArray("`pi");
        QTest::newRow("ρ") << QStringLiteral("ρ") << QByteArray("`rho");
        QTest::newRow("ς") << QStringLiteral("ς") << QByteArray("`sigma");
        QTest::newRow("σ") << QStringLiteral("σ") << QByteArray("`sigma");
        QTest::newRow("τ") << QStringLiteral("τ") << QByteArray("`tau");
        QTest::newRow("υ") << QStringLiteral("υ") << QByteArray("`upsilon");
        QTest::newRow("φ") << QStringLiteral("φ") << QByteArray("`phi");
        QTest::newRow("χ") << QStringLiteral("χ") << QByteArray("`chi");
        QTest::newRow("ψ") << QStringLiteral("ψ") << QByteArray("`psi");
        QTest::newRow("ω") << QStringLiteral("ω") << QByteArray("`omega");
        QTest::newRow("ϑ") << QStringLiteral("ϑ") << QByteArray("`theta");
        QTest::newRow("ϕ") << QStringLiteral("ϕ") << QByteArray("`phi");
        QTest::newRow("ϖ") << QStringLiteral("ϖ") << QByteArray("`pi");
        QTest::newRow("‐") << QStringLiteral("‐") << QByteArray("-");
        QTest::newRow("‑") << QStringLiteral("‑") << QByteArray("-");
        QTest::newRow("′") << QStringLiteral("′") << QByteArray("'");
        QTest::newRow("″") << QStringLiteral("″") << QByteArray("''");
        QTest::newRow("⁰") << QStringLiteral("⁰") << QByteArray("^0");
        QTest::newRow("⁴") << QStringLiteral("⁴") << QByteArray("^4");
        QTest::newRow("⁵") << QStringLiteral("⁵") << QByteArray("^5");
        QTest::newRow("⁶") << QStringLiteral("⁶") << QByteArray("^6");
        QTest::newRow("⁷") << QStringLiteral("⁷") << QByteArray("^7");
        QTest::newRow("⁸") << QStringLiteral("⁸") << QByteArray("^8");
        QTest::newRow("⁹") << QStringLiteral("⁹") << QByteArray("^9");
        QTest::newRow("⁺") << QStringLiteral("⁺") << QByteArray("^+");
        QTest::newRow("⁻") << QStringLiteral("⁻") << QByteArray("^-");
        QTest::newRow("ⁿ") << QStringLiteral("ⁿ") << QByteArray("^n");
        QTest::newRow("₀") << QStringLiteral("₀") << QByteArray("_0");
        QTest::newRow("₁") << QStringLiteral("₁") << QByteArray("_1");
        QTest::newRow("₂") << QStringLiteral("₂") << QByteArray("_2");
        QTest::newRow("₃") << QStringLiteral("₃") << QByteArray("_3");
        QTest::newRow("₄") << QStringLiteral("₄") << QByteArray("_4");
        QTest::newRow("₅") << QStringLiteral("₅") << QByteArray("_5");
        QTest::newRow("₆") << QStringLiteral("₆") << QByteArray("_6");
        QTest::newRow("₇") << QStringLiteral("₇") << QByteArray("_7");
        QTest::newRow("₈") << QStringLiteral("₈") << QByteArray("_8");
        QTest::newRow("₉") << QStringLiteral("₉") << QByteArray("_9");
        QTest::newRow("Ω") << QStringLiteral("Ω") << QByteArray("`Omega");
        QTest::newRow("⅓") << QStringLiteral("⅓") << QByteArray("1/3");
        QTest::newRow("⅔") << QStringLiteral("⅔") << QByteArray("2/3");
        QTest::newRow("←") << QStringLiteral("←") << QByteArray("<-");
        QTest::newRow("→") << QStringLiteral("→") << QByteArray("->");
        QTest::newRow("⇒") << QStringLiteral("⇒") << QByteArray("=>");
        QTest::newRow("∆") << QStringLiteral("∆") << QByteArray("`Delta");
        QTest::newRow("∏") << QStringLiteral("∏") << QByteArray("`Pi");
        QTest::newRow("∑") << QStringLiteral("∑") << QByteArray("`Sigma");
        QTest::newRow("−") << QStringLiteral("−") << QByteArray("-");
        QTest::newRow("∕") << QStringLiteral("∕") << QByteArray("/");
        QTest::newRow("∙") << QStringLiteral("∙") << QByteArray("*");
        QTest::newRow("√") << QStringLiteral("√") << QByteArray("`sqrt");
        QTest::newRow("∞") << QStringLiteral("∞") << QByteArray("infinity");
        QTest::newRow("∫") << QStringLiteral("∫") << QByteArray("integral ");
        QTest::newRow("≈") << QStringLiteral("≈") << QByteArray("~=");
        QTest::newRow("≠") << QStringLiteral("≠") << QByteArray("!=");
        QTest::newRow("≤") << QStringLiteral("≤") << QByteArray("<=");
        QTest::newRow("≥") << QStringLiteral("≥") << QByteArray(">=");
        QTest::newRow("⋅") << QStringLiteral("⋅") << QByteArray("*");
        QTest::newRow("CJK") << QStringLiteral("\u4E2D") << QByteArray("?");
        QTest::newRow("emoji, two UTF-16 units") << QStringLiteral("\U0001F600") << QByteArray("?");
        QTest::newRow("mathematical italic x") << QStringLiteral("\U0001D465") << QByteArray("?");
        QTest::newRow("lone high surrogate") << QString(QChar(0xD835)) << QByteArray("?");
        QTest::newRow("combining macron") << QStringLiteral("\u0304") << QByteArray("?");
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
