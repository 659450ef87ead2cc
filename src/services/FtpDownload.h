#pragma once

#include <QSaveFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <memory>

class QTcpServer;
class QTcpSocket;

// One whole reply of an FTP server: its code and its last line.
struct FtpReply
{
    int code = 0;
    QString line;
};

// Takes the whole replies out of the bytes received so far; what is not
// yet a whole reply stays in pending, and openCode holds the code of a
// multi-line reply still being read.
QList<FtpReply> takeFtpReplies(QByteArray &pending, QString &openCode);

// Fetches one file from an FTP server in active mode: a fixed script of
// five commands on the control connection (user, password, binary type,
// data port, retrieve), each sent when the reply it waits for has come,
// and a data connection the server opens to a port the system chose.
// Replies are read whole, multi-line replies included. The download is
// complete only when the server has said so (226 or 250), the data
// connection has closed, and the byte count is the one announced. The
// bytes go to a temporary file that takes the chosen name only then, so a
// failed or killed download never leaves a partial file under that name
// nor touches a file already there. Every wait is bounded: each arrival
// starts the time limit again.
class FtpDownload : public QObject
{
    Q_OBJECT

public:
    struct FtpStep
    {
        QString Expect; // reply code awaited
        QString Send;   // command sent when it comes
    };

    explicit FtpDownload(QObject *parent = nullptr);
    ~FtpDownload() override;

    QString FtpHost;
    quint16 FtpPort = 21;
    QString FtpUser = QStringLiteral("anonymous");
    QString FtpPassword = QStringLiteral("brw@pellor.net");
    QString LocalFile;
    QString RemoteFile = QStringLiteral("/pellor/Brw504U.zip");
    // Longest silence of the server before the download is given up.
    int WaitSeconds = 60;

    std::array<FtpStep, 5> FtpScript;
    int StepNo = 0;          // 0-4 the script, 5 awaiting the transfer, 6 transferring
    qint64 TotalBytes = 0;   // size the server announced (0: none)
    qint64 BytesReceived = 0;

    // Opens the temporary file beside LocalFile and connects; false, with
    // finished() already sent, when the file cannot be written.
    bool start();
    // Ends a download under way as failed ("Cancelled"); nothing when idle.
    void cancel();
    bool active() const { return m_active; }

signals:
    void commandSent(const QString &line);
    // A reply the script did not expect and that is not a refusal: the
    // script waits at its step.
    void unexpectedReply(const QString &reply);
    void transferStarted();
    void progress(qint64 received, qint64 total);
    // complete false: nothing was written under LocalFile; why says what happened.
    void finished(bool complete, const QString &why);

private:
    void send(const QString &line);
    void readControl();
    void onReply(int code, const QString &line);
    void openDataPort();
    void acceptData();
    void readData();
    void dataClosed();
    void finishIfDone();
    void fail(const QString &why);
    void closeAll();
    void touch();

    QTcpSocket *m_control = nullptr;
    QTcpServer *m_listener = nullptr;
    QTcpSocket *m_data = nullptr;
    std::unique_ptr<QSaveFile> m_file;
    QTimer m_watchdog;
    QByteArray m_pending;   // control bytes not yet a whole line
    QString m_openCode;     // code of a multi-line reply being read
    bool m_active = false;
    bool m_serverDone = false;
    bool m_dataClosed = false;
};
