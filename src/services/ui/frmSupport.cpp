#include "services/ui/frmSupport.h"

#include "core/Connection.h"
#include "core/DataDir.h"
#include "core/ErrorLog.h"
#include "core/Registry.h"
#include "core/TextHelpers.h"
#include "core/Version.h"
#include "core/ui/ClosingGuard.h"
#include "core/ui/WindowEffects.h"
#include "platform/Dialogs.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"
#include "platform/ui/CloseBox.h"
#include "platform/ui/FormInstance.h"
#include "platform/ui/WindowKeys.h"
#include "services/MailJobs.h"
#include "services/SmtpClient.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QPointer<frmSupport> g_support;

QList<QRadioButton *> options(QGroupBox *frame, const QStringList &captions, int selected)
{
    auto *layout = new QHBoxLayout(frame);
    QList<QRadioButton *> buttons;
    for (const QString &caption : captions) {
        auto *b = new QRadioButton(caption, frame);
        layout->addWidget(b);
        buttons << b;
    }
    buttons[selected]->setChecked(true);
    return buttons;
}

} // namespace

frmSupport::frmSupport(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("frmSupport"));
    setWindowTitle(QStringLiteral("Brindlewick Technical Support "));
    setMouseTracking(true);

    Label1 = new QLabel(QStringLiteral("Brindlewick Technical Support "), this);
    QFont title(QStringLiteral("Times New Roman"));
    title.setPointSize(14);
    title.setBold(true);
    Label1->setFont(title);
    const char *const texts[] = {" If you have any questions, feel free to ask. Just click and submit for a prompt reply.",
                                 "Name:",
                                 "E-Mail:",
                                 "Which operating system are you using:",
                                 "How do you connect to the Internet ?",
                                 "Are you connecting through a proxy server?",
                                 "Did you get an error message?",
                                 "If yes, what exactly did it say",
                                 "Please describe your problem being as specific as possible:"};
    for (const char *t : texts)
        lbl1 << new QLabel(QString::fromLatin1(t), this);
    txtName = new QLineEdit(this);
    txtEmail = new QLineEdit(this);
    cboSystem = new QComboBox(this);
    Frame1 = new QGroupBox(this);
    Frame2 = new QGroupBox(this);
    Frame3 = new QGroupBox(this);
    optConnect = options(Frame1, {QStringLiteral("Network"), QStringLiteral("Modem"), QStringLiteral("Don't Know")}, 2);
    optProxy = options(Frame2, {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Don't Know")}, 2);
    optError = options(Frame3, {QStringLiteral("Yes"), QStringLiteral("No")}, 1);
    for (int i = 0; i < optConnect.size(); ++i)
        connect(optConnect[i], &QRadioButton::clicked, this, [this, i] { optConnect_Click(i); });
    for (int i = 0; i < optProxy.size(); ++i)
        connect(optProxy[i], &QRadioButton::clicked, this, [this, i] { optProxy_Click(i); });
    for (int i = 0; i < optError.size(); ++i)
        connect(optError[i], &QRadioButton::clicked, this, [this, i] { optError_Click(i); });
    txtError = new QPlainTextEdit(this);
    txtError->setFixedHeight(48);
    txtDesc = new QPlainTextEdit(this);
    chkError = new QCheckBox(QStringLiteral("Send Error Log"), this);
    chkError->setToolTip(QStringLiteral("Click to attach the error log"));
    chkError->setChecked(true);

    // The label buttons, with a marker behind the one under the pointer.
    Shape1 = new QFrame(this);
    Shape1->setFrameShape(QFrame::Box);
    Shape1->hide();
    const char *const buttons[][2] = {{"Exit", "Close (Alt X or Escape)"}, {"Submit", "Submit (Alt S)"},
                                      {"Reset", "Reset (Alt R)"}};
    auto *bar = new QHBoxLayout;
    for (const auto &b : buttons) {
        auto *label = new QLabel(QString::fromLatin1(b[0]), this);
        label->setToolTip(QString::fromLatin1(b[1]));
        label->setStyleSheet(QStringLiteral("color: #0000ff; padding: 2px 10px;"));
        label->setMouseTracking(true);
        label->installEventFilter(this);
        bar->addWidget(label);
        Panel1 << label;
    }
    bar->addStretch();
    bar->addWidget(chkError);

    auto *form = new QFormLayout;
    form->addRow(lbl1[1], txtName);
    form->addRow(lbl1[2], txtEmail);
    form->addRow(lbl1[3], cboSystem);
    form->addRow(lbl1[4], Frame1);
    form->addRow(lbl1[5], Frame2);
    form->addRow(lbl1[6], Frame3);
    form->addRow(lbl1[7], txtError);
    auto *all = new QVBoxLayout(this);
    all->addWidget(Label1);
    all->addWidget(lbl1[0]);
    all->addLayout(form);
    all->addWidget(lbl1[8]);
    all->addWidget(txtDesc);
    all->addLayout(bar);
    Shape1->lower();
    onCloseBox(this, [this] { CloseSupport(); });
    // The window sees these keys before its fields do.
    addWindowKeys(this,
                  {Qt::ALT | Qt::Key_X, Qt::ALT | Qt::Key_S, Qt::ALT | Qt::Key_R, QKeyCombination(Qt::Key_Escape),
                   Qt::ALT | Qt::Key_Escape},
                  [this](int key, Qt::KeyboardModifiers modifiers) { Form_KeyDown(key, modifiers); });

    Form_Load();
}

void frmSupport::Form_Load()
{
    cboSystem->addItems({QStringLiteral("Windows 95"), QStringLiteral("Windows 98"), QStringLiteral("Windows NT"),
                         QStringLiteral("Windows 2000"), QStringLiteral("Other"), QStringLiteral("Don't Know")});
    ConnectAnswer = QStringLiteral("Don't Know");
    ProxyAnswer = QStringLiteral("Don't Know");
    ErrorAnswer = QStringLiteral("No");
    txtEmail->setText(QuerySetting(QStringLiteral("Email")).toString());
    cboSystem->setCurrentIndex(1);
}

void frmSupport::Reset()
{
    txtName->clear();
    txtError->clear();
    txtDesc->clear();
    optConnect[2]->setChecked(true);
    optProxy[2]->setChecked(true);
    optError[1]->setChecked(true);
    ConnectAnswer = QStringLiteral("Don't Know");
    ProxyAnswer = QStringLiteral("Don't Know");
    ErrorAnswer = QStringLiteral("No");
    txtEmail->setText(QuerySetting(QStringLiteral("Email")).toString());
    cboSystem->setCurrentIndex(1);
}

void frmSupport::optConnect_Click(int Index)
{
    const char *const answers[] = {"Internet", "Modem", "Don't Know"};
    if (Index >= 0 && Index < 3)
        ConnectAnswer = QString::fromLatin1(answers[Index]);
}

void frmSupport::optProxy_Click(int Index)
{
    const char *const answers[] = {"Yes", "No", "Don't Know"};
    if (Index >= 0 && Index < 3)
        ProxyAnswer = QString::fromLatin1(answers[Index]);
}

void frmSupport::optError_Click(int Index)
{
    const char *const answers[] = {"Yes", "No"};
    if (Index >= 0 && Index < 2)
        ErrorAnswer = QString::fromLatin1(answers[Index]);
}

void frmSupport::Panel1_Click(int Index)
{
    switch (Index) {
    case 0: CloseSupport(); break;
    case 1: SendData(); break;
    case 2: Reset(); break;
    default: break;
    }
}

void frmSupport::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Escape) {
        Panel1_Click(0);
        return;
    }
    if (!(modifiers & Qt::AltModifier))
        return;
    switch (key) {
    case Qt::Key_X: Panel1_Click(0); break;
    case Qt::Key_S: Panel1_Click(1); break;
    case Qt::Key_R: Panel1_Click(2); break;
    default: break;
    }
}

