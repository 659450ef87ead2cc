// The export of the stock set: one golden file per format from one set
// with a free record between its stocks, "&", a comma and quotes in names
// and a volume that is no number; the price-file lines of the worked
// example; the XML read back; the save dialog asked, cancelled and
// answered with a file already there or a folder that is not.
#include "core/Stocks.h"
#include "platform/SaveDialog.h"
#include "platform/ui/WidgetDialogs.h"
#include "reports/Reports.h"
#include "support/GoldenFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QProcess>
#include <QTimer>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

StockRec stock(const QStringList &f)
{
    StockRec r;
    r.Symbol = f.value(0);
    r.Name = f.value(1);
    r.LastSale = f.value(2);
    r.Change = f.value(3);
    r.PctChange = f.value(4);
    r.DayHigh = f.value(5);
    r.DayLow = f.value(6);
    r.Open = f.value(7);
    r.Volume = f.value(8);
    r.LastUpdate = f.value(9);
    r.Industry = f.value(10);
    r.Bid = QStringLiteral("12 7/16");
    r.Ask = QStringLiteral("12 9/16");
    r.LastTradeSize = QStringLiteral("100");
    r.PrevClose = QStringLiteral("12 1/4");
    r.High52 = QStringLiteral("15");
    r.Low52 = QStringLiteral("9 1/2");
    r.EPS = QStringLiteral("1.10");
    r.PERatio = QStringLiteral("11.4");
    r.DivPerShare = QStringLiteral("0.40");
    r.Exchange = QStringLiteral("NYSE");
    r.Rating = 2;
    r.LowTarget = 10;
    return r;
}

