#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The basic stock screen: eight criterion groups and an industry, sent to
// the screening site's result page.

struct ScreenGroup
{
    QString caption;     // the frame's caption
    QString name;        // the control array's name
    QString key;         // the query key
    QStringList buttons; // by index; 0 is "None"
};

// The groups in the order of the window's columns, top to bottom.
const QList<ScreenGroup> &screenGroups();

struct Industry
{
    QString name;
    int code;
};
// The industry list in its order: "All Industries" (0) first.
const QList<Industry> &industries();

// The result page's address. choices holds the selected button of each
// group by its key (0: none); industry is a list position, -1 for none.
QString screenUrl(const QHash<QString, int> &choices, int industry);
