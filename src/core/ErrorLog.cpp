#include "core/ErrorLog.h"

#include "core/DataDir.h"
#include "core/Registry.h"
#include "core/Variant.h"
#include "platform/Dialogs.h"
#include "platform/Latin1File.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTime>

static QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

QString errorLogTime()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t')); // no time zone
    return QLocale::system().toString(QTime::currentTime(), format.trimmed());
}

namespace {

const QString crlf = QStringLiteral("\r\n");

// A record without its "Where: " line, as the message shows it.
QString recordText(const QString &Description, float Number, const QString &Source)
{
    return QStringLiteral("--------------") + crlf + QStringLiteral("Time: ") + errorLogTime() + crlf
           + QStringLiteral("Description:") + blanks(3) + Description + crlf + QStringLiteral("Number:") + blanks(8)
           + numberText(double(Number)) + crlf + QStringLiteral("Source:") + blanks(9) + Source;
}

QString whereLine(const QString &Where)
{
    return crlf + QStringLiteral("Where: ") + Where + crlf;
}

void appendToLog(const QString &text)
{
    if (DataDir.isEmpty())
        InitDataDir();
    appendLatin1File(DataDir + QStringLiteral("\\ErrorLog.txt"), text);
    QCoreApplication::processEvents();
}

} // namespace

void ErrorTrap(const QString &Description, float Number, const QString &Source, const QString &Where,
               bool ShowMessage)
{
    const QString record = recordText(Description, Number, Source);
    appendToLog(record + whereLine(Where));

    if (ShowMessage && QuerySetting(QStringLiteral("ErrorTraping")).toString().isEmpty()) {
        const int answer = MsgBox(QStringLiteral("Error occur and logged successfully into a log file") + crlf
                                      + QStringLiteral("If you don't want to see this massages anymore, Click Cancel")
                                      + crlf + record,
                                  Msg::OKCancel + Msg::Information, QStringLiteral("Error occur"));
        if (answer == Msg::Cancel)
            SaveSetting(QStringLiteral("ErrorTraping"), QStringLiteral("1"));
    }
}

void ErrorTrapAll(const QList<ErrorRecord> &records)
{
    if (records.isEmpty())
        return;
    QString text;
    for (const ErrorRecord &r : records)
        text += recordText(r.description, r.number, r.source) + whereLine(r.where);
    appendToLog(text);
}
