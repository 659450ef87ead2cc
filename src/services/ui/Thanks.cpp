#include "services/ui/Thanks.h"

#include "platform/ui/FormInstance.h"
#include "core/ErrorLog.h"
#include "core/Portfolio.h"
#include "core/Registry.h"
#include "core/StartupHooks.h"
#include "core/Stocks.h"
#include "core/Version.h"
#include "core/ui/ClosingGuard.h"
#include "core/ui/WindowEffects.h"
#include "platform/Dialogs.h"
#include "platform/Sleep.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

QString QueuedMail;

namespace {
FormInstance<Thanks> g_thanks;

const char *const AgeGroups[] = {"16-24", "25-33", "34-42", "43-51", "52-60", "61+"};

const char *const Countries[] = {
    "Afghanistan", "Albania", "Algeria", "American Samoa", "Andorra", "Angola", "Anguilla",
    "Antigua And Barbuda", "Argentina", "Armenia", "Aruba", "Australia", "Austria", "Azerbaijan",
    "Bahamas", "Bahrain", "Bangladesh", "Barbados", "Belarus", "Belgium", "Belize", "Benin",
    "Bermuda", "Bhutan", "Bolivia", "Bosnia and Herzegovina", "Botswana", "Brazil",
    "British Indian Ocean Terr.", "Brunei Darussalam", "Bulgaria", "Burkina Faso", "Burundi",
    "Cambodia", "Cameroon", "Canada", "Cape Verde", "Cayman Islands", "Central African Republic",
    "Chad", "Chile", "China", "Colombia", "Comoros", "Congo", "Congo, The Democratic Rep.",
    "Cook Islands", "Costa Rica", "Cote D'Ivoire", "Croatia(Hrvatska)", "Cuba", "Cyprus",
    "Czech Republic", "Denmark", "Djibouti", "Dominica", "Dominican Republic", "East Timor",
    "Ecuador", "Egypt", "El Salvador", "Equatorial Guinea", "Eritrea", "Estonia", "Ethiopia",
    "Falkland Islands", "Faroe Islands", "Fiji", "Finland", "France", "French Guiana",
    "French Polynesia", "Gabon", "Gambia", "Georgia", "Germany", "Ghana", "Gibraltar", "Greece",
    "Greenland", "Grenada", "Guadeloupe", "Guam", "Guatemala", "Guinea", "Guinea-Bissau", "Guyana",
    "Haiti", "Honduras", "Hong Kong", "Hungary", "Iceland", "India", "Indonesia", "Iran", "Iraq",
    "Ireland", "Israel", "Italy", "Jamaica", "Japan", "Jordan", "Kazakhstan", "Kenya", "Kiribati",
    "Korea(North)", "Korea (Repulic of)", "Kuwait", "Kyrgyzstan", "Laos", "Latvia", "Lebanon",
    "Lesotho", "Liberia", "Libya", "Liechtenstein", "Lithuania", "Luxembourg", "Macau", "Macedonia",
    "Madagascar", "Malawi", "Malaysia", "Maldives", "Mali", "Malta", "Marshall Islands",
    "Martinique", "Mauritania", "Mauritius", "Mayotte", "Mexico", "Micronesia, Fed.States",
    "Moldova", "Monaco", "Mongolia", "Montserrat", "Morocco", "Mozambique", "Myanmar", "Namibia",
    "Nauru", "Nepal", "Netherlands", "Netherlands Antilles", "New Caledonia", "New Zealand",
    "Nicaragua", "Niger", "Nigeria", "Niue", "Northern Mariana Islands", "Norway", "Oman",
    "Pakistan", "Palau", "Panama", "Papua New Guinea", "Paraguay", "Peru", "Philippines", "Poland",
    "Portugal", "Puerto Rico", "Qatar", "Reunion", "Romania", "Russian Federation", "Rwanda",
    "Saint Kitts and Nevis", "Saint Lucia", "Saint Vincent and the Grenadines", "Samoa",
    "San Marino", "Sao Tome and Principe", "Saudi Arabia", "Senegal", "Seychelles", "Sierra Leone",
    "Singapore", "Slovakia", "Slovenia", "Solomon Islands", "Somalia", "South Africa", "Spain",
    "Sri Lanka", "St. Helena", "St. Pierre and Miquelon", "Sudan", "Suriname", "Swaziland",
    "Sweden", "Switzerland", "Syria", "Taiwan, Rep. of China", "Tajikistan", "Tanzania", "Thailand",
    "Togo", "Tonga", "Trinidad and Tobago", "Tunisia", "Turkey", "Turkmenistan",
    "Turks and Caicos Islands", "Tuvalu", "Uganda", "Ukraine", "United Arab Emirates",
    "United Kingdom", "United States", "U.S. Virgin Islands", "Uruguay", "Uzbekistan", "Vanuatu",
    "Vatican City", "Venezuela", "Viet Nam", "Virgin Islands (British)",
    "Wallis and Futuna Islands", "Western Sahara", "Yemen", "Yugoslavia", "Zambia", "Zimbabwe",
};

const char *const Sources[] = {
    "I saw a commercial banner", "I read a magazine article", "I read a newspaper article",
    "I have seen it in a software site", "I heard about it in a chat", "I heard in the newsgroups",
    "I heard in the message board", "A friend recommends me", "I'm long time Brindlewick user",
    "I forced to use it.",
};

template <std::size_t N>
QStringList listOf(const char *const (&items)[N])
{
    QStringList list;
    list.reserve(int(N));
    for (const char *item : items)
        list << QString::fromLatin1(item);
    return list;
}

// Fills a list box and leaves nothing chosen, so an unanswered question
// stays empty.
void fill(QComboBox *box, const QStringList &items)
{
    box->addItems(items);
    box->setCurrentIndex(-1);
    if (box->isEditable())
        box->clearEditText();
}

const QString Rule = QString(52, QLatin1Char('_'));
} // namespace

