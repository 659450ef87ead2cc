#pragma once

#include <QString>

class TransferControl;

// The main window's transfer control, created on first use; its state
// changes are reported through Inet1_StateChanged.
TransferControl &Inet1();

// The transfer control of the active batch run (Inet1), nullptr when idle.
extern TransferControl *CurInet;

// Gives Inet1 the stored proxy ("ProxyE" 1: the named proxy "Proxy";
// anything else: direct). Called at load and whenever either is stored.
void ApplyStoredProxy();

// Shows Status as the window caption, then (unless StopFlag is set) fetches
// Url through CurInet and writes the reply body into File. A reply of at
// least one byte replaces the file's whole content; an empty, failed, timed
// out or cancelled request leaves the file as it was.
void GetUrlToFile(const QString &File, const QString &Url, const QString &Status);
// The same for a page with a size rule: a reply shorter than minBytes (an
// error page) is not written either. True when the file was written.
bool GetUrlToPage(const QString &File, const QString &Url, const QString &Status, qint64 minBytes);

// Shows the transfer state in the status panel Panel1(6); an error or a
// completed request ends the batch run when no task is left.
void Inet1_StateChanged(short State);

// The panel text for a state code ("" for codes without one).
QString transferStateText(int State);