// Records 0, 1, 3 and 4 hold stocks and record 2 is free, so the set's
// count (4) ends before the last stock.
void fillSet()
{
    resetStocks();
    Sets[0] = stock({"ABC", "ABC Corp", "12 1/2", "+1/4", "+2.04%", "12 3/4", "12", "12 1/4", "98,700",
                     "Jul 21 4:00PM", "Oil & Gas"});
    Sets[1] = stock({"T", "AT&T Corp.", "48 3/8", "-5/8", "-1.27%", "49", "48 1/4", "49", "N/A", "Jan 05 4:01PM",
                     "Telecom <Long Distance>"});
    Sets[3] = stock({"SJC", "Smith, \"Jones\" & Co", "7.25", "0", "0.00%", "7.5", "7", "7.25", "45", "11:02AM",
                     "Services"});
    Sets[4] = stock({"NESN", "Nestlé SA", "101 1/8", "+1 1/8", "+1.12%", "102", "100", "100", "1,234,567",
                     "Nov 30 3:59PM", "Food"});
    SetCount = 4;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList fileLines(const QString &path)
{
    return QString::fromLatin1(fileBytes(path)).split(QStringLiteral("\r\n"));
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

    TempProfile *profile = nullptr;

    QString target(const QString &name) const { return profile->root() + QLatin1Char('/') + name; }

    // Exports in the format to a file of that name and returns its path.
    QString exportTo(short format, const QString &name)
    {
        ScriptedDialogs dialogs;
        dialogs.answerSave(target(name));
        Reports().Export(format);
        return target(name);
    }

private slots:
    void init()
    {
        profile = new TempProfile;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setReportClock([] { return QDateTime(QDate(1999, 7, 22), QTime(9, 30)); });
        fillSet();
    }
    void cleanup()
    {
        setReportClock({});
        QLocale::setDefault(QLocale::c());
        resetStocks();
        delete profile;
    }

    void everyFormatMatchesItsGolden_data()
    {
        QTest::addColumn<short>("format");
        QTest::addColumn<QString>("defaultName");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("filter");
        QTest::newRow("0 tab") << short(0) << "Tab-Delimited.txt" << "txt" << "Text File (*.txt)";
        QTest::newRow("1 comma") << short(1) << "Comma-Delimited" << "txt" << "Text File (*.txt)";
        QTest::newRow("2 quicken pre 5") << short(2) << "Quicken pre 5.0" << "txt" << "Text File (*.txt)";
        QTest::newRow("3 quicken 5") << short(3) << "Quicken 5.0 or later" << "txt" << "Text File (*.txt)";
        QTest::newRow("4 metastock") << short(4) << "MetaStock" << "txt" << "Text File (*.txt)";
        QTest::newRow("5 quote link") << short(5) << "Quote Link" << "txt" << "Text File (*.txt)";
        QTest::newRow("6 prodigy") << short(6) << "Prodigy Quotetrack" << "txt" << "Text File (*.txt)";
        QTest::newRow("7 excel") << short(7) << "Excel" << "txt" << "Excel File (*.csv)";
        QTest::newRow("15 xml") << short(15) << "Stocks.XML" << "xml" << "XML File (*.xml)";
    }
    void everyFormatMatchesItsGolden()
    {
        QFETCH(short, format);
        QFETCH(QString, defaultName);
        QFETCH(QString, extension);
        QFETCH(QString, filter);
        const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
        ScriptedDialogs dialogs;
        dialogs.answerSave(target(name));
        Reports().Export(format);
        QCOMPARE(dialogs.saveRequests().size(), 1);
        const SaveFileRequest &asked = dialogs.saveRequests().first();
        QCOMPARE(asked.title, QStringLiteral("Save As..."));
        QCOMPARE(asked.defaultName, defaultName);
        QCOMPARE(asked.defaultExtension, extension);
        QCOMPARE(asked.filters, QStringList{filter});
        QCOMPARE_GOLDEN_FILE(fileBytes(target(name)), QStringLiteral("reports/export/") + name + QStringLiteral(".txt"));
    }

    void clipboardGetsTheTabText()
    {
        ScriptedDialogs dialogs;
        QGuiApplication::clipboard()->clear();
        Reports().Export(14);
        QVERIFY(dialogs.saveRequests().isEmpty());
        QCOMPARE_GOLDEN_FILE(QGuiApplication::clipboard()->text().toLatin1(), QStringLiteral("reports/export/14-clipboard.txt"));
    }

    // The price files' lines of ABC (12 1/2, up 1/4, 12 3/4 to 12, opened
    // at 12 1/4, 98,700 shares, July 21, in '99).
    void workedExample()
    {
        QCOMPARE(fileLines(exportTo(4, QStringLiteral("meta.txt"))).value(0),
                 QStringLiteral("ABC,d,07/21/99,12.2500,12.7500,12,12.5000,987,0"));
        QCOMPARE(fileLines(exportTo(3, QStringLiteral("q5.txt"))).value(0),
                 QStringLiteral("ABC 987 12.7500 12 12.5000 0.2500 07/21/99"));
        QCOMPARE(fileLines(exportTo(5, QStringLiteral("ql.txt"))).value(1), QStringLiteral("ABC        12.50"));
    }

    // The price files date each quote by its own day, in the two-digit
    // fields the receiving programs read: a year the quote names, the year
    // before for a day still to come this year, today for a time alone.
    void priceFilesDateTheQuote()
    {
        setReportClock([] { return QDateTime(QDate(2000, 1, 4), QTime(9, 30)); });
        resetStocks();
        const char *const updates[] = {"Dec 3 1999", "Dec 30 4:00PM", "Jan 3 4:01PM", "11:02AM", "12/08/99 4:01PM"};
        const QStringList dates = {"12/03/99", "12/30/99", "01/03/00", "01/04/00", "12/08/99"};
        for (int i = 0; i < 5; ++i)
            Sets[size_t(i)] = stock({QStringLiteral("S%1").arg(i), "Name", "12 1/2", "+1/4", "+2.04%", "12 3/4", "12",
                                     "12 1/4", "98,700", QLatin1String(updates[i]), "Oil"});
        SetCount = 5;
        const QStringList meta = fileLines(exportTo(4, QStringLiteral("meta.txt")));
        const QStringList q5 = fileLines(exportTo(3, QStringLiteral("q5.txt")));
        const QStringList old = fileLines(exportTo(2, QStringLiteral("old.txt")));
        const QStringList prodigy = fileLines(exportTo(6, QStringLiteral("prodigy.txt")));
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(meta.value(i).split(QLatin1Char(',')).value(2), dates[i]);
            QVERIFY2(q5.value(i).endsWith(QLatin1Char(' ') + dates[i]), qPrintable(q5.value(i)));
            QVERIFY2(old.value(i).endsWith(QLatin1Char('"') + dates[i] + QLatin1Char('"')), qPrintable(old.value(i)));
            QVERIFY2(prodigy.value(i).contains(QLatin1Char('"') + dates[i] + QLatin1Char('"')), qPrintable(prodigy.value(i)));
        }
    }

    void xmlReadsBack()
    {
        QXmlStreamReader xml(fileBytes(exportTo(15, QStringLiteral("Stocks.xml"))));
        QStringList names, industries;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("Name"))
                names << xml.readElementText();
            else if (xml.isStartElement() && xml.name() == QLatin1String("industry"))
                industries << xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(names, (QStringList{"ABC Corp", "AT&T Corp.", "Smith, \"Jones\" & Co", "Nestlé SA"}));
        QCOMPARE(industries.first(), QStringLiteral("\"Oil  and  Gas\""));
        QCOMPARE(industries.at(1), QStringLiteral("\"Telecom <Long Distance>\""));
    }

    // A name taken from a page with a tab, a line break and a control
    // character in it: the tab and comma files still read as one line of
    // 20 fields a stock, the XML file still reads.
    void controlCharactersInAField()
    {
        Sets[2] = Sets[0];
        Sets[2].Symbol = QStringLiteral("CTL");
        Sets[2].Name = QStringLiteral("Tab\tand\x01" "Bell\r\nCorp");
        const QString tabFile = exportTo(0, QStringLiteral("tab.txt"));
        const QString commaFile = exportTo(1, QStringLiteral("comma.txt"));
        for (const auto &[file, delimiter] : {std::pair{tabFile, "\\t"}, std::pair{commaFile, ","}}) {
            QProcess python;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("PYTHONIOENCODING"), QStringLiteral("utf-8"));
            python.setProcessEnvironment(environment);
            python.start(QStringLiteral("/usr/bin/python3"),
                         {QStringLiteral("-c"),
                          QStringLiteral("import csv, sys\n"
                                         "with open(sys.argv[1], newline='', encoding='latin-1') as f:\n"
                                         "    for row in csv.reader(f, delimiter='%1'):\n"
                                         "        if row: print(len(row), row[1], sep='|')\n")
                              .arg(QLatin1String(delimiter)),
                          file});
            QVERIFY(python.waitForFinished(30000));
            QCOMPARE(python.exitCode(), 0);
            QCOMPARE(QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                     (QStringList{"20|ABC Corp", "20|AT&T Corp.", "20|Tab and Bell  Corp", "20|Smith, \"Jones\" & Co",
                                  "20|Nestl\u00e9 SA"}));
        }
        QXmlStreamReader xml(fileBytes(exportTo(15, QStringLiteral("Stocks.xml"))));
        QStringList names;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("Name"))
                names << xml.readElementText();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(names.value(2), QStringLiteral("TabandBellCorp"));
    }

    void emptySet()
    {
        resetStocks();
        for (short format : {0, 1, 2, 3, 4, 6, 7})
            QCOMPARE(fileBytes(exportTo(format, QStringLiteral("empty%1").arg(format))), QByteArray("\r\n"));
        QCOMPARE(fileBytes(exportTo(5, QStringLiteral("ql"))), QByteArray("07/22/99\r\n\r\n"));
        Reports().Export(14);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    }

    // Cancel writes nothing; a file already there is replaced whole; a
    // file that cannot be written is said so; the formats without a layout
    // ask nothing.
    void cancelReplaceAndFailure()
    {
        ScriptedDialogs dialogs;
        dialogs.answerSave(QString());
        Reports().Export(1);
        QCOMPARE(QDir(profile->root()).entryList({QStringLiteral("*.txt")}), QStringList());

        QFile old(target(QStringLiteral("old.txt")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
        old.close();
        dialogs.answerSave(target(QStringLiteral("old.txt")));
        Reports().Export(5);
        QVERIFY(fileBytes(target(QStringLiteral("old.txt"))).startsWith("07/22/99\r\nABC "));
        QVERIFY(!fileBytes(target(QStringLiteral("old.txt"))).contains('x'));
        QVERIFY(dialogs.shown().isEmpty());

        dialogs.answerSave(target(QStringLiteral("no such folder/out.txt")));
        dialogs.answer(Msg::OK);
        Reports().Export(0);
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(dialogs.shown().first().prompt.contains(QLatin1String("no such folder")));

        for (short format : {8, 13, 16})
            Reports().Export(format);
        QCOMPARE(dialogs.saveRequests().size(), 3);
        QCOMPARE(dialogs.unexpected(), 0);
    }

    // The dialog's results: folder, name and extension of the file chosen;
    // a cancel keeps what an earlier choice gave; a file type is listed once.
    void saveDialogResults()
    {
        ScriptedDialogs dialogs;
        clsSaveDialog dialog;
        dialog.AddFilter(QStringLiteral("Text File"), QStringLiteral("txt"));
        dialog.AddFilter(QStringLiteral("Other"), QStringLiteral("TXT"));
        QCOMPARE(dialog.Filters(), QStringList{QStringLiteral("Text File (*.txt)")});
        dialogs.answerSave(QStringLiteral("/home/ann/Data/quotes.txt"));
        dialog.ShowSave();
        QCOMPARE(dialog.Path(), QStringLiteral("/home/ann/Data/"));
        QCOMPARE(dialog.FileName(), QStringLiteral("quotes.txt"));
        QCOMPARE(dialog.Extension(), QStringLiteral("txt"));
        QCOMPARE(dialog.PathFile(), QStringLiteral("/home/ann/Data/quotes.txt"));
        QCOMPARE(dialog.ShortFileName(), dialog.PathFile());
        QCOMPARE(dialog.ShortFileTitle(), QStringLiteral("quotes.txt"));
        dialog.RemoveFilter(QStringLiteral("TxT"));
        QVERIFY(dialog.Filters().isEmpty());
        dialogs.answerSave(QString());
        dialog.ShowSave();
        QCOMPARE(dialog.FileName(), QStringLiteral("quotes.txt"));
    }

    // The real dialog lists the file type, proposes the name, and adds the
    // chosen type's extension to a name typed without one.
    void widgetDialogAddsTheExtension()
    {
        WidgetDialogs widgets;
        DialogHandler *previous = setDialogHandler(&widgets);
        QStringList filters;
        QString suffix;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll.stop();
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            // The name put in its field, then Save clicked; wherever the
            // dialog's focus is by now (selectFile would not change a focused
            // field, and typing would open the field's completion list).
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
            QAbstractButton *save = buttons ? buttons->button(QDialogButtonBox::Save) : nullptr;
            if (!name || !save) { // the test fails below on the missing file
                dialog->reject();
                return;
            }
            name->setText(target(QStringLiteral("prices")));
            QTest::mouseClick(save, Qt::LeftButton);
        });
        poll.start(20);
        Reports().Export(7);
        setDialogHandler(previous);
        QCOMPARE(filters, QStringList{QStringLiteral("Excel File (*.csv)")});
        QCOMPARE(suffix, QStringLiteral("csv"));
        QVERIFY(QFile::exists(target(QStringLiteral("prices.csv"))));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