Thanks::Thanks(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("Thanks"));
    QFont base = font();
    base.setPointSize(8);
    setFont(base);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 232));
    setPalette(pal);
    setAutoFillBackground(true);

    // Places a control by its twips rectangle; no width means its own size.
    auto place = [this](QWidget *w, int left, int top, int width = 0, int height = 0) {
        if (width == 0) {
            w->adjustSize();
            w->move(Twips::toPixelsX(left, this), Twips::toPixelsY(top, this));
        } else {
            w->setGeometry(Twips::toPixelsX(left, this), Twips::toPixelsY(top, this),
                           Twips::toPixelsX(width, this), Twips::toPixelsY(height, this));
        }
    };
    auto question = [this](const char *text) {
        auto *label = new QLabel(QString::fromLatin1(text), this);
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, QColor(64, 64, 64));
        label->setPalette(p);
        return label;
    };

    Label7 = new QLabel(QStringLiteral("Thank you for choosing Brindlewick. The fastest and smarter way to "
                                       "collect finance information from the web"),
                        this);
    QFont title(QStringLiteral("Times New Roman"));
    title.setPointSizeF(11.25);
    title.setBold(true);
    title.setItalic(true);
    Label7->setFont(title);
    Label7->setWordWrap(true);
    QPalette blue = Label7->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label7->setPalette(blue);
    place(Label7, 240, 0, 8175, 495);

    Label8 = new QLabel(QStringLiteral("In order to better serve you and help us keep Brindlewick up-to-date, "
                                       "Please answer these few questions:"),
                        this);
    QFont bold = base;
    bold.setBold(true);
    Label8->setFont(bold);
    Label8->setWordWrap(true);
    place(Label8, 240, 600, 8415, 375);

    const int lineY[] = {1080, 4800};
    for (int i = 0; i < 2; ++i) {
        Line1[i] = new QFrame(this);
        QPalette grey = Line1[i]->palette();
        grey.setColor(QPalette::Window, QColor(128, 128, 128));
        Line1[i]->setPalette(grey);
        Line1[i]->setAutoFillBackground(true);
        Line1[i]->setGeometry(Twips::toPixelsX(240, this), Twips::toPixelsY(lineY[i], this),
                              Twips::toPixelsX(8640 - 240, this), 1);
    }

    Label1 = question("What is your age group?");
    place(Label1, 240, 1320);
    cboGroup = new QComboBox(this);
    place(cboGroup, 2160, 1320, 1815, 315);

    Label2 = question("What is your gender?");
    place(Label2, 240, 1680);
    cboGender = new QComboBox(this);
    place(cboGender, 2160, 1680, 1815, 315);

    Label3 = question("What country you live in?");
    place(Label3, 240, 2040);
    cboCountry = new QComboBox(this);
    cboCountry->setEditable(true);
    cboCountry->setInsertPolicy(QComboBox::NoInsert);
    place(cboCountry, 2160, 2040, 1815, 315);

    Label4 = question("Zip Code?");
    place(Label4, 240, 2400);
    txtZip = new QLineEdit(this);
    place(txtZip, 2160, 2400, 735, 285);

    Label5[0] = question("Have you purchased anything on the Internet before?");
    place(Label5[0], 4080, 1320);
    cboPar = new QComboBox(this);
    place(cboPar, 7920, 1320, 735, 315);

    Label5[1] = question("Where did you hear about us? ");
    place(Label5[1], 4080, 1680);
    cboWhere = new QComboBox(this);
    place(cboWhere, 5880, 1680, 2775, 315);

    Text1 = new QLineEdit(this);
    place(Text1, 5880, 2520);
    Text1->hide();

    Label5[3] = question("Comments:");
    place(Label5[3], 240, 2880);
    txtComments = new QPlainTextEdit(this);
    txtComments->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtComments->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtComments->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    place(txtComments, 240, 3120, 5535, 1365);

    Label6 = new QLabel(QStringLiteral("Private Policy"), this);
    QFont underlined = base;
    underlined.setUnderline(true);
    Label6->setFont(underlined);
    place(Label6, 6000, 3360);

    Text2 = new QPlainTextEdit(this);
    Text2->setReadOnly(true);
    Text2->setFrameShape(QFrame::NoFrame);
    Text2->setPalette(pal);
    Text2->viewport()->setAutoFillBackground(false);
    Text2->setPlainText(QStringLiteral("The information you provide will be \n"
                                       "held in strict confidence.\n"
                                       "For more information, please see our \n"
                                       "Internet privacy policy\n"));
    place(Text2, 6000, 3600, 2655, 855);

    chkPrompt = new QCheckBox(QStringLiteral("Don't Show this massage anymore."), this);
    QFont italic = base;
    italic.setItalic(true);
    chkPrompt->setFont(italic);
    place(chkPrompt, 240, 4920, 3135, 255);

    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    place(cmdClose, 7200, 4920, 1455, 315);

    setTabOrder(cboGroup, cboGender);
    setTabOrder(cboGender, cboCountry);
    setTabOrder(cboCountry, txtZip);
    setTabOrder(txtZip, cboPar);
    setTabOrder(cboPar, cboWhere);
    setTabOrder(cboWhere, txtComments);
    setTabOrder(txtComments, cmdClose);
    setTabOrder(cmdClose, chkPrompt);

    resize(Twips::toPixelsX(8790, this), Twips::toPixelsY(5265, this));
    keepQuestionsWhole();

    connect(chkPrompt, &QCheckBox::toggled, this, &Thanks::chkPrompt_Click);
    connect(cmdClose, &QPushButton::clicked, this, &Thanks::cmdclose_Click);

    Form_Load();
}

