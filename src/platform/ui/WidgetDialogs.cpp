#include "platform/ui/WidgetDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

struct ButtonSpec
{
    QMessageBox::StandardButton button;
    int answer;
};

QList<ButtonSpec> buttonsOf(int buttons)
{
    switch (buttons) {
    case Msg::OKCancel: return {{QMessageBox::Ok, Msg::OK}, {QMessageBox::Cancel, Msg::Cancel}};
    case Msg::AbortRetryIgnore:
        return {{QMessageBox::Abort, Msg::Abort}, {QMessageBox::Retry, Msg::Retry}, {QMessageBox::Ignore, Msg::Ignore}};
    case Msg::YesNoCancel:
        return {{QMessageBox::Yes, Msg::Yes}, {QMessageBox::No, Msg::No}, {QMessageBox::Cancel, Msg::Cancel}};
    case Msg::YesNo: return {{QMessageBox::Yes, Msg::Yes}, {QMessageBox::No, Msg::No}};
    case Msg::RetryCancel: return {{QMessageBox::Retry, Msg::Retry}, {QMessageBox::Cancel, Msg::Cancel}};
    default: return {{QMessageBox::Ok, Msg::OK}};
    }
}

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case Msg::Critical: return QMessageBox::Critical;
    case Msg::Question: return QMessageBox::Question;
    case Msg::Exclamation: return QMessageBox::Warning;
    case Msg::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QString titleOr(const QString &title)
{
    return title.isEmpty() ? QApplication::applicationName() : title;
}

} // namespace

int WidgetDialogs::message(const QString &prompt, int style, const QString &title)
{
    QMessageBox box(iconOf(style), titleOr(title), prompt, QMessageBox::NoButton, QApplication::activeWindow());
    const QList<ButtonSpec> specs = buttonsOf(style & 0x0F);
    for (const ButtonSpec &s : specs)
        box.addButton(s.button);
    const int def = (style & 0xF00) >> 8;
    box.setDefaultButton(specs.value(def, specs.first()).button);
    const auto clicked = QMessageBox::StandardButton(box.exec());
    for (const ButtonSpec &s : specs)
        if (s.button == clicked)
            return s.answer;
    // Closed by the window's close box: the answer of Cancel where there is one.
    for (const ButtonSpec &s : specs)
        if (s.answer == Msg::Cancel)
            return Msg::Cancel;
    return specs.last().answer;
}

QString WidgetDialogs::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), titleOr(title), prompt,
                                               QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

QString WidgetDialogs::saveFile(const QString &title, const QString &defaultName, const QString &filterDescription,
                                const QString &extension)
{
    QFileDialog dialog(QApplication::activeWindow(), title, QDir::homePath() + QLatin1Char('/') + defaultName,
                       filterDescription + QStringLiteral(" (*.") + extension + QLatin1Char(')'));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(extension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
