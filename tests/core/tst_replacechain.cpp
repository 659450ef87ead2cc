#include "core/ReplaceChain.h"
#include "core/TextHelpers.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

using Steps = QList<std::pair<QString, QString>>;

QString oneByOne(QString text, const Steps &steps)
{
    for (const auto &[from, to] : steps)
        if (!from.isEmpty())
            text.replace(from, to, Qt::CaseSensitive);
    return text;
}

QString randomText(QRandomGenerator &random, const QString &letters, int maxLength)
{
    QString text;
    const int length = random.bounded(maxLength + 1);
    for (int i = 0; i < length; ++i)
        text += letters.at(random.bounded(int(letters.size())));
    return text;
}

} // namespace

class TestReplaceChain : public QObject
{
    Q_OBJECT

private slots:
    // The chain gives what its steps give one by one, whichever steps it
    // does in one pass: the sheets' own chains on texts that provoke their
    // order, then random chains over few letters on random texts.
    void sameAsStepByStep()
    {
        const Steps tags = {{"TABLE", "table"}, {"Table", "table"}, {"TR", "tr"},  {"Tr", "tr"},
                            {"TD", "td"},       {"Td", "td"},       {"TH", "td"},  {"Th", "td"},
                            {"&#187;", ""},     {"</tr></table>", ""},
                            {"<table x><tr>", "</td>"},
                            {"<tr WIDtd=1><td>x</td></tr>", ""}};
        const Steps filings = {{"\t", " "}, {"TABLE", "table"}, {"TD", "td"}, {"Td", "td"}, {"TR", "tr"}, {"Tr", "tr"},
                               {":", "</td><td>"}, {"<A HREF=", "<>"}, {"ALT=\"F\">", "<>"}, {"/A", ""}};
        const QStringList pages = {
            "<TR WIDTH=1><TD>x</TD></TR><TABLE x><TR>WIDTH TTHH &#187&#187;; </TR></TABLE>",
            "<TABLE x><Tr WIDTh=1><Td>x</Td></Tr></Table>a:b<A HREF=\"x\"ALT=\"F\">/A/A:/A TRANSOCEAN\tTHE",
            "<tr WIDTH=1><td>x</td></tr><tr WIDTH=1><TH>x</Th></TR></tr></TABLE>",
        };
        for (const Steps &steps : {tags, filings})
            for (const QString &page : pages)
                QCOMPARE(ReplaceChain(steps).apply(page), oneByOne(page, steps));

        QRandomGenerator random(20261210);
        const QString letters = QStringLiteral("abAB<>\x0101");
        for (int round = 0; round < 20000; ++round) {
            Steps steps;
            const int count = 1 + random.bounded(5);
            for (int s = 0; s < count; ++s)
                steps << std::pair{randomText(random, letters, 3), randomText(random, letters, 3)};
            const QString text = randomText(random, letters, 24);
            const QString expected = oneByOne(text, steps);
            const ReplaceChain chain(steps);
            if (chain.apply(text) != expected) {
                QString said;
                for (const auto &[from, to] : steps)
                    said += QStringLiteral("[%1->%2]").arg(from, to);
                QFAIL(qPrintable(QStringLiteral("%1 on \"%2\"").arg(said, text)));
            }
            QString appended = QStringLiteral("x");
            chain.appendTo(appended, text);
            QCOMPARE(appended, QStringLiteral("x") + expected);
        }
    }

    // Inside the tags only, each tag through the whole chain; an unclosed
    // tag runs to the end.
    void replaceInTags()
    {
        const QList<std::pair<QString, QString>> steps = {{"TD", "td"}, {"TH", "th"}, {"<td", "<cell"}};
        QCOMPARE(ReplaceInTags("<TD>THOMPSON TD</TD><TH x", steps), QStringLiteral("<cell>THOMPSON TD</td><th x"));
        QCOMPARE(ReplaceInTags("no tags, TD", steps), QStringLiteral("no tags, TD"));
        QCOMPARE(ReplaceInTags("a>TD<TD", steps), QStringLiteral("a>TD<cell"));
        const QList<std::pair<QString, QString>> letters = {{"TD", "td"}, {"TH", "th"}};
        QCOMPARE(ReplaceInTags("<TD>THOMPSON TD</TD><TH x", letters), QStringLiteral("<td>THOMPSON TD</td><th x"));

        // Random texts and chains against each tag cut out and changed on its own.
        QRandomGenerator random(1210);
        for (int round = 0; round < 5000; ++round) {
            Steps chain;
            const int count = 1 + random.bounded(4);
            for (int s = 0; s < count; ++s) {
                const QString from = randomText(random, QStringLiteral("ab<>"), 3);
                chain << std::pair{from, round % 2 ? randomText(random, QStringLiteral("ab<>"), 3)
                                                   : randomText(random, QStringLiteral("AB"), int(from.size()))};
                if (round % 2 == 0)
                    chain.last().second = chain.last().second.leftJustified(from.size(), u'A', true);
            }
            const QString text = randomText(random, QStringLiteral("ab<>"), 30);
            QString expected;
            qsizetype copied = 0;
            for (qsizetype open = text.indexOf(u'<'); open >= 0; open = text.indexOf(u'<', copied)) {
                const qsizetype close = text.indexOf(u'>', open);
                const qsizetype end = close < 0 ? text.size() : close + 1;
                expected += text.mid(copied, open - copied) + oneByOne(text.mid(open, end - open), chain);
                copied = end;
            }
            expected += text.mid(copied);
            QCOMPARE(ReplaceInTags(text, chain), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestReplaceChain)
#include "tst_replacechain.moc"
