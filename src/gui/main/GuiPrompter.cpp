#include "GuiPrompter.h"

#include "base/DialogFilter.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

QMessageBox::Icon boxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Stop:
        return QMessageBox::Critical;
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompter::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompter::Buttons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case Prompter::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

Prompter::Answer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return Prompter::Answer::Cancel;
    case QMessageBox::Yes:
        return Prompter::Answer::Yes;
    case QMessageBox::No:
        return Prompter::Answer::No;
    case QMessageBox::Abort:
        return Prompter::Answer::Abort;
    case QMessageBox::Retry:
        return Prompter::Answer::Retry;
    case QMessageBox::Ignore:
        return Prompter::Answer::Ignore;
    default:
        break;
    }
    return Prompter::Answer::Ok;
}

// "Parameter Datas (*.vkr)" -> "vkr"; empty for "*.*" or several patterns.
QString suffixOf(const QString &qtEntry)
{
    const int open = qtEntry.lastIndexOf(QStringLiteral("(*."));
    const int close = qtEntry.indexOf(QLatin1Char(')'), open);
    if (open < 0 || close < 0)
        return {};
    const QString suffix = qtEntry.mid(open + 3, close - open - 3);
    if (suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char(' ')))
        return {};
    return suffix;
}

// Room on a title bar besides the caption: the window icon and up to three buttons, with
// the window manager's padding.
constexpr int TitleBarExtras = 128;

}  // namespace

void GuiPrompter::keepCaptionWhole(QMessageBox &box)
{
    // A message box is as wide as its text; a short text under a long caption ("Confirmation
    // (File-type error)") would leave the title bar too narrow for it.
    // Window managers draw captions in bold.
    QFont title = box.font();
    title.setBold(true);
    const int wanted = QFontMetrics(title).horizontalAdvance(box.windowTitle()) + TitleBarExtras;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

Prompter::Answer GuiPrompter::message(const QString &text, const QString &caption, Icon icon, Buttons buttons)
{
    QMessageBox box(boxIcon(icon), caption, text, boxButtons(buttons), m_parent);
    keepCaptionWhole(box);
    const int pressed = box.exec();
    // Closing a question box with the window's close button counts as its escape button.
    const Answer answer = answerOf(pressed);
    pump();
    return answer;
}

QString GuiPrompter::chooseFile(const QString &title, const QString &folder, const QString &filter, int filterIndex)
{
    QString selected = DialogFilter::entry(filter, filterIndex);
    return QFileDialog::getOpenFileName(m_parent, title, folder, DialogFilter::toQt(filter), &selected);
}

QString GuiPrompter::chooseSaveFile(const QString &title, const QString &folder, const QString &fileName,
                                    const QString &filter, int *filterIndex)
{
    QFileDialog dialog(m_parent, title, folder, DialogFilter::toQt(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(fileName);
    dialog.selectNameFilter(DialogFilter::entry(filter, *filterIndex));
    // The dialog adds the filter's extension to a bare name itself, so its overwrite question
    // is about the file that will be written.
    dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString &entry) { dialog.setDefaultSuffix(suffixOf(entry)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QStringList entries = DialogFilter::toQt(filter).split(QStringLiteral(";;"));
    *filterIndex = qMax(0, int(entries.indexOf(dialog.selectedNameFilter())));
    return dialog.selectedFiles().first();
}

void GuiPrompter::pump()
{
    QCoreApplication::processEvents();
}