QString frmSupport::requestText() const
{
    const QStringList lines = {
        QStringLiteral("Date: ") + QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat),
        QStringLiteral("From: ") + txtName->text(),
        QStringLiteral("Email: ") + txtEmail->text(),
        QStringLiteral("Brindlewick version: ") + QString::fromLatin1(TrademarkText),
        QStringLiteral("Operating system: ") + cboSystem->currentText(),
        QStringLiteral("Internet Connection: ") + ConnectAnswer,
        QStringLiteral("Proxy: ") + ProxyAnswer,
        QStringLiteral("Error Massage: ") + ErrorAnswer,
        QStringLiteral("Error Descreption: ") + txtError->toPlainText(),
        QString(41, QLatin1Char('*')),
        QStringLiteral("Note: ") + txtDesc->toPlainText(),
    };
    QString text = lines.join(QStringLiteral("\r\n"));
    if (chkError->isChecked())
        text += QStringLiteral("\r\n*************************ErrorLog***********************\r\n")
                + ReadFile(DataDir + QStringLiteral("\\ErrorLog.txt"));
    return text;
}

void frmSupport::SendData()
{
    if (m_inFlight.busy() || isClosing(this))
        return; // one request at a time
    if (txtName->text().isEmpty() && txtEmail->text().isEmpty() && txtError->toPlainText().isEmpty()
        && txtDesc->toPlainText().isEmpty())
        return;
    // Any server name given here is a server; without one the request stays
    // in the window as typed.
    const QString server = mailServerOrAsk({}, false, 1);
    if (server.isEmpty())
        return;
    SaveSetting(QStringLiteral("EmailServer"), server);
    // The address the user typed is the one used; the stored one fills an empty box.
    if (txtEmail->text().isEmpty())
        txtEmail->setText(QuerySetting(QStringLiteral("Email")).toString());
    const QString request = requestText();
    DoEvents();
    if (isClosing(this))
        return;
    SmtpClient mail;
    const bool sent = CheckConnection() && m_inFlight.run(mail, [&] {
        return mail.SendEmail(server, QStringLiteral("Brindlewick User"), txtEmail->text(), QStringLiteral("Pellor"),
                              QString::fromLatin1(SupportAddress),
                              QStringLiteral("Brindlewick Technical Support Request"), request);
    });
    if (m_inFlight.released())
        return; // closed while it was sent
    DoEvents();
    if (!sent) {
        // What was typed stays for another try.
        MsgBox((mail.LastFailure.isEmpty() ? QString() : mail.LastFailure + QStringLiteral("\r\n"))
                   + QStringLiteral("Your support request was not sent. It stays in the window; submit it again when "
                                    "the mail server can be reached."),
               Msg::OKOnly + Msg::Exclamation, QStringLiteral("Brindlewick Technical Support "));
        return;
    }
    CloseSupport();
}

