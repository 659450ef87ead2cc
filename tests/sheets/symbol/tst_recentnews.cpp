#include "core/DataDir.h"
#include "platform/PathResolver.h"
#include "sheets/symbol/RecentNews.h"
#include "support/RecordingMainWindow.h"
#include "support/TempProfile.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

QString pagePath()
{
    return DataDir + QStringLiteral("/Cache/News/Temp.htm");
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = resolvePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The file's bytes; "<none>" when it does not exist.
QByteArray fileBytes(const QString &path)
{
    QFile f(resolvePath(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

// A quote page whose recent-news table holds the rows given.
QByteArray newsPage(const QByteArray &rows)
{
    return "<html><body><table><tr><td>ACME</td><td>45 3/8</td></tr></table>\r\n"
           "<b>Recent News</b><table><tr><td><table>" + rows + "</table></td></tr></table>\r\n</body></html>\r\n";
}

} // namespace

class TestRecentNews : public QObject
{
    Q_OBJECT

private slots:
    // The fixture quote page gives these lines, byte for byte.
    void fixturePage()
    {
        TempProfile profile;
        const QString page = qEnvironmentVariable("BW_SOURCE_DIR") + QStringLiteral("/tests/fixtures/site/q/s=ACME.html");
        const QString news = headlineFilePath(QStringLiteral("ACME"));
        QDir().mkpath(DataDir + QStringLiteral("/Cache/News"));
        ParseRecentNews(QStringLiteral("ACME"), page, news);
        QCOMPARE(fileBytes(news),
                 QByteArray("\" Fri Dec 3 4:12PM ACME  #http://news.example.com/s/991203/acme1.html#"
                            " Acme wins Navy contract for deck cranes Business Wire;\"\r\n"
                            "\" Fri Dec 3 9:30AM ACME  #http://news.example.com/s/991203/acme2.html#"
                            " Acme & Bolt to share \"smart\" crane patents Reuters;\"\r\n"
                            "\" Thu Dec 2 5:45PM ACME  Acme Widgets declares quarterly dividend;\"\r\n"
                            "\" Wed Dec 1 11:05AM ACME  #http://news.example.com/s/991201/acme3.html#"
                            " Acme Widgets to present at machinery conference;\"\r\n"));
    }

    void lines_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("lines");

        QTest::newRow("link in the fifth cell")
            << newsPage("<tr><td>a</td><td>b</td><td>c</td><td>d</td><td><a href=\"http://n/1.html\">e</a></td></tr>")
            << QByteArray("\" a b c d #http://n/1.html# e;\"\r\n");
        QTest::newRow("fifth cell without a link")
            << newsPage("<tr><td>a</td><td>b</td><td>c</td><td>d</td><td>e</td></tr>")
            << QByteArray("\" a b c d e;\"\r\n");
        QTest::newRow("links in other cells are not taken")
            << newsPage("<tr><td><a href=\"http://n/0\">a</a></td><td>b</td><td>c</td><td>d</td><td>e</td>"
                        "<td><a href=\"http://n/5\">f</a></td></tr>")
            << QByteArray("\" a b c d e f;\"\r\n");
        QTest::newRow("headline - source in italics is two cells")
            << newsPage("<tr><td>a - <i>Wire</i></td><td>b</td><td>c</td><td><a href=\"http://n/2\">d</a></td></tr>")
            << QByteArray("\" a Wire b c #http://n/2# d;\"\r\n");
        QTest::newRow("&#187; removed, &amp; decoded, blanks trimmed")
            << newsPage("<TR><TD> &#187; </TD><TD> Smith &amp; Sons </TD></TR>")
            << QByteArray("\"  Smith & Sons;\"\r\n");
        QTest::newRow("a row without cells")
            << newsPage("<tr></tr><tr><td>x</td></tr>") << QByteArray("\";\"\r\n\" x;\"\r\n");
        QTest::newRow("TH and Th are cells, th is not")
            << newsPage("<TR><TH>a</TH><Th>b</Th></TR><tr><th>c</th></tr>")
            << QByteArray("\" a b;\"\r\n\";\"\r\n");
        QTest::newRow("a double quote is written as it is")
            << newsPage("<tr><td>say \"hi\"</td></tr>") << QByteArray("\" say \"hi\";\"\r\n");
        QTest::newRow("a headline broken over lines is joined")
            << newsPage("<tr><td>one\r\ntwo\r\n three</td></tr>") << QByteArray("\" onetwo three;\"\r\n");
        // Text keeps its letter case; only tag names are made lower case.
        QTest::newRow("words in capitals are not tags")
            << newsPage("<TR><TD>Thu: TRADE TALKS AT THE TD BANK</TD></TR>")
            << QByteArray("\" Thu: TRADE TALKS AT THE TD BANK;\"\r\n");
        // Two blanks are one blank, not none.
        QTest::newRow("runs of blanks collapse to one")
            << newsPage("<tr><td>two  blanks,\tthree   blanks</td></tr>")
            << QByteArray("\" two blanks,three blanks;\"\r\n");
        QTest::newRow("an unclosed row ends the file")
            << newsPage("<tr><td>a</td></tr><tr><td>b</td>") << QByteArray("\" a;\"\r\n");
        QTest::newRow("an unclosed cell ends the file before its row")
            << newsPage("<tr><td>a</td></tr><tr><td>b</td><td>c</tr><tr><td>d</td></tr>")
            << QByteArray("\" a;\"\r\n");
        QTest::newRow("HTML and Html tags")
            << QByteArray("<HTML>Recent News<table><tr><td><table><tr><td>x</td></tr></table></td></tr></table></Html>")
            << QByteArray("\" x;\"\r\n");

        // Pages that give no headline file at all.
        QTest::newRow("no <html>") << QByteArray("Recent News<table><table><tr><td>x</td></tr></table></html>")
                                   << QByteArray("<none>");
        QTest::newRow("no </html>") << QByteArray("<html>Recent News<table><table><tr><td>x</td></tr></table>")
                                    << QByteArray("<none>");
        // Without its marker a page has no recent news; another table is not taken.
        QTest::newRow("no Recent News marker")
            << QByteArray("<html><table><tr><td>q</td></tr></table><table><tr><td>x</td></tr></table></html>")
            << QByteArray("<none>");
        QTest::newRow("marker without a table under it")
            << QByteArray("<html><table><tr><td>q</td></tr></table>Recent News <p>none</p></html>")
            << QByteArray("<none>");
        QTest::newRow("marker with only one table under it")
            << QByteArray("<html><table><tr><td>q</td></tr></table>Recent News<table><tr><td>x</td></tr></table></html>")
            << QByteArray("<none>");
        QTest::newRow("table not closed")
            << QByteArray("<html>Recent News<table><tr><td><table><tr><td>x</td></tr></html>") << QByteArray("<none>");
        QTest::newRow("table without rows") << newsPage("") << QByteArray("<none>");
    }
    void lines()
    {
        TempProfile profile;
        QFETCH(QByteArray, page);
        writeFile(pagePath(), page);
        const QString news = headlineFilePath(QStringLiteral("ACME"));
        ParseRecentNews(QStringLiteral("ACME"), pagePath(), news);
        QTEST(fileBytes(news), "lines");
    }

    // Lines are appended to what the file holds; a missing page adds nothing.
    void appendsToTheFile()
    {
        TempProfile profile;
        const QString news = headlineFilePath(QStringLiteral("ACME"));
        writeFile(news, "\" old;\"\r\n");
        writeFile(pagePath(), newsPage("<tr><td>new</td></tr>"));
        ParseRecentNews(QStringLiteral("ACME"), pagePath(), news);
        ParseRecentNews(QStringLiteral("ACME"), DataDir + QStringLiteral("/Cache/News/missing.htm"), news);
        QCOMPARE(fileBytes(news), QByteArray("\" old;\"\r\n\" new;\"\r\n"));
    }

    void historicalData()
    {
        TempProfile profile;
        RecordingMainWindow window;
        window.grid.setRows(5);
        writeFile(DataDir + QStringLiteral("/Cache/DataSheet/giltf historical data.htm"),
                  "<html><XMP>Date Close\r\n1 Dec 99 101.2\r\n</XMP></html>\r\n");
        FG_HistoricalData();
        QCOMPARE(window.grid.Rows(), 3);
        QCOMPARE(window.grid.TextMatrix(2, 0), QStringLiteral("Date Close\r\n1 Dec 99 101.2\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestRecentNews)
#include "tst_recentnews.moc"
