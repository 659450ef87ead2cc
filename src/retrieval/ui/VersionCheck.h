#pragma once

#include <QString>
#include <functional>
#include <memory>

class SocketControl;

// The text in the maker's version file that announces a newer version.
inline constexpr const char *NewVersionMarker = "New version Available";

// The check for a newer version of the program: the maker's version file
// "Brw53.txt" is fetched over a socket of the check's own (never the batch
// run's), kept in the program folder as received, headers included, and
// searched for the marker.
class VersionCheck
{
public:
    VersionCheck();
    ~VersionCheck();
    VersionCheck(const VersionCheck &) = delete;
    VersionCheck &operator=(const VersionCheck &) = delete;

    // True when the reply announces a new version. Otherwise the user has
    // been told why (the latest version, a socket error, no answer), or the
    // connection check said no. showStatus gets the status text.
    bool run(const std::function<void(const QString &)> &showStatus = {});

    SocketControl &Winsock1() { return *m_socket; }

    QString VerFile;    // the local copy of the reply
    QString VerUrl;     // the version file's address
    QString VerBuffer;  // the reply received so far

    // How long the check waits for the server to finish (30 s unless set).
    static int timeoutMs();
    static void setTimeoutMs(int ms);

private:
    void Winsock1_Connect();
    void Winsock1_DataArrival();
    void Winsock1_Close();
    void Winsock1_Error(int Number, const QString &Description);

    std::unique_ptr<SocketControl> m_socket;
    bool m_errorShown = false;
    bool m_written = false;
};
