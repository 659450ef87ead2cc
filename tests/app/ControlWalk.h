#pragma once
// The control walk shared by the tests that drive every control of the
// main window: the table of controls with the effect each must have, and
// the means to run one as a user does (the menu opened by its label,
// toolbar button or right click, the item clicked where it shows; keys
// typed into the focused widget).
#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/Registry.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "mainwindow/Shortcuts.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/PathResolver.h"
#include "platform/Speech.h"
#include "platform/UrlOpener.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/NewsTicker.h"
#include "platform/ui/PictureBox.h"
#include "portfolio/ui/frmPurchace.h"
#include "reports/ui/Zoom.h"
#include "retrieval/BatchRun.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/ui/Options.h"
#include "services/SmtpClient.h"
#include "support/GridDump.h"
#include "support/MailServer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QAction>
#include <QClipboard>
#include <QDirIterator>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QTreeWidgetItemIterator>
#include <QtTest>

// Each test program includes this once.
namespace controlwalk {

// The state a control is run in; every state starts from the first set,
// stock ACME selected and its price sheet shown.
enum State { Stock, OtherSet, TickerShowsPrices, Holdings, TradeLog, Running, FocusInGrid, FocusInTree };

class RecordingSpeech : public SpeechEngine
{
public:
    QStringList said;
    QStringList voiceNames() override { return {QStringLiteral("Test")}; }
    bool isSpeaking() override { return false; }
    void stop() override {}
    void setVoiceMode(int) override {}
    void say(const QString &text) override { said << text; }
};

// Answers Yes to every question, so that whatever a control would remove
// is removed unless it is refused; the other boxes take their default.
class YesToEverything : public ScriptedDialogs
{
public:
    int message(const QString &prompt, int style, const QString &title) override
    {
        const int answer = ScriptedDialogs::message(prompt, style, title);
        const int buttons = style & 0x0F;
        return buttons == Msg::YesNo || buttons == Msg::YesNoCancel ? int(Msg::Yes) : answer;
    }
};

QString plain(const QString &caption) { return QString(caption).remove(QLatin1Char('&')).simplified(); }

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file of the profile's data folder and its bytes.
QMap<QString, QByteArray> dataFiles()
{
    QMap<QString, QByteArray> files;
    QDirIterator it(DataDir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(DataDir).relativeFilePath(path), fileBytes(path));
    }
    return files;
}

// What happened while a control ran.
struct Seen
{
    QStringList windows;                      // classes of the windows that opened
    QList<QPointer<QWidget>> windowObjects;   // the same windows, while they live
    QStringList menus;                        // titles of the menus that popped up
    QList<ScriptedDialogs::Shown> messages;   // message, input and save boxes
    QStringList opened;                       // addresses handed to the browser
    QStringList requests;                     // request lines the site received
    QMap<QString, QByteArray> filesBefore, filesAfter;
    QString said;                             // what was spoken
    QString ticker, caption, clipboard, sheet;
    QWidget *focus = nullptr;
    int unexpected = 0;                       // boxes shown with no answer scripted
};

using Check = std::function<QString(const Seen &)>; // "" when the effect is there

// A window of this class opened; with field, its text box of that name
// shows text.
Check window(const char *cls, const char *field = nullptr, const char *text = nullptr)
{
    return [=](const Seen &s) -> QString {
        const int i = int(s.windows.indexOf(QLatin1String(cls)));
        if (i < 0)
            return QStringLiteral("no %1 window opened (opened: %2)").arg(QLatin1String(cls), s.windows.join(','));
        QWidget *win = s.windowObjects.value(i);
        const auto *box = win && field ? win->findChild<QLineEdit *>(QLatin1String(field)) : nullptr;
        if (!field || (box && box->text() == QLatin1String(text)))
            return QString();
        return QStringLiteral("%1.%2 shows \"%3\"")
            .arg(QLatin1String(cls), QLatin1String(field), box ? box->text() : QString());
    };
}

Check menu(const char *title)
{
    return [=](const Seen &s) {
        return s.menus.contains(QLatin1String(title))
                   ? QString()
                   : QStringLiteral("menu %1 did not pop up (popped: %2)").arg(QLatin1String(title), s.menus.join(','));
    };
}

// The browser was handed exactly one address, matching pattern.
Check browser(const QString &pattern)
{
    return [=](const Seen &s) {
        if (s.opened.size() == 1 && QRegularExpression(pattern).match(s.opened.first()).hasMatch())
            return QString();
        return QStringLiteral("browser got [%1], not %2").arg(s.opened.join(' '), pattern);
    };
}

