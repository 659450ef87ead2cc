// Every control of the main window acts: each item of each of its menus,
// each toolbar button, each label of the bottom bar and each key of the
// shortcut table, found in the live window, is run in a state that offers
// it, and must leave the effect the table below names for it.
#include "core/DataDir.h"
#include "core/Portfolio.h"
#include "core/SharedState.h"
#include "core/Sites.h"
#include "core/Stocks.h"
#include "mainwindow/Shortcuts.h"
#include "mainwindow/ui/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/Speech.h"
#include "platform/UrlOpener.h"
#include "platform/ui/FlexGridView.h"
#include "platform/ui/PictureBox.h"
#include "reports/ui/Zoom.h"
#include "retrieval/transport/RunState.h"
#include "retrieval/ui/Options.h"
#include "support/GridDump.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProfile.h"
#include "support/site/FixtureSite.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QMenu>
#include <QTreeWidgetItemIterator>
#include <QPointer>
#include <QtTest>

namespace {

enum Kind { Window, Menu, Sheet, Opener, Message, File, Setting, Check, Clipboard, Run, Speech, Ticker, Tree, Focus, Select };
const char *const KindNames[] = {"Window", "Menu",  "Sheet", "Opener", "Message", "File",  "Setting", "Check",
                                 "Clipboard", "Run", "Speech", "Ticker", "Tree",   "Focus", "Select"};
// The state a control is run in; every state starts from the first set,
// stock ACME selected and its price sheet shown.
enum State { Stock, OtherSet, TickerShowsPrices, Holdings, TradeLog, Running, FocusInGrid, FocusInTree };

struct Expected { const char *control; Kind kind; State state = Stock; };
const Expected Table[] = {
    {"Start/Update/Update Selected Group", Run}, {"Start/Update/Update Selected Stock", Run},
    {"Start/Email/New Massage", Window}, {"Start/Email/Tell It To Your Friend", Window},
    {"Start/Email/Bug Report", Window}, {"Start/Email/Send Error Log To Pellor", Message},
    {"Start/Email/Send Feedback To Pellor", Window}, {"Start/Email/Technical Support", Window},
    {"Start/Setting/Daily Consulting", Window}, {"Start/Setting/Stock Data", Window},
    {"Start/Setting/Market Data", Window}, {"Start/Setting/Funds", Window}, {"Start/Setting/Voice Option", Window},
    {"Start/Setting/Network Setting", Window}, {"Start/Setting/Brindlewick Preferences", Window},
    {"Start/Help/Documentation", Opener}, {"Start/Help/Getting Started", Opener}, {"Start/Help/How To..", Opener},
    {"Start/Help/References", Opener}, {"Start/Help/Keyboard Shortcut", Opener},
    {"Start/Help/Tecnical Support or Questions", Opener}, {"Start/Help/Relax", Window},
    {"Start/About Brindlewick", Window}, {"Start/Shut Down (Alt X)", Message},
    {"Reports/HTML", Opener}, {"Reports/Tab Delimited Text", File}, {"Reports/Comma Delimited Text", File},
    {"Reports/Quicken Pre 5.0", File}, {"Reports/Quicken 5.0 Or Later", File}, {"Reports/MetaStock", File},
    {"Reports/Quote Link", File}, {"Reports/Prodigy Quotetrack", File}, {"Reports/Excel", File},
    {"Reports/Clipboard", Clipboard}, {"Reports/XML", File},
    {"Sets/*", Check, OtherSet}, // one item per set, named by the user
    {"Tray/Update", Run}, {"Tray/New Massage", Window}, {"Tray/Tell It To Your Friend", Window},
    {"Tray/Help", Opener}, {"Tray/About", Window}, {"Tray/Shut Down Brindlewick", Message},
    {"Ticker/Selected Stock Headlines", Ticker, TickerShowsPrices}, {"Ticker/Selected Stock Prices", Ticker},
    {"Ticker/All Stocks Headlines", Message}, {"Ticker/All Stocks Price", Ticker},
    {"Ticker/Market Headlines", Message}, {"Ticker/Put on air selected stock headlines", Speech},
    {"Ticker/Put on air selected stock Prices", Speech}, {"Ticker/Put on air all news headlines", Speech},
    {"Ticker/Put on air all stocks Prices", Speech},
    {"Tree/Collapse All", Tree}, {"Tree/Buy", Window}, {"Tree/Sell", Window, Holdings}, {"Tree/Delete", Message},
    {"Tree/Empty Stock Cache", Message}, {"Tree/Update Selected Stock", Run}, {"Tree/Properties", Window},
    {"Edit/Copy", Clipboard}, {"Edit/Select All", Select}, {"Edit/Old Style Background", Sheet},
    {"Edit/Sell Share", Window, Holdings}, {"Edit/Delete Share", Message},
    {"Edit/Edit Transection", Window, TradeLog}, {"Edit/Delete Transection", Message, TradeLog},
    {"Toolbar 0", Run}, {"Toolbar 1", Menu}, {"Toolbar 2", Window}, {"Toolbar 3", Window}, {"Toolbar 4", Window},
    {"Toolbar 5", Window}, {"Toolbar 6", Window},
    {"Label 0", Menu}, {"Label 1", Menu}, {"Label 2", Message}, {"Label 3", Window}, {"Label 4", Window},
    {"Label 5", Menu},
    {"Alt+X", Message}, {"Alt+S", Menu}, {"F3", Menu}, {"Shift+Esc", Menu}, {"Alt+G", Menu}, {"F2", Menu},
    {"Alt+H", Message}, {"Alt+A", Window}, {"Alt+M", Window}, {"Alt+R", Menu}, {"Alt+U", Run}, {"F4", Run},
    {"F5", Focus, FocusInGrid}, {"F6", Focus, FocusInTree}, {"F9", Window}, {"Alt+T", Menu}, {"Alt+O", Window},
    {"Alt+Z", Window}, {"Alt+C", Window}, {"Alt+N", Window}, {"Esc", Run, Running},
};
// Items the program never offers, and why.
const char *const NeverOffered[][2] = {
    {"Reports/Microsoft Money", "no export of this kind (never enabled)"}, {"Reports/Access", "idem"},
    {"Reports/Word", "idem"}, {"Reports/Oracle", "idem"}, {"Reports/SQL Server", "idem"},
    {"Reports/Microsoft Mail", "idem"},
    {"Start/Update/Hang-up", "no dial-up connection here to hang up"},
};
// Items whose action is none, as designed, and why; each must show no effect.
const char *const NoAction[][2] = {
    {"Tree/Split", "offered with a purchase held, and does nothing"},
};
// Menus no control opens, and why.
const char *const UnopenedMenus[][2] = {
    {"Consultation", "it carries the check mark of the market list shown"},
};

class RecordingSpeech : public SpeechEngine
{
public:
    int said = 0;
    QStringList voiceNames() override { return {QStringLiteral("Test")}; }
    bool isSpeaking() override { return false; }
    void stop() override {}
    void setVoiceMode(int) override {}
    void say(const QString &) override { ++said; }
};

QString plain(const QString &caption) { return QString(caption).remove(QLatin1Char('&')).simplified(); }

} // namespace

