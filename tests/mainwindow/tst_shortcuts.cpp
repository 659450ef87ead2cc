#include "mainwindow/Shortcuts.h"

#include <QtTest>

Q_DECLARE_METATYPE(ShortcutAction)

namespace {
using A = ShortcutAction;
constexpr int Shift = ShiftMask::Shift, Ctrl = ShiftMask::Ctrl, Alt = ShiftMask::Alt;
} // namespace

class TestShortcuts : public QObject
{
    Q_OBJECT

private slots:
    void table_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("shift");
        QTest::addColumn<ShortcutAction>("action");
        QTest::newRow("Alt+X shuts down") << int('X') << Alt << A{A::StartMenuItem, 8};
        QTest::newRow("Alt+S opens Start, not the set editor") << int('S') << Alt << A{A::LabelMenu, 0};
        QTest::newRow("Ctrl+Alt+S still Start") << int('S') << (Alt | Ctrl) << A{A::LabelMenu, 0};
        QTest::newRow("F3 Start") << KeyCode::F3 << 0 << A{A::LabelMenu, 0};
        QTest::newRow("Shift+Esc Start") << KeyCode::Escape << Shift << A{A::LabelMenu, 0};
        QTest::newRow("Shift+Alt+Esc Start") << KeyCode::Escape << (Shift | Alt) << A{A::LabelMenu, 0};
        QTest::newRow("Alt+G groups") << int('G') << Alt << A{A::LabelMenu, 1};
        QTest::newRow("Ctrl+F2 groups") << KeyCode::F2 << Ctrl << A{A::LabelMenu, 1};
        QTest::newRow("Alt+H chat") << int('H') << Alt << A{A::LabelMenu, 2};
        QTest::newRow("Alt+A adviser") << int('A') << Alt << A{A::LabelMenu, 3};
        QTest::newRow("Alt+M summary") << int('M') << Alt << A{A::LabelMenu, 4};
        QTest::newRow("Alt+R reports") << int('R') << Alt << A{A::LabelMenu, 5};
        QTest::newRow("Alt+U update") << int('U') << Alt << A{A::Toolbar, 0};
        QTest::newRow("Shift+F4 update") << KeyCode::F4 << Shift << A{A::Toolbar, 0};
        QTest::newRow("F5 tree") << KeyCode::F5 << Alt << A{A::FocusTree, 0};
        QTest::newRow("F6 grid") << KeyCode::F6 << 0 << A{A::FocusGrid, 0};
        QTest::newRow("F9 relax") << KeyCode::F9 << Ctrl << A{A::HelpMenuItem, 7};
        QTest::newRow("Alt+T ticker") << int('T') << Alt << A{A::Toolbar, 1};
        QTest::newRow("Alt+O news") << int('O') << Alt << A{A::Toolbar, 2};
        QTest::newRow("Alt+Z zoom") << int('Z') << Alt << A{A::Toolbar, 3};
        QTest::newRow("Alt+C screen") << int('C') << Alt << A{A::Toolbar, 5};
        QTest::newRow("Alt+N setting") << int('N') << Alt << A{A::Toolbar, 6};
        QTest::newRow("Esc stops") << KeyCode::Escape << 0 << A{A::StopUpdate, 0};
        QTest::newRow("Ctrl+Esc stops") << KeyCode::Escape << Ctrl << A{A::StopUpdate, 0};
        QTest::newRow("Alt+Esc stops") << KeyCode::Escape << Alt << A{A::StopUpdate, 0};
        QTest::newRow("X alone nothing") << int('X') << 0 << A{};
        QTest::newRow("Ctrl+U nothing") << int('U') << Ctrl << A{};
        QTest::newRow("Shift+T nothing") << int('T') << Shift << A{};
        QTest::newRow("Alt+B unused letter") << int('B') << Alt << A{};
        QTest::newRow("F1 unused") << KeyCode::F1 << 0 << A{};
    }

    void table()
    {
        QFETCH(int, key);
        QFETCH(int, shift);
        QFETCH(ShortcutAction, action);
        const ShortcutAction got = shortcutFor(key, shift);
        QCOMPARE(int(got.kind), int(action.kind));
        QCOMPARE(got.index, action.index);
    }
};

QTEST_GUILESS_MAIN(TestShortcuts)
#include "tst_shortcuts.moc"
