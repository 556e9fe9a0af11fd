#pragma once

#include <QString>
#include <QStringList>

// Every message box, question and file dialog of the core goes through this interface, so
// that the windows show real dialogs, the command-line tool answers from its options and
// tests script the answers and record the messages.
class Prompter
{
public:
    enum class Icon { None, Warning, Stop, Information, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore };
    enum class Answer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

    virtual ~Prompter() = default;

    /// Shows a modal message box and returns the button pressed.
    virtual Answer message(const QString &text, const QString &caption, Icon icon, Buttons buttons) = 0;
    /// Offers an open-file dialog; returns the chosen path or an empty text when cancelled.
    /// `filter` uses the "Description|*.ext|..." form of the language files.
    virtual QString chooseFile(const QString &title, const QString &folder, const QString &filter,
                               int filterIndex) = 0;
    /// Offers a save-file dialog that asks before overwriting, proposing `fileName` in `folder`
    /// with filter entry *filterIndex (0-based) selected; returns the chosen path and the
    /// selected entry in *filterIndex, or an empty text when cancelled.
    virtual QString chooseSaveFile(const QString &title, const QString &folder, const QString &fileName,
                                   const QString &filter, int *filterIndex)
    {
        (void)title, (void)folder, (void)fileName, (void)filter, (void)filterIndex;
        return {};
    }
    /// Lets pending window events run (pumped loops and after every message box).
    virtual void pump() {}

    void warn(const QString &text, const QString &caption)
    {
        message(text, caption, Icon::Warning, Buttons::Ok);
    }
};