class TestEveryControl : public QObject
{
    Q_OBJECT

    frmMain *w = nullptr;
    FixtureSite *site = nullptr;
    TempProfile *profile = nullptr;
    RecordingSpeech speech;
    int opened = 0;

    struct Snap
    {
        QSet<QWidget *> windows, menus;
        QString sheet, files, tree, clip, caption, ticker, select;
        QByteArray settings;
        QList<bool> checks;
        int opened = 0, requests = 0, said = 0;
        QWidget *focus = nullptr;
    };
    QList<QAction *> allActions() const
    {
        QList<QAction *> all;
        for (QMenu *m : w->findChildren<QMenu *>())
            all << m->actions();
        return all;
    }
    Snap snap() const
    {
        Snap s;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->isVisible() && top != w)
                (qobject_cast<QMenu *>(top) ? s.menus : s.windows).insert(top);
        s.sheet = CurType + QLatin1Char('\n') + dumpGrid(*w->FGModel);
        const FlexGrid &g = *w->FGModel;
        s.select = QStringLiteral("%1,%2-%3,%4").arg(g.Row()).arg(g.Col()).arg(g.RowSel()).arg(g.ColSel());
        QDirIterator it(DataDir, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo f(it.next());
            s.files += f.filePath() + QString::number(f.size()) + f.lastModified().toString(Qt::ISODateWithMs);
        }
        QFile ini(profile->settingsFile());
        if (ini.open(QIODevice::ReadOnly))
            s.settings = ini.readAll();
        for (QAction *a : allActions())
            s.checks << a->isChecked();
        for (QTreeWidgetItemIterator it(w->TreeView1); *it; ++it)
            s.tree += QLatin1Char((*it)->isExpanded() ? '+' : '-');
        s.clip = QApplication::clipboard()->text();
        s.caption = w->lblDesc[0]->text();
        s.ticker = w->NewsTicker1->text();
        s.opened = opened;
        s.requests = site->requestCount();
        s.said = speech.said;
        s.focus = w->focusWidget();
        return s;
    }

    void enter(State state, QAction *a)
    {
        if (CurSetNo != 0)
            w->mnuSet_Click(0);
        TreeModel &nodes = w->TreeView1->Nodes();
        for (int p = nodes.find(QStringLiteral("ID1")); p; p = nodes.Parent(p))
            nodes.setExpanded(p, true);
        w->TreeView1_NodeClick(nodes.find(QStringLiteral("ID1"))); // stock ACME
        w->SelectSymbol(QStringLiteral("ACME"));
        w->FG_Current();
        switch (state) {
        case OtherSet: w->mnuSet_Click(short(w->mnuSet.indexOf(a) == 0 ? 1 : 0)); break;
        case TickerShowsPrices: w->mnuTicker_Click(4); break;
        case Holdings: w->FG_Portfolio_All(); break;
        case TradeLog: w->FG_PortfolioLog(); break;
        case Running: w->setRunningLook(true); break;
        case FocusInGrid: w->FG->setFocus(); break;
        case FocusInTree: w->TreeView1->setFocus(); break;
        case Stock: break;
        }
        FlexGrid &g = *w->FGModel; // the row of the stock, or the first below the headings
        int row = qMin(2, g.Rows() - 1);
        for (int r = g.Rows() - 1; r >= g.FixedRows(); --r)
            for (int c = 0; c < g.Cols(); ++c)
                if (g.TextMatrix(r, c) == CurSymbol)
                    row = r;
        g.setRow(row);
        g.setCol(0);
    }

    // Opens the menu as the user does, then lets it go: its items are set
    // for the state.
    void open(QMenu *m)
    {
        if (m == w->mnuTrees)
            w->TreeView1_MouseDown(VbMouse::Right);
        else if (m == w->mnuEdits) // the right button on the current cell
            QTest::mouseClick(w->FG->viewport(), Qt::RightButton, {},
                              w->FG->cellRect(w->FGModel->Row(), w->FGModel->Col()).center());
        else
            emit m->aboutToShow();
        m->hide();
    }

    // Runs the control; the kinds of effect it had.
    QSet<Kind> effects(const std::function<void()> &run, QAction *self)
    {
        ScriptedDialogs dialogs;
        for (int i = 0; i < 4; ++i) {
            dialogs.answer(Msg::No); // questions: nothing destructive
            dialogs.answerInput(QString());
        }
        dialogs.answerSave(DataDir + QStringLiteral("/export.out"));
        const Snap before = snap();
        QHash<QWidget *, QPointer<QWidget>> seen; // a window may delete itself meanwhile
        QHash<QWidget *, QElapsedTimer> since;
        QTimer watch; // windows that come and go, and dialogs with a loop of their own
        watch.setInterval(20);
        connect(&watch, &QTimer::timeout, this, [&] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (!top->isVisible() || top == w || before.windows.contains(top) || qobject_cast<QMenu *>(top))
                    continue;
                seen.insert(top, top);
                if (!since.contains(top))
                    since[top].start();
                auto *d = qobject_cast<QDialog *>(top);
                if (d && d->isModal() && since[top].elapsed() > 300)
                    d->reject();
            }
        });
        watch.start();
        run();
        QTest::qWait(30);
        watch.stop();
        Snap after = snap();
        if (self && self->isCheckable()) // the toggle of the item itself is Qt's, not the program's
            after.checks[allActions().indexOf(self)] = !after.checks[allActions().indexOf(self)];
        QSet<Kind> kinds;
        for (QWidget *top : after.windows)
            if (!before.windows.contains(top))
                seen.insert(top, top);
        if (!seen.isEmpty()) kinds << Window;
        if (!(after.menus - before.menus).isEmpty()) kinds << Menu;
        if (after.sheet != before.sheet) kinds << Sheet;
        if (after.opened != before.opened) kinds << Opener;
        if (!dialogs.shown().isEmpty() || !dialogs.saveRequests().isEmpty()) kinds << Message;
        if (after.files != before.files) kinds << File;
        if (after.settings != before.settings) kinds << Setting;
        if (after.checks != before.checks) kinds << Check;
        if (after.clip != before.clip) kinds << Clipboard;
        if (after.requests != before.requests || after.caption != before.caption) kinds << Run;
        if (after.said != before.said) kinds << Speech;
        if (after.ticker != before.ticker) kinds << Ticker;
        if (after.tree != before.tree) kinds << Tree;
        if (after.focus != before.focus) kinds << Focus;
        if (after.select != before.select) kinds << Select;
        for (const QPointer<QWidget> &top : std::as_const(seen))
            if (top && top->isVisible())
                top->close();
        for (QWidget *m : after.menus)
            m->hide();
        if (w->runActive())
            w->setRunningLook(false);
        return kinds;
    }

