#include "services/ui/frmUpgrade.h"

#include "platform/ui/FormInstance.h"

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

namespace {
FormInstance<frmUpgrade> g_upgrade;
}

frmUpgrade::frmUpgrade(QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("frmUpgrade"));
    setWindowTitle(QString());
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);

    Label1 = new QLabel(QStringLiteral("Pellor is pleased to announced the new version of Brindlewick."), this);
    QFont f(QStringLiteral("Times New Roman"), 12);
    f.setItalic(true);
    Label1->setFont(f);
    QPalette lp = Label1->palette();
    lp.setColor(QPalette::WindowText, QColor(64, 64, 64));
    Label1->setPalette(lp);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    adjustSize();
}

frmUpgrade *upgradeWindow()
{
    return g_upgrade.get();
}

void ShowUpgrade()
{
    g_upgrade.show();
}

void UnloadUpgrade()
{
    g_upgrade.unload();
}
