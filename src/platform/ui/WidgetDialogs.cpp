#include "platform/ui/WidgetDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
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
    // Made on the heap: should the window it is shown over go while it is
    // open, the box goes with it, and is not freed a second time here.
    const QPointer<QMessageBox> box =
        new QMessageBox(iconOf(style), titleOr(title), prompt, QMessageBox::NoButton, QApplication::activeWindow());
    const QList<ButtonSpec> specs = buttonsOf(style & 0x0F);
    for (const ButtonSpec &s : specs)
        box->addButton(s.button);
    const int def = (style & 0xF00) >> 8;
    box->setDefaultButton(specs.value(def, specs.first()).button);
    const auto clicked = QMessageBox::StandardButton(box->exec());
    delete box.data();
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
    return saveFileAs({title, defaultName, QString(),
                       {filterDescription + QStringLiteral(" (*.") + extension + QLatin1Char(')')}, extension});
}

QString WidgetDialogs::saveFileAs(const SaveFileRequest &request)
{
    const QString folder = request.folder.isEmpty() ? QDir::homePath() : request.folder;
    QFileDialog dialog(QApplication::activeWindow(), request.title, QDir(folder).filePath(request.defaultName));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(request.filters);
    const QString wanted = QStringLiteral("*.") + request.defaultExtension.toUpper();
    for (const QString &filter : request.filters) {
        if (!request.defaultExtension.isEmpty() && filter.toUpper().contains(wanted)) {
            dialog.selectNameFilter(filter);
            break;
        }
    }
    // A name typed without an extension gets the one of the file type
    // chosen, as the system dialog does; with no single one, the default.
    const auto suffixFor = [&request](const QString &filter) {
        const qsizetype star = filter.lastIndexOf(QStringLiteral("(*."));
        const QString ext = star < 0 || !filter.endsWith(QLatin1Char(')'))
                                ? QString()
                                : filter.mid(star + 3, filter.size() - star - 4);
        return ext.isEmpty() || ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char(' '))
                   ? request.defaultExtension
                   : ext;
    };
    dialog.setDefaultSuffix(suffixFor(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, suffixFor](const QString &filter) { dialog.setDefaultSuffix(suffixFor(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