// A message box or input box with this text came up first.
Check asks(const char *prompt)
{
    return [=](const Seen &s) {
        if (!s.messages.isEmpty() && s.messages.first().prompt.startsWith(QLatin1String(prompt)))
            return QString();
        return QStringLiteral("no \"%1\" asked (asked: %2)")
            .arg(QLatin1String(prompt), s.messages.isEmpty() ? QString() : s.messages.first().prompt);
    };
}

// The data file rel (under the program folder) was written and matches.
Check writes(const QString &rel, const QString &pattern)
{
    return [=](const Seen &s) {
        if (!s.filesAfter.contains(rel) || s.filesAfter.value(rel) == s.filesBefore.value(rel))
            return QStringLiteral("%1 not written").arg(rel);
        const QString text = QString::fromLatin1(s.filesAfter.value(rel));
        return QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption).match(text).hasMatch()
                   ? QString()
                   : QStringLiteral("%1 holds \"%2\", not %3").arg(rel, text.left(200), pattern);
    };
}

// A text the control left (the clipboard, the ticker, what was spoken) matches.
Check shows(const char *what, QString Seen::*text, const QString &pattern)
{
    return [=](const Seen &s) {
        return QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption).match(s.*text).hasMatch()
                   ? QString()
                   : QStringLiteral("%1 \"%2\", not %3").arg(QLatin1String(what), (s.*text).left(200), pattern);
    };
}

// A batch run fetched the insider page of these stocks and of no other.
Check runs(const QStringList &symbols)
{
    return [=](const Seen &s) {
        QStringList fetched;
        for (const QString &r : s.requests)
            for (const QString &sym : {QStringLiteral("IBM"), QStringLiteral("ACME"), QStringLiteral("BOLT")})
                if (r.contains(QStringLiteral("/t/%1/%2.html").arg(sym.left(1).toLower(), sym)))
                    fetched << sym;
        fetched.sort();
        QStringList want = symbols;
        want.sort();
        return fetched == want ? QString()
                               : QStringLiteral("run fetched [%1], not [%2]").arg(fetched.join(','), want.join(','));
    };
}

Check all(const QList<Check> &checks)
{
    return [=](const Seen &s) {
        QStringList missing;
        for (const Check &c : checks)
            if (const QString m = c(s); !m.isEmpty())
                missing << m;
        return missing.join(QStringLiteral("; "));
    };
}

struct Row
{
    QString control;
    Check effect;
    State state = Stock;
    int answer = -1; // the answer to the question the control asks (-1: none expected)
};

} // namespace controlwalk

using namespace controlwalk;

class ControlWalk : public QObject
{
protected:
    frmMain *w = nullptr;
    FixtureSite *site = nullptr;
    MailServer *mail = nullptr;
    RecordingSpeech speech;
    QStringList opened;
    QMap<QString, QByteArray> initialFiles;
    QSet<QMenu *> unpoppable;

    // The data folder back as it was after the first run, and the set and
    // the portfolio read from it again.
    void restoreFiles()
    {
        const QMap<QString, QByteArray> now = dataFiles();
        for (auto it = now.cbegin(); it != now.cend(); ++it)
            if (!initialFiles.contains(it.key()))
                QFile::remove(DataDir + QLatin1Char('/') + it.key());
        for (auto it = initialFiles.cbegin(); it != initialFiles.cend(); ++it) {
            if (now.value(it.key()) == it.value() && now.contains(it.key()))
                continue;
            QFile f(DataDir + QLatin1Char('/') + it.key());
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(it.value());
        }
        ReadPortfolio();
    }

    // Sets the stage as the user would: the set chosen from the set menu,
    // the stock clicked in the tree, the ticker chosen from its menu; the
    // sheets and states no control of the walk needs are set directly. ""
    // when the stage stands, else why not.
    QString enter(State state, const QString &control)
    {
        restoreFiles();
        QString why = chooseSet(0);
        why += stage(state, control);
        return why.isEmpty() ? why : QStringLiteral("the stage: ") + why;
    }