void Thanks::keepQuestionsWhole()
{
    // Each question stays whole: the answer box to its right starts after
    // its text, and the window widens when the answers need more room.
    const int gap = 6;
    const auto rightOf = [](const QWidget *w) { return w->x() + w->width(); };
    chkPrompt->resize(std::max(chkPrompt->width(), chkPrompt->sizeHint().width()), chkPrompt->height());
    int answersLeft = cboGroup->x();
    for (QLabel *l : {Label1, Label2, Label3, Label4})
        answersLeft = std::max(answersLeft, rightOf(l) + gap);
    for (QWidget *w : std::initializer_list<QWidget *>{cboGroup, cboGender, cboCountry, txtZip})
        w->move(answersLeft, w->y());
    const int rightQuestions = std::max(Label5[0]->x(), rightOf(cboGroup) + 2 * gap);
    for (QLabel *l : {Label5[0], Label5[1]})
        l->move(rightQuestions, l->y());
    cboPar->move(std::max(cboPar->x(), rightOf(Label5[0]) + gap), cboPar->y());
    cboWhere->move(std::max(cboWhere->x(), rightOf(Label5[1]) + gap), cboWhere->y());
    const int margin = Twips::toPixelsX(135, this);
    const int right = std::max({rightOf(cboPar), rightOf(cboWhere), rightOf(cmdClose)});
    if (right + margin <= width())
        return;
    const int grow = right + margin - width();
    resize(width() + grow, height());
    cmdClose->move(cmdClose->x() + grow, cmdClose->y());
    cboWhere->resize(std::max(cboWhere->width(), rightOf(cmdClose) - cboWhere->x()), cboWhere->height());
    cboPar->move(rightOf(cmdClose) - cboPar->width(), cboPar->y());
    for (QFrame *line : Line1)
        line->resize(rightOf(cmdClose) - line->x(), line->height());
    for (QWidget *w : std::initializer_list<QWidget *>{Label6, Text2})
        w->move(w->x() + grow, w->y());
    txtComments->resize(txtComments->width() + grow, txtComments->height());
}

