#pragma once

#include <QByteArray>
#include <QString>

// Cached pages for sheet tests, written into DataDir's "Cache/DataSheet".

QString cachePagePath(const QString &name);
// Writes the bytes as the page (the folder is created when missing).
void writeCachePage(const QString &name, const QByteArray &bytes);
// A cached page as the fixture web site serves it: "IBM_it.Sh" is the
// insider-trades page, "IBM_qr.Sh" the filings page.
QByteArray fixturePage(const QString &fixture);
// Copies that page into the cache as `name`.
void copyFixturePage(const QString &fixture, const QString &name);
// A page of the fixture site, by its path under tests/fixtures/site.
QByteArray sitePage(const QString &relative);