private slots:
    void everyControlActs()
    {
        TempProfile prof;
        profile = &prof;
        prof.createProgramKey();
        FixtureSite fixture;
        site = &fixture;
        QVERIFY(fixture.start());
        setAllSiteHosts(fixture.host());
        resetStocks();
        const char *const symbols[] = {"IBM", "ACME", "BOLT"};
        for (int i = 0; i < 3; ++i)
            Sets[size_t(i)].Symbol = QLatin1String(symbols[i]);
        SaveStocks();
        resetStocks();
        resetRunState();
        UnloadOptions();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setSpeechEngine(&speech);
        setUrlOpenerHandler([this](const QUrl &) { ++opened; return true; });
        auto restore = qScopeGuard([] { setUrlOpenerHandler({}); setSpeechEngine(nullptr); });
        {
            ScriptedDialogs quiet;
            frmMain::Show();
            installZoomWindows();
            w = frmMain::instance();
            QVERIFY(w);
            w->Picture1_Click(0); // one full run fills the cache the sheets read
        }
        QCOMPARE(w->lblDesc[0]->text(), QStringLiteral("Update"));
        for (int box = 0; box < BatchBoxCount; ++box) // later runs fetch one page set
            LoadOptions().chkUpdate[box]->setChecked(box == 7);
        UpdatePurchase(QStringLiteral("Buy"), QStringLiteral("ACME"), 100, 5, QStringLiteral("1/2/2024"), 10,
                       QString(), 0, 1, 1);

        // The controls, from the window itself.
        struct Control { QString name; std::function<void()> run; QMenu *menu = nullptr; QAction *action = nullptr; };
        QList<Control> controls;
        const QList<QMenu *> menus = w->findChildren<QMenu *>();
        const auto path = [&](QMenu *m) {
            QString p = plain(m->title());
            for (QMenu *up = m; up;) {
                QMenu *owner = nullptr;
                for (QMenu *o : menus)
                    if (o != up && o->actions().contains(up->menuAction()))
                        owner = o;
                if (owner)
                    p.prepend(plain(owner->title()) + QLatin1Char('/'));
                up = owner;
            }
            return p;
        };
        for (QMenu *m : menus)
            for (QAction *a : m->actions())
                if (!a->isSeparator() && !a->menu())
                    controls.append({path(m) + QLatin1Char('/') + plain(a->text()), [a] { a->trigger(); }, m, a});
        for (int i = 0; i < w->Picture1.size(); ++i)
            controls.append({QStringLiteral("Toolbar %1").arg(i), [this, i] { w->Picture1_Click(i); }});
        for (int i = 0; i <= 5; ++i)
            controls.append({QStringLiteral("Label %1").arg(i), [this, i] { w->Panel1_Click(i); }});
        // The shortcut table: every key it answers, with the fewest modifiers.
        QSet<QString> keysSeen;
        for (int shift = 0; shift < 8; ++shift)
            for (int code = 1; code < 256; ++code) {
                const ShortcutAction act = shortcutFor(code, shift);
                if (act.kind == ShortcutAction::None)
                    continue;
                const Qt::Key key = code == KeyCode::Escape ? Qt::Key_Escape
                                    : code >= KeyCode::F1 && code <= KeyCode::F1 + 11 ? Qt::Key(Qt::Key_F1 + code - KeyCode::F1)
                                                                                    : Qt::Key(code);
                Qt::KeyboardModifiers mods;
                QString name;
                if (shift & ShiftMask::Ctrl) { mods |= Qt::ControlModifier; name += QStringLiteral("Ctrl+"); }
                if (shift & ShiftMask::Alt) { mods |= Qt::AltModifier; name += QStringLiteral("Alt+"); }
                if (shift & ShiftMask::Shift) { mods |= Qt::ShiftModifier; name += QStringLiteral("Shift+"); }
                name += QKeySequence(key).toString();
                // One name per key and action: more modifiers act alike.
                const QString id = QKeySequence(key).toString() + QString::number(act.kind) + QString::number(act.index);
                if (keysSeen.contains(id))
                    continue;
                keysSeen.insert(id);
                controls.append({name, [this, key, mods] { QTest::keyClick(w, key, mods); }});
            }

        QHash<QString, const Expected *> table;
        for (const Expected &e : Table)
            table.insert(QLatin1String(e.control), &e);
        QHash<QString, QString> never;
        for (const auto &n : NeverOffered)
            never.insert(QLatin1String(n[0]), QLatin1String(n[1]));
        QStringList failures;
        QMap<QString, int> perKind;
        QHash<QString, QString> noAction, unopened;
        for (const auto &n : NoAction)
            noAction.insert(QLatin1String(n[0]), QLatin1String(n[1]));
        for (const auto &n : UnopenedMenus)
            unopened.insert(QLatin1String(n[0]), QLatin1String(n[1]));
        for (const Control &c : controls) {
            if (unopened.contains(c.name.section(QLatin1Char('/'), 0, 0)))
                continue;
            if (never.contains(c.name)) {
                open(c.menu);
                if (c.action->isEnabled() && c.action->isVisible())
                    failures << c.name + QStringLiteral(": offered now, put it in the table");
                continue;
            }
            const bool waits = noAction.contains(c.name);
            const Expected *e = table.value(c.name, table.value(c.name.section(QLatin1Char('/'), 0, -2) + "/*"));
            if (!e && !waits) {
                failures << c.name + QStringLiteral(": not in the table");
                continue;
            }
            enter(e ? e->state : Stock, c.action);
            if (c.menu) {
                open(c.menu);
                if (!c.action->isEnabled() || !c.action->isVisible()) {
                    if (!waits)
                        failures << c.name + QStringLiteral(": not offered in its state");
                    continue;
                }
            }
            const QSet<Kind> kinds = effects(c.run, c.action);
            QStringList got;
            for (Kind k : kinds)
                got << QLatin1String(KindNames[k]);
            got.sort();
            if (waits) {
                if (!kinds.isEmpty())
                    failures << c.name + QStringLiteral(": acts (%1), though it should do nothing").arg(got.join(','));
            } else if (kinds.isEmpty()) {
                failures << c.name + QStringLiteral(": no effect");
            } else if (!kinds.contains(e->kind)) {
                failures << c.name + QStringLiteral(": %1 expected, got %2").arg(KindNames[e->kind], got.join(','));
            } else {
                ++perKind[QLatin1String(KindNames[e->kind])];
            }
        }
        QStringList counts;
        for (auto it = perKind.cbegin(); it != perKind.cend(); ++it)
            counts << it.key() + QLatin1Char('=') + QString::number(it.value());
        qInfo().noquote() << controls.size() << "controls;" << counts.join(' ');
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
        QCOMPARE(w->lblDesc[0]->text(), QStringLiteral("Update"));
        delete w;
    }
};

QTEST_MAIN(TestEveryControl)
#include "tst_everycontrol.moc"