    // The stock ACME clicked in the tree, the sheet and focus of the state,
    // and ACME's cell made current, in whatever set is current.
    QString stage(State state, const QString &control)
    {
        QString why;
        TreeModel &nodes = w->TreeView1->Nodes();
        for (int p = nodes.find(QStringLiteral("ID1")); p; p = nodes.Parent(p))
            nodes.setExpanded(p, true);
        QTreeWidgetItem *stock = w->TreeView1->itemOf(nodes.find(QStringLiteral("ID1"))); // ACME
        w->TreeView1->scrollToItem(stock);
        clickAt(w->TreeView1->viewport(), w->TreeView1->visualItemRect(stock).center());
        w->SelectSymbol(QStringLiteral("ACME"));
        w->FG_Current();
        switch (state) {
        case OtherSet: why += chooseSet(control.endsWith(QLatin1String("/All Stocks")) ? 1 : 0); break;
        case TickerShowsPrices: why += perform(QStringLiteral("Ticker/All Stocks Price")); break;
        case Holdings: w->FG_Portfolio_All(); break;
        case TradeLog: w->FG_PortfolioLog(); break;
        case Running: w->setRunningLook(true); break;
        case FocusInGrid: w->FG->setFocus(); break;
        case FocusInTree: w->TreeView1->setFocus(); break;
        case Stock: break;
        }
        // The stock's cell (its symbol, or its name on the price sheet), or
        // the first below the headings.
        FlexGrid &g = *w->FGModel;
        int row = qMin(2, g.Rows() - 1), col = 0;
        for (int r = g.Rows() - 1; r >= g.FixedRows(); --r)
            for (int c = g.Cols() - 1; c >= 0; --c)
                if (g.TextMatrix(r, c) == CurSymbol || g.TextMatrix(r, c) == DisplayNameOf(CurSymbol)) {
                    row = r;
                    col = c;
                }
        g.setRow(row);
        g.setCol(col);
        g.setRowSel(row);
        g.setColSel(col);
        w->activateWindow();
        QApplication::setActiveWindow(w);
        return why;
    }

    // Set n chosen from the set menu.
    QString chooseSet(short n) { return perform(QStringLiteral("Sets/") + plain(w->mnuSet[n]->text())); }

    // The pointer moved over the point of control, as a user moves it, then
    // a click of button on whatever widget is under that point.
    static void clickAt(QWidget *control, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget *top = control->window();
        const QPoint inTop = control->mapTo(top, at);
        QTest::mouseMove(control, at);
        QWidget *under = top->childAt(inTop);
        if (!under)
            under = top;
        const QPoint local = under->mapFrom(top, inTop);
        QTest::mousePress(under, button, {}, local);
        QTest::mouseRelease(under, button, {}, local);
    }
    static void click(QWidget *control, Qt::MouseButton button = Qt::LeftButton)
    {
        clickAt(control, control->rect().center(), button);
    }

    QList<QMenu *> menus() const { return w->findChildren<QMenu *>(); }
    QMenu *ownerOf(QMenu *m) const
    {
        for (QMenu *o : menus())
            if (o != m && o->actions().contains(m->menuAction()))
                return o;
        return nullptr;
    }
    QString path(QMenu *m) const
    {
        QString p = plain(m->title());
        for (QMenu *up = ownerOf(m); up; up = ownerOf(up))
            p.prepend(plain(up->title()) + QLatin1Char('/'));
        return p;
    }

    // Pops up a top-level menu the way the user does.
    bool popUp(QMenu *top)
    {
        if (top == w->mnuStart)
            click(w->Panel1[0]);
        else if (top == w->mnuSets)
            click(w->Panel1[1]);
        else if (top == w->mnuReports)
            click(w->Panel1[5]);
        else if (top == w->mnuTickers)
            click(w->Picture1[1]);
        else if (top == w->mnuTrees) {
            QTreeWidgetItem *item = w->TreeView1->currentItem();
            if (!item)
                return false;
            clickAt(w->TreeView1->viewport(), w->TreeView1->visualItemRect(item).center(), Qt::RightButton);
        } else if (top == w->mnuEdits) {
            const FlexGrid &g = *w->FGModel;
            clickAt(w->FG->viewport(), w->FG->cellRect(g.Row(), g.Col()).center(), Qt::RightButton);
        } else if (top == w->mnuTrays) {
            // The tray icon's right click: the icon has no widget here.
            w->mnuTrays->popup(w->mapToGlobal(QPoint(w->width() - 10, w->height() - 10)));
        } else {
            return false;
        }
        return QTest::qWaitFor([top] { return top->isVisible(); }, 5000);
    }

    // Hovers and clicks the item a in the shown menu m.
    static void choose(QMenu *m, QAction *a)
    {
        const QPoint at = m->actionGeometry(a).center();
        QTest::mouseMove(m, at);
        QTest::mouseClick(m, Qt::LeftButton, {}, at);
    }

