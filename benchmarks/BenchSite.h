#pragma once

// What the timing programs share: a loopback site holding every page of
// every stock of a set, the set and a portfolio in a profile, one update
// run in a fresh main window, the bare fetches of a run's requests over the
// transports the run used, and the figures they print.

#include <QAtomicInt>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

class FixtureSite;
class frmMain;

namespace bench {

// n symbols "AAX", "BAX", ...
QStringList symbols(int n);

// The fixture pages under root, and every per-stock page for each of the
// symbols. Returns the number of per-stock addresses of one stock.
int makeSite(const QString &root, const QStringList &symbols);

// Makes the site's quote pages give a last sale that changes with the
// generation (bump it before each run).
void changeQuotes(FixtureSite &site, const QString &root, QAtomicInt *generation);

// The set (saved to Set0.dat) and a portfolio of `trades` purchases of
// its stocks (saved to Portfolio.dat).
void fillSet(const QStringList &symbols);
void fillPortfolio(const QStringList &symbols, int trades);

// One request a run made: how it came (the program's own socket client
// sends the whole address in its request line) and its head.
struct Request
{
    bool socket = false;
    QByteArray head;
    QString target; // path and query
};
QList<Request> requestsSince(const FixtureSite &site, int from);

struct Bare
{
    double seconds = 0;   // over the transports the run used
    double floor = 0;     // a plain blocking HTTP/1.0 loop, no Qt
    double cpu = 0;       // the calling thread's processor time over the transports
    int socketRequests = 0;
};
// The same requests fetched bare, one after another, nothing parsed or written.
Bare bareFetches(const FixtureSite &site, const QList<Request> &requests);

// One update run of the set in the current profile, in a fresh main window.
class Window
{
public:
    Window();
    ~Window();
    double run(); // seconds
    double lastCpu() const { return m_cpu; } // the calling thread's processor seconds in the last run
    frmMain *window() const { return m_w; }

private:
    frmMain *m_w = nullptr;
    double m_cpu = 0;
};

struct Figures
{
    double min = 0, median = 0;
};
Figures figures(std::vector<double> v);

long residentKb();
// Processor seconds the calling thread has used (less moved by a busy machine than the clock).
double threadCpu();
QString platformName();

} // namespace bench