void frmSupport::CloseSupport()
{
    if (!beginClosing(this))
        return;
    m_inFlight.abort();
    RollWindow(this, 25);
    UnloadSupport();
}

void frmSupport::Panel1_MouseMove(int Index)
{
    QLabel *button = Panel1[Index];
    const QRect at = button->geometry();
    if (Shape1->isVisible() && Shape1->geometry().left() == at.left())
        return;
    Shape1->setGeometry(at);
    Shape1->show();
    DoEvents();
}

bool frmSupport::eventFilter(QObject *watched, QEvent *event)
{
    const int index = Panel1.indexOf(qobject_cast<QLabel *>(watched));
    if (index >= 0) {
        switch (event->type()) {
        case QEvent::MouseMove: Panel1_MouseMove(index); break;
        case QEvent::MouseButtonPress: Shape1->setStyleSheet(QStringLiteral("color: #00ff00;")); break;
        case QEvent::MouseButtonRelease:
            Shape1->setStyleSheet(QStringLiteral("color: #ffff00;"));
            Panel1_Click(index);
            return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmSupport::mouseMoveEvent(QMouseEvent *event)
{
    Shape1->hide();
    QWidget::mouseMoveEvent(event);
}

frmSupport *supportWindow()
{
    return g_support.data();
}

void ShowSupport(QWidget *owner, int tickerTopTwips)
{
    if (!g_support) {
        g_support = new frmSupport(owner);
        g_support->setWindowModality(Qt::ApplicationModal);
    }
    frmSupport *w = g_support;
    if (owner) {
        const int left = owner->width() / 2 - w->width() / 2;
        w->move(owner->mapToGlobal(QPoint(left, Twips::toPixelsY(tickerTopTwips, owner))));
    } else {
        FormInstance<frmSupport>::centreOnScreen(w);
    }
    w->show();
    w->raise();
}

void UnloadSupport()
{
    frmSupport *w = g_support;
    if (!w)
        return;
    g_support.clear();
    w->hide();
    w->m_inFlight.release(w);
}
