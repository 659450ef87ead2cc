#include "core/ui/FormResize.h"

#include "core/ErrorLog.h"
#include "platform/Twips.h"
#include "platform/ui/FlexGridView.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <QTreeView>

#include <cmath>

namespace {

const char *const ScaleLabel = "clsFormResize_ScaleControls";

qint32 wholeTwips(double twips)
{
    return qint32(std::nearbyint(twips)); // halves to even
}

bool hasLineEnds(const QWidget *w)
{
    const QMetaObject *mo = w->metaObject();
    return mo->indexOfProperty("X1") >= 0 && mo->indexOfProperty("Y1") >= 0 && mo->indexOfProperty("X2") >= 0
           && mo->indexOfProperty("Y2") >= 0;
}

bool isMovedKind(const QString &type)
{
    static const QStringList kinds = {QStringLiteral("Frame"),   QStringLiteral("PictureBox"),
                                      QStringLiteral("MSFlexGrid"), QStringLiteral("TreeView"),
                                      QStringLiteral("Label"),   QStringLiteral("TextBox"),
                                      QStringLiteral("CommandButton"), QStringLiteral("ListBox"),
                                      QStringLiteral("ComboBox")};
    return kinds.contains(type);
}

bool isSkippedKind(const QString &type)
{
    static const QStringList kinds = {QStringLiteral("Winsock"),  QStringLiteral("Inet"),
                                      QStringLiteral("Timer"),    QStringLiteral("ImageList"),
                                      QStringLiteral("TrayIcon"), QStringLiteral("Menu")};
    return kinds.contains(type);
}

bool isContainerKind(const QString &type)
{
    return type == QLatin1String("Frame") || type == QLatin1String("PictureBox");
}

struct TagLetters
{
    bool top = true, height = true, left = true, width = true;
};

TagLetters tagLetters(const QWidget *control)
{
    const QString tag = control->property("Tag").toString().toUpper();
    TagLetters letters;
    if (tag.isEmpty() || tag.at(0) != QLatin1Char('@'))
        return letters;
    letters.top = tag.contains(QLatin1Char('T'));
    letters.height = tag.contains(QLatin1Char('H'));
    letters.left = tag.contains(QLatin1Char('L'));
    letters.width = tag.contains(QLatin1Char('W'));
    return letters;
}

// A measure of a line, 0 when it cannot be read.
qint32 lineEnd(const QWidget *w, const char *name)
{
    bool ok = false;
    const double v = w->property(name).toDouble(&ok);
    return ok ? wholeTwips(v) : 0;
}

} // namespace

QString clsFormResize::controlTypeName(const QWidget *w)
{
    const QString named = w->property("ControlType").toString();
    if (!named.isEmpty())
        return named;
    if (hasLineEnds(w))
        return QStringLiteral("Line");
    if (qobject_cast<const FlexGridView *>(w))
        return QStringLiteral("MSFlexGrid");
    if (qobject_cast<const QMenu *>(w) || qobject_cast<const QMenuBar *>(w))
        return QStringLiteral("Menu");
    if (qobject_cast<const QGroupBox *>(w))
        return QStringLiteral("Frame");
    if (qobject_cast<const QLabel *>(w))
        return QStringLiteral("Label");
    if (qobject_cast<const QLineEdit *>(w) || qobject_cast<const QTextEdit *>(w)
        || qobject_cast<const QPlainTextEdit *>(w))
        return QStringLiteral("TextBox");
    if (qobject_cast<const QCheckBox *>(w))
        return QStringLiteral("CheckBox");
    if (qobject_cast<const QRadioButton *>(w))
        return QStringLiteral("OptionButton");
    if (qobject_cast<const QPushButton *>(w))
        return QStringLiteral("CommandButton");
    if (qobject_cast<const QTreeView *>(w))
        return QStringLiteral("TreeView");
    if (qobject_cast<const QListView *>(w))
        return QStringLiteral("ListBox");
    if (qobject_cast<const QComboBox *>(w))
        return QStringLiteral("ComboBox");
    if (qobject_cast<const QProgressBar *>(w))
        return QStringLiteral("ProgressBar");
    if (qobject_cast<const QAbstractSlider *>(w))
        return QStringLiteral("Slider");
    if (qobject_cast<const QStatusBar *>(w))
        return QStringLiteral("StatusBar");
    // Plain panels hold other controls, as picture boxes do.
    const char *cls = w->metaObject()->className();
    if (qstrcmp(cls, "QWidget") == 0 || qstrcmp(cls, "QFrame") == 0)
        return QStringLiteral("PictureBox");
    return QString::fromLatin1(cls);
}

void clsFormResize::setSourceForm(QWidget *form)
{
    m_form = form;
}

void clsFormResize::RecordGeometry()
{
    RecordFormSize();
    RecordControls();
}