    // Runs the control named name; "" when it ran, else why it could not.
    QString perform(const QString &name)
    {
        if (name.startsWith(QLatin1String("Toolbar "))) {
            click(w->Picture1[name.mid(8).toInt()]);
            return QString();
        }
        if (name.startsWith(QLatin1String("Label "))) {
            click(w->Panel1[name.mid(6).toInt()]);
            return QString();
        }
        if (!name.contains(QLatin1Char('/'))) { // a key, to the focused widget
            const QKeyCombination key = QKeySequence(name)[0];
            QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
            return QString();
        }
        const QStringList parts = name.split(QLatin1Char('/'));
        QMenu *top = nullptr;
        for (QMenu *m : menus())
            if (!ownerOf(m) && plain(m->title()) == parts.first())
                top = m;
        // A menu that did not pop up once is not waited for again.
        if (!top || unpoppable.contains(top) || !popUp(top)) {
            unpoppable.insert(top);
            return QStringLiteral("its menu does not pop up");
        }
        QMenu *current = top;
        for (int i = 1; i < parts.size(); ++i) {
            QAction *found = nullptr;
            for (QAction *a : current->actions())
                if (!a->isSeparator() && plain(a->text()) == parts[i])
                    found = a;
            if (!found || !found->isVisible() || !found->isEnabled())
                return QStringLiteral("not offered in its state");
            choose(current, found);
            if (i == parts.size() - 1)
                break;
            current = found->menu();
            if (!current || !QTest::qWaitFor([current] { return current->isVisible(); }, 5000))
                return QStringLiteral("submenu %1 does not open").arg(parts[i]);
        }
        return QString();
    }

    // Runs the control in its state and collects what it did.
    QString run(const Row &row, Seen *seen)
    {
        if (const QString staged = enter(row.state, row.control); !staged.isEmpty())
            return staged;
        ScriptedDialogs dialogs;
        if (row.answer >= 0)
            dialogs.answer(row.answer);
        dialogs.answerSave(DataDir + QStringLiteral("/export.out"));
        QSet<QWidget *> before;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->isVisible())
                before.insert(top);
        seen->filesBefore = dataFiles();
        opened.clear();
        speech.said.clear();
        site->clearRequests();
        QApplication::clipboard()->clear();