void Thanks::Form_Load()
{
    // Ticked unless the user unticked it before; ticking runs the click
    // handler, so a first showing stores "Thanks" = 1 at once.
    const Variant stored = QuerySetting(QStringLiteral("Thanks"));
    if (stored.toString().isEmpty()) {
        chkPrompt->setChecked(true);
    } else if (!stored.isNumeric()) {
        ErrorTrap(QStringLiteral("Type mismatch"), ErrNo::TypeMismatch, QString::fromLatin1(ErrSource),
                  QStringLiteral("Thanks_Form_Load"), false);
        return;
    } else if (stored.toDouble() != 0 && stored.toDouble() != 1) {
        ErrorTrap(QStringLiteral("Invalid property value"), 380, QString::fromLatin1(ErrSource),
                  QStringLiteral("Thanks_Form_Load"), false);
        return;
    } else {
        chkPrompt->setChecked(stored.toDouble() == 1);
    }

    fill(cboGroup, listOf(AgeGroups));
    fill(cboGender, {QStringLiteral("Male"), QStringLiteral("Female")});
    fill(cboPar, {QStringLiteral("Yes"), QStringLiteral("No")});
    fill(cboCountry, listOf(Countries));
    fill(cboWhere, listOf(Sources));
}

void Thanks::chkPrompt_Click()
{
    SaveSetting(QStringLiteral("Thanks"), chkPrompt->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void Thanks::SendData()
{
    if (cboGender->currentText().isEmpty() && cboCountry->currentText().isEmpty()
        && txtComments->toPlainText().isEmpty())
        return;

    if (QuerySetting(QStringLiteral("EmailServer")).toString().length() < 2) {
        const QString server = InputBox(QStringLiteral("Please enter your mail server address.\r\n"
                                                       "Ex.: \"smtp.example.com\""),
                                        QStringLiteral("Mail Server"), QStringLiteral("mail.example.com"));
        if (server.isEmpty())
            return;
        SaveSetting(QStringLiteral("EmailServer"), server);
    }

    Text1->setText(QuerySetting(QStringLiteral("Email")).toString());

    // The mail goes out with CR LF line ends, the comments' own breaks too.
    QString comments = txtComments->toPlainText();
    comments.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    comments.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));

    const QStringList lines = {
        QStringLiteral("    Brindlewick ") + QString::fromUtf8(TrademarkText)
            + QStringLiteral(" First Time User Feedback"),
        QStringLiteral("    ") + QString(40, QLatin1Char('_')),
        QString(),
        QStringLiteral("Date............ ") + QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat),
        QStringLiteral("From............ ") + Text1->text(),
        QStringLiteral("Group age....... ") + cboGroup->currentText(),
        QStringLiteral("Gender.......... ") + cboGender->currentText(),
        QStringLiteral("Country......... ") + cboCountry->currentText(),
        QStringLiteral("Zip............. ") + txtZip->text(),
        QStringLiteral("Parchase........ ") + cboPar->currentText(),
        QStringLiteral("Heard........... ") + cboWhere->currentText(),
        Rule,
        QStringLiteral("Comments: ") + comments,
        Rule,
    };
    const QString message = lines.join(QStringLiteral("\r\n"));

    QueuedMail = message;
    // Replaces whatever was queued and not yet sent.
    SaveSetting(QStringLiteral("Q_Message"), message);
}

void Thanks::closeEvent(QCloseEvent *event)
{
    // Closed by the window system (there is no close box, but Alt+F4 works):
    // go on as Close does, or a first run would never show the main window.
    event->ignore();
    cmdclose_Click();
}

void Thanks::cmdclose_Click()
{
    // The roll-up lets events run; a second click must not start it again.
    if (!beginClosing(this))
        return;
    SendData();
    DoEvents();
    ReadPortfolio();
    DoEvents();
    ShowMainForm();
    DoEvents();
    RollWindow(this, 25);
    UnloadThanks();
    // From here on this window is on its way out: touch no member.
    ReadStocks();
    DoEvents();
}

Thanks *thanksWindow()
{
    return g_thanks.get();
}

void ShowThanks()
{
    g_thanks.show();
}

void UnloadThanks()
{
    g_thanks.unload();
}