void clsFormResize::RecordFormSize()
{
    if (!m_form)
        return;
    BaseWidth = wholeTwips(Twips::fromPixelsX(m_form->width(), m_form));
    BaseHeight = wholeTwips(Twips::fromPixelsY(m_form->height(), m_form));
}

// The form's controls in creation order; the insides of composite widgets
// (a combo box's edit line, a scroll area's viewport) are not controls.
void clsFormResize::collectControls(QWidget *container, QList<QWidget *> &controls) const
{
    for (QObject *child : container->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isWindow() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        controls.append(w);
        if (isContainerKind(controlTypeName(w)))
            collectControls(w, controls);
    }
}

void clsFormResize::RecordControls()
{
    ControlTable.clear();
    if (m_form) {
        QList<QWidget *> controls;
        collectControls(m_form, controls);
        for (QWidget *w : controls) {
            const QString type = controlTypeName(w);
            if (isSkippedKind(type))
                continue;
            ControlGeometry g;
            g.control = w;
            g.isLine = type == QLatin1String("Line");
            if (g.isLine) {
                g.first = lineEnd(w, "X1");
                g.second = lineEnd(w, "Y1");
                g.third = lineEnd(w, "X2");
                g.fourth = lineEnd(w, "Y2");
            } else {
                const QRect r = w->geometry();
                g.first = wholeTwips(Twips::fromPixelsX(r.x(), w));
                g.second = wholeTwips(Twips::fromPixelsY(r.y(), w));
                g.third = wholeTwips(Twips::fromPixelsX(r.width(), w));
                g.fourth = wholeTwips(Twips::fromPixelsY(r.height(), w));
            }
            ControlTable.append(g);
        }
    }
    NeedsRecord = false;
}

void clsFormResize::ScaleControls()
{
    if (NeedsRecord) {
        RecordGeometry();
        return;
    }
    if (!m_form || m_form->isMinimized())
        return;
    if (BaseWidth == 0 || BaseHeight == 0) {
        // A window recorded with no inner area has nothing to scale from.
        ErrorTrap(QStringLiteral("Division by zero"), 11, QString::fromLatin1(ErrSource),
                  QString::fromLatin1(ScaleLabel), false);
        return;
    }
    const double yRatio = Twips::fromPixelsY(m_form->height(), m_form) / BaseHeight;
    const double xRatio = Twips::fromPixelsX(m_form->width(), m_form) / BaseWidth;

    for (ControlGeometry &g : ControlTable) {
        QWidget *w = g.control;
        if (!w) {
            // Logged the first time only: a window drag scales many times.
            if (!g.lossLogged)
                ErrorTrap(QStringLiteral("Object required"), 424, QString::fromLatin1(ErrSource),
                          QString::fromLatin1(ScaleLabel), false);
            g.lossLogged = true;
            continue;
        }
        const TagLetters letters = tagLetters(w);
        if (g.isLine) {
            // Ends a control cannot take are skipped one by one.
            auto setEnd = [w](const char *name, double value) {
                if (w->metaObject()->indexOfProperty(name) >= 0)
                    w->setProperty(name, value);
            };
            if (letters.top)
                setEnd("Y1", g.second * yRatio);
            if (letters.height)
                setEnd("Y2", g.fourth * yRatio);
            if (letters.left)
                setEnd("X1", g.first * xRatio);
            if (letters.width)
                setEnd("X2", g.third * xRatio);
            continue;
        }
        const QString type = controlTypeName(w);
        if (!isMovedKind(type))
            continue;
        QRect r = w->geometry();
        if (letters.top)
            r.moveTop(Twips::toPixelsY(g.second * yRatio, w));
        // A combo box's height follows its font, not the window.
        if (letters.height && type != QLatin1String("ComboBox"))
            r.setHeight(Twips::toPixelsY(g.fourth * yRatio, w));
        if (letters.left)
            r.moveLeft(Twips::toPixelsX(g.first * xRatio, w));
        if (letters.width)
            r.setWidth(Twips::toPixelsX(g.third * xRatio, w));
        w->setGeometry(r);
    }
}

void clsFormResize::SizeFormToScreen(short percent)
{
    if (!m_form)
        return;
    QScreen *screen = m_form->screen() ? m_form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize s = screen->geometry().size();
    const double width = std::floor(percent / 100.0 * Twips::fromPixelsX(s.width(), m_form));
    const double height = std::floor(percent / 100.0 * Twips::fromPixelsY(s.height(), m_form));
    // Width and Height are the outer size, frame included.
    const QSize frame = m_form->frameGeometry().size() - m_form->size();
    m_form->resize(std::max(0, Twips::toPixelsX(width, m_form) - frame.width()),
                   std::max(0, Twips::toPixelsY(height, m_form) - frame.height()));
}

void clsFormResize::ReInitialize()
{
    RecordGeometry();
}