        // New windows and menus, also those a modal loop of their own holds
        // open until it is closed.
        QHash<QWidget *, int> ticks;
        const auto look = [&] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (!top->isVisible() || before.contains(top))
                    continue;
                if (auto *m = qobject_cast<QMenu *>(top)) {
                    if (!seen->menus.contains(plain(m->title())))
                        seen->menus << plain(m->title());
                    continue;
                }
                if (!ticks.contains(top)) {
                    seen->windows << QLatin1String(top->metaObject()->className());
                    seen->windowObjects << top;
                }
                // A dialog with a loop of its own is closed once seen a while.
                auto *d = qobject_cast<QDialog *>(top);
                if (++ticks[top] > 5 && d && d->isModal())
                    top->close();
            }
        };
        QTimer watch;
        watch.setInterval(20);
        connect(&watch, &QTimer::timeout, this, look);
        watch.start();
        const QString why = perform(row.control);
        QTest::qWait(50);
        look();
        watch.stop();

        seen->messages = dialogs.shown();
        seen->unexpected = dialogs.unexpected();
        seen->opened = opened;
        for (const QByteArray &r : site->requests())
            seen->requests << QString::fromLatin1(r.left(r.indexOf('\r')));
        seen->filesAfter = dataFiles();
        seen->said = speech.said.join(QLatin1Char('|'));
        seen->ticker = w->NewsTicker1->text();
        seen->sheet = dumpGrid(*w->FGModel);
        seen->caption = w->lblDesc[0]->text();
        seen->clipboard = QApplication::clipboard()->text();
        seen->focus = QApplication::focusWidget();
        return why;
    }

    void tidy(const Seen &seen)
    {
        for (const QPointer<QWidget> &top : seen.windowObjects)
            if (top && top->isVisible())
                top->close();
        for (QMenu *m : menus())
            m->hide();
        if (w->runActive())
            w->setRunningLook(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString dataFile(const QString &rel) const { return DataDir + QLatin1Char('/') + rel; }

    QList<Row> table()
    {
        const QString helpPage = QStringLiteral("^file://%1/help/%2\\.html$");
        const QString dir = QRegularExpression::escape(DataDir);
        const auto help = [&](int context) { return browser(helpPage.arg(dir).arg(context)); };
        const QStringList everyStock{QStringLiteral("IBM"), QStringLiteral("ACME"), QStringLiteral("BOLT")};
        const QStringList acme{QStringLiteral("ACME")};
        // Quitting keeps the grid's column layout for the next start.
        const Check shutDown = all({asks("Do you realy want to quit Brindlewick?"),
                                    writes(QStringLiteral("LayOut.dat"), QString())});
        const Check setLeavesAcme = Check([](const Seen &s) {
            const QByteArray set = s.filesAfter.value(QStringLiteral("Set0.dat"));
            return !set.contains("ACME") && set.contains("IBM") && set.contains("BOLT")
                       ? QString()
                       : QStringLiteral("Set0.dat still holds ACME, or lost another stock");
        });
        const Check cacheLosesAcme = Check([](const Seen &s) {
            const auto pages = [](const QMap<QString, QByteArray> &files, const char *symbol) {
                int n = 0;
                for (const QString &f : files.keys())
                    if (f.startsWith(QLatin1String("Cache/DataSheet/")) &&
                        f.mid(16).startsWith(QLatin1String(symbol), Qt::CaseInsensitive))
                        ++n;
                return n;
            };
            if (pages(s.filesBefore, "ACME") == 0)
                return QStringLiteral("no ACME pages cached to start with");
            if (pages(s.filesAfter, "ACME") != 0)
                return QStringLiteral("%1 ACME pages left in the cache").arg(pages(s.filesAfter, "ACME"));
            return pages(s.filesAfter, "BOLT") == pages(s.filesBefore, "BOLT") ? QString()
                                                                               : QStringLiteral("BOLT pages went too");
        });
        const Check portfolioLosesTrade = Check([](const Seen &s) {
            return !s.filesAfter.value(QStringLiteral("Portfolio.dat")).contains("ACME")
                       ? QString()
                       : QStringLiteral("Portfolio.dat still holds the ACME trade");
        });
        const Check runStops = Check([this](const Seen &s) {
            return s.caption == QLatin1String("Update") && !w->runActive() ? QString()
                                                                            : QStringLiteral("the run goes on");
        });
        const Check treeCollapsed = Check([this](const Seen &) {
            for (QTreeWidgetItemIterator it(w->TreeView1); *it; ++it)
                if ((*it)->isExpanded())
                    return QStringLiteral("%1 stays open").arg((*it)->text(0));
            return QString();
        });
        const auto focusOn = [this](QWidget *target, const char *name) {
            return Check([=](const Seen &s) {
                return s.focus && (s.focus == target || target->isAncestorOf(s.focus))
                           ? QString()
                           : QStringLiteral("focus not on the %1").arg(QLatin1String(name));
            });
        };
        const Check selectsAll = Check([this](const Seen &) {
            const FlexGrid &g = *w->FGModel;
            const bool whole = g.Row() == 0 && g.Col() == 0 && g.RowSel() == g.Rows() - 1 && g.ColSel() == g.Cols() - 1;
            return whole ? QString() : QStringLiteral("the selection is not the whole sheet");
        });
        const auto zoomOf = [](const char *key) {
            return Check([=](const Seen &s) {
                for (const QPointer<QWidget> &win : s.windowObjects)
                    if (auto *z = qobject_cast<Zoom *>(win.data()); z && z->ZoomType == QLatin1String(key))
                        return QString();
                return QStringLiteral("no zoom window of the %1 sheet").arg(QLatin1String(key));
            });
        };
        const auto stored = [](const char *name, const char *value) {
            return Check([=](const Seen &) {
                const QString v = QuerySetting(QLatin1String(name)).toString();
                return v == QLatin1String(value) ? QString()
                                                 : QStringLiteral("%1 = \"%2\", not %3").arg(QLatin1String(name), v,
                                                                                             QLatin1String(value));
            });
        };
        const auto options = [&](const char *page) { return all({window("Options"), stored("FrmNav", page)}); };
        const Check nothing = Check([](const Seen &s) {
            return s.windows.isEmpty() && s.messages.isEmpty() && s.opened.isEmpty() && s.requests.isEmpty()
                           && s.filesAfter == s.filesBefore
                       ? QString()
                       : QStringLiteral("acts, though it should do nothing");
        });
        const auto ticker = [](const QString &pattern) { return shows("ticker shows", &Seen::ticker, pattern); };
        const auto says = [](const QString &pattern) { return shows("said", &Seen::said, pattern); };
        const Check comingSoon = asks("This option will be available in the next coming version, stay tune!");
        const Check newMail = window("frmEmail", "txtSubject", "");
        const Check invitation = window("frmEmail", "txtSubject", "You have to try it!");
        const Check bugReport = window("frmEmail", "txtSubject", "I would like to report on bug!");
        // The purchase window for ACME, with the title of its mode.
        const auto purchase = [](const char *mode) {
            return Check([=](const Seen &s) {
                const frmPurchace *p = purchaseWindow();
                if (!s.windows.contains(QLatin1String("frmPurchace")) || !p)
                    return QStringLiteral("no purchase window opened (opened: %1)").arg(s.windows.join(','));
                return p->lblSymbol->text() == QLatin1String("ACME") && p->windowTitle() == QLatin1String(mode)
                           ? QString()
                           : QStringLiteral("purchase window \"%1\" for \"%2\"").arg(p->windowTitle(), p->lblSymbol->text());
            });
        };
        // The error log goes to the maker's support address through the
        // user's mail server.
        const Check mailsLog = Check([this](const Seen &) {
            const QStringList sent = mail->messages();
            return !sent.isEmpty() && sent.last().contains(QLatin1String("Subject: Brindlewick User Error Log"))
                           && sent.last().contains(QLatin1String("the sample error"))
                       ? QString()
                       : QStringLiteral("no error log mailed (%1 messages)").arg(sent.size());
        });
        // The set's quotes in the format the item names, at the name the save dialog gave.
        const auto exported = [](const char *pattern) {
            return writes(QStringLiteral("export.out"), QLatin1String(pattern));
        };
        // The price report of the set, written before the browser got it.
        const Check priceReport = [](const Seen &s) {
            const QByteArray page = fileBytes(QUrl(s.opened.value(0)).toLocalFile());
            return page.contains("Acme Widgets Inc") && page.contains("Bolt Electric Corp")
                       ? QString()
                       : QStringLiteral("the report holds no prices");
        };
        // Every second stock of the price sheet striped light yellow.
        const Check striped = shows("the sheet is", &Seen::sheet,
                                    QStringLiteral("\nrow 3 [^\n]*\n(  [^\n]*\n)*?  1: [^\n]*back=c0ffff"));
        const int Yes = Msg::Yes, Ok = Msg::OK;

        return {
            {"Start/Update/Update Selected Group", runs(everyStock)},
            {"Start/Update/Update Selected Stock", runs(acme)},
            {"Start/Email/New Massage", newMail},
            {"Start/Email/Tell It To Your Friend", invitation},
            {"Start/Email/Bug Report", all({bugReport, window("frmEmail", "txtToEmail", "support@pellor.example")})},
            {"Start/Email/Send Error Log To Pellor", mailsLog},
            {"Start/Email/Send Feedback To Pellor", window("Thanks")},
            {"Start/Email/Technical Support", window("frmSupport")},
            {"Start/Setting/Daily Consulting", options("0")},
            {"Start/Setting/Stock Data", options("1")},
            {"Start/Setting/Market Data", options("2")},
            {"Start/Setting/Funds", options("3")},
            {"Start/Setting/Voice Option", options("4")},
            {"Start/Setting/Network Setting", options("5")},
            {"Start/Setting/Brindlewick Preferences", options("6")},
            {"Start/Help/Documentation", help(1001)},
            {"Start/Help/Getting Started", help(1012)},
            {"Start/Help/How To..", help(1011)},
            {"Start/Help/References", help(1013)},
            {"Start/Help/Keyboard Shortcut", help(1009)},
            {"Start/Help/Tecnical Support or Questions", help(1008)},
            {"Start/Help/Relax", window("GRP")},
            {"Start/About Brindlewick", window("frmSplash")},
            {"Start/Shut Down (Alt X)", shutDown, Stock, Yes},
            {"Reports/HTML", all({browser(QStringLiteral("^file://%1/Cache/Reports/.*\\.[Hh]tm").arg(dir)), priceReport})},
            {"Reports/Tab Delimited Text", exported("\r\nACME\tAcme Widgets Inc\t\\+1/2\t")},
            {"Reports/Comma Delimited Text", exported("\r\nACME,Acme Widgets Inc,\\+1/2,")},
            {"Reports/Quicken Pre 5.0", exported("\r\n\"ACME\",\"45\\.3750\",")},
            {"Reports/Quicken 5.0 Or Later", exported("\r\nACME 12345 45\\.5000 44\\.7500 45\\.3750 ")},
            {"Reports/MetaStock", exported("\r\nACME,d,[^,]+,44\\.8750,45\\.5000,")},
            {"Reports/Quote Link", exported("\r\nACME +45\\.38\r\n")},
            {"Reports/Prodigy Quotetrack", exported("\r\n\"ACME\",\"[^\"]+\",\"45\\.38\"")},
            {"Reports/Excel", exported("\rACME,Acme Widgets Inc,\\+1/2,")},
            {"Reports/Clipboard", shows("clipboard holds", &Seen::clipboard, QStringLiteral("IBM.*ACME.*BOLT"))},
            {"Reports/XML", exported("^<\\?xml .*<Symbol>ACME</Symbol>")},
            {"Sets/*", Check(), OtherSet}, // one item per set, named by the user: checked below
            {"Tray/Update", runs(everyStock)},
            {"Tray/New Massage", newMail},
            {"Tray/Tell It To Your Friend", invitation},
            {"Tray/Help", help(1001)},
            {"Tray/About", window("frmSplash")},
            {"Tray/Shut Down Brindlewick", shutDown, Stock, Yes},
            {"Ticker/Selected Stock Headlines", ticker(QStringLiteral("Latest Acme Widgets Inc News.*Acme wins Navy contract")),
             TickerShowsPrices},
            {"Ticker/Selected Stock Prices", ticker(QStringLiteral("^Acme Widgets Inc  -  Last Price: 45 3/8"))},
            {"Ticker/All Stocks Headlines", comingSoon, Stock, Ok},
            {"Ticker/All Stocks Price", ticker(QStringLiteral("IBM.*ACME 45 3/8.*BOLT 12 1/4"))},
            {"Ticker/Market Headlines", comingSoon, Stock, Ok},
            {"Ticker/Put on air selected stock headlines", says(QStringLiteral("Acme wins Navy contract"))},
            {"Ticker/Put on air selected stock Prices", says(QStringLiteral("^Acme Widgets Inc, Last Price: 45 3/8"))},
            {"Ticker/Put on air all news headlines", says(QStringLiteral("Acme Widgets Inc news:.*Bolt Electric Corp news:"))},
            {"Ticker/Put on air all stocks Prices",
             says(QStringLiteral("Acme Widgets Inc, Last Price: 45 3/8.*Bolt Electric Corp, Last Price: 12 1/4"))},
            {"Tree/Collapse All", treeCollapsed},
            {"Tree/Buy", purchase("Parchase Share")},
            {"Tree/Sell", purchase("Sell Share"), Holdings},
            {"Tree/Delete", all({asks("Do you want to remove"), setLeavesAcme}), Stock, Yes},
            {"Tree/Empty Stock Cache", all({asks("Are you sure you want to delete the selected stock data (ACME)?"), cacheLosesAcme}),
             Stock, Yes},
            {"Tree/Update Selected Stock", runs(acme)},
            {"Tree/Split", nothing, Holdings}, // offered with a purchase held, and does nothing
            {"Tree/Properties", window("Properties")},
            {"Edit/Copy", shows("clipboard holds", &Seen::clipboard, QStringLiteral("^(ACME|Acme Widgets Inc)$"))},
            {"Edit/Select All", selectsAll},
            {"Edit/Old Style Background", striped},
            {"Edit/Sell Share", purchase("Sell Share"), Holdings},
            {"Edit/Delete Share", all({asks("Are you sure you want to remove"), setLeavesAcme}), Stock, Yes},
            {"Edit/Edit Transection", purchase("Edit Transection"), TradeLog},
            {"Edit/Delete Transection", all({asks("Are you sure you want to remove this transaction (ACME-Buy"),
                                            portfolioLosesTrade}),
             TradeLog, Yes},
            {"Toolbar 0", runs(everyStock)},
            {"Toolbar 1", menu("Ticker")},
            {"Toolbar 2", window("News")},
            {"Toolbar 3", zoomOf("Current")},
            {"Toolbar 4", window("StkSet")},
            {"Toolbar 5", window("Scr")},
            {"Toolbar 6", window("Options")},
            {"Label 0", menu("Start")},
            {"Label 1", menu("Sets")},
            {"Label 2", comingSoon, Stock, Ok},
            {"Label 3", window("frmAdviser")},
            {"Label 4", window("SummaryOpt")},
            {"Label 5", menu("Reports")},
            {"Alt+X", shutDown, Stock, Yes},
            {"Alt+S", menu("Start")},
            {"F3", menu("Start")},
            {"Shift+Esc", menu("Start")},
            {"Alt+G", menu("Sets")},
            {"F2", menu("Sets")},
            {"Alt+H", comingSoon, Stock, Ok},
            {"Alt+A", window("frmAdviser")},
            {"Alt+M", window("SummaryOpt")},
            {"Alt+R", menu("Reports")},
            {"Alt+U", runs(everyStock)},
            {"F4", runs(everyStock)},
            {"F5", focusOn(w->TreeView1, "tree"), FocusInGrid},
            {"F6", focusOn(w->FG, "grid"), FocusInTree},
            {"F9", window("GRP")},
            {"Alt+T", menu("Ticker")},
            {"Alt+O", window("News")},
            {"Alt+Z", zoomOf("Current")},
            {"Alt+C", window("Scr")},
            {"Alt+N", window("Options")},
            {"Esc", runStops, Running},
        };
    }

    // The set items: the one clicked carries the check mark, and the set is
    // the one remembered and named on the label.
    QString setChosen(const QString &control, const Seen &) const
    {
        const QString name = control.section(QLatin1Char('/'), 1);
        int index = -1;
        for (int i = 0; i < w->mnuSet.size(); ++i)
            if (plain(w->mnuSet[i]->text()) == name)
                index = i;
        if (index < 0 || !w->mnuSet[index]->isChecked())
            return QStringLiteral("not checked");
        for (int i = 0; i < w->mnuSet.size(); ++i)
            if (i != index && w->mnuSet[i]->isChecked())
                return QStringLiteral("another set stays checked");
        if (QuerySetting(QStringLiteral("LastGroup")).toString() != QString::number(index) || CurSetNo != index)
            return QStringLiteral("set %1 not made current").arg(index);
        return plain(w->Panel1[1]->text()) == name ? QString() : QStringLiteral("label shows %1").arg(w->Panel1[1]->text());
    }

    // The controls of the live window, by name: menu items by their path,
    // toolbar buttons, labels, and the keys of the shortcut table.
    QStringList controlNames() const
    {
        QStringList names;
        for (QMenu *m : menus())
            for (QAction *a : m->actions())
                if (!a->isSeparator() && !a->menu())
                    names << path(m) + QLatin1Char('/') + plain(a->text());
        for (int i = 0; i < w->Picture1.size(); ++i)
            names << QStringLiteral("Toolbar %1").arg(i);
        for (int i = 0; i <= 5; ++i)
            names << QStringLiteral("Label %1").arg(i);
        QSet<QString> keysSeen;
        for (int shift = 0; shift < 8; ++shift)
            for (int code = 1; code < 256; ++code) {
                const ShortcutAction act = shortcutFor(code, shift);
                if (act.kind == ShortcutAction::None)
                    continue;
                const Qt::Key key = code == KeyCode::Escape ? Qt::Key_Escape
                                    : code >= KeyCode::F1 && code <= KeyCode::F1 + 11 ? Qt::Key(Qt::Key_F1 + code - KeyCode::F1)
                                                                                    : Qt::Key(code);
                QString name;
                if (shift & ShiftMask::Ctrl) name += QStringLiteral("Ctrl+");
                if (shift & ShiftMask::Alt) name += QStringLiteral("Alt+");
                if (shift & ShiftMask::Shift) name += QStringLiteral("Shift+");
                name += QKeySequence(key).toString();
                // One name per key and action: more modifiers act alike.
                const QString id = QKeySequence(key).toString() + QString::number(act.kind) + QString::number(act.index);
                if (!keysSeen.contains(id)) {
                    keysSeen.insert(id);
                    names << name;
                }
            }
        return names;
    }

    // What a walk stands on: a fresh profile, the fixture site with every
    // site pointed at it, the mail server, the browser and speech recorded.
    struct Stage
    {
        TempProfile profile;
        FixtureSite site;
        MailServer mail;
        ~Stage()
        {
            SmtpClient::DefaultPort = 25;
            setUrlOpenerHandler({});
            setSpeechEngine(nullptr);
        }
    };

    // The stage's set of these stocks, the window opened and one full
    // Update run, which fills the cache and every quote. The mail server
    // is started by the caller (a missing one skips the test).
    bool openStage(Stage &stage, const QStringList &symbols)
    {
        stage.profile.createProgramKey();
        site = &stage.site;
        mail = &stage.mail;
        if (!stage.site.start())
            return false;
        setAllSiteHosts(stage.site.host());
        SaveSetting(QStringLiteral("EmailServer"), QStringLiteral("127.0.0.1"));
        SmtpClient::DefaultPort = stage.mail.port();
        resetStocks();
        for (int i = 0; i < symbols.size(); ++i)
            Sets[size_t(i)].Symbol = symbols[i];
        SaveStocks();
        resetStocks();
        resetRunState();
        UnloadOptions();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setSpeechEngine(&speech);
        setUrlOpenerHandler([this](const QUrl &url) { opened << url.toString(); return true; });
        startWindow();
        if (!w)
            return false;
        ScriptedDialogs quiet;
        click(w->Picture1[0]);
        return w->lblDesc[0]->text() == QLatin1String("Update");
    }

    void startWindow()
    {
        ScriptedDialogs quiet;
        frmMain::Show();
        w = frmMain::instance();
        installZoomWindows();
    }

};
