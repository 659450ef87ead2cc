#pragma once

#include <QString>

class SocketControl;

// The HTTP/1.0 client over the main window's socket control. A fetch
// routine, for each page:
//   Winsock1().Close() once before its first page; then
//   SocketFetch(file, "http://<server><path>?<query>", status);
//   then its own size rule on the file.
// The reply is written whole (status line, headers, empty line, body and a
// closing CRLF) when the server closes the connection. A reply cut off by
// Stop, the time limit, an error or a close before the promised length is
// never written, so the old file stays.

// The main window's socket control, created on first use with its events
// connected to the Winsock1_ handlers below.
SocketControl &Winsock1();

extern QString WsUrl;     // full address of the current exchange
extern QString WsFile;    // file that receives the reply
extern QString WsBuffer;  // reply received so far
extern bool WsBusy;       // from the connect event to the close event

// Waits, letting events run, until the socket is closed. Ends early and
// closes the socket on a socket error, when StopFlag turns true during the
// wait (not when it was already true at the start) and after the time
// limit. frmMain::WinsockWait calls this.
void WinsockWait();

// Time limit of one wait in milliseconds (90 seconds unless set).
int winsockWaitTimeout();
void setWinsockWaitTimeout(int ms);

// Steps 2 to 6 of a page fetch: wait for any earlier exchange, set WsFile
// and WsUrl, show Status as the caption, connect to the server of Url
// (its port, else 80) and wait for the reply.
void SocketFetch(const QString &File, const QString &Url, const QString &Status);
// The same for a page with a size rule: a reply (with its closing CRLF)
// shorter than minBytes is an error page and is not written, so the old
// file stays. True when the file was written.
bool SocketFetchPage(const QString &File, const QString &Url, const QString &Status, qint64 minBytes);

// Event handlers of the socket control.
void Winsock1_Connect();
void Winsock1_DataArrival(long bytesTotal);
void Winsock1_Close();
void Winsock1_Error(int Number, const QString &Description);

// The request sent for an address.
QString httpRequestFor(const QString &url);

// Clears the exchange fields and closes the socket (tests).
void resetSocketFetch();
