#pragma once

#include <QByteArray>
#include <QString>

// Cached pages for sheet tests, written into DataDir's "Cache/DataSheet".

QString cachePagePath(const QString &name);
// Writes the bytes as the page (the folder is created when missing).
void writeCachePage(const QString &name, const QByteArray &bytes);
// Copies tests/fixtures/cache/<fixture> into the cache as `name`.
void copyFixturePage(const QString &fixture, const QString &name);
