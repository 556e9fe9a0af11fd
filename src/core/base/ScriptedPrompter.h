#pragma once

#include "Prompter.h"

#include <QList>

// A prompter that answers from a script and records every message: used by the
// command-line tool (answers from its options) and by tests.
class ScriptedPrompter : public Prompter
{
public:
    struct Shown {
        QString text;
        QString caption;
        Icon icon;
        Buttons buttons;
    };

    Answer message(const QString &text, const QString &caption, Icon icon, Buttons buttons) override;
    QString chooseFile(const QString &title, const QString &folder, const QString &filter,
                       int filterIndex) override;

    QString chooseSaveFile(const QString &title, const QString &folder, const QString &fileName,
                           const QString &filter, int *filterIndex) override;

    /// Answers given in order; when they run out, `defaultAnswer` (OK boxes always get Ok).
    QList<Answer> answers;
    Answer defaultAnswer = Answer::Cancel;
    /// When set, an answer the box does not offer becomes the nearest one it does: Yes and
    /// Ok stand for each other, and No becomes Cancel in an OK/Cancel box.
    bool fitAnswers = false;
    /// Files returned by chooseFile in order; when they run out, the dialog is cancelled.
    QStringList files;
    QList<Shown> shown;
    int fileDialogs = 0;
    /// Save dialogs: the filter entry each one offered first, and the entry each chosen file
    /// comes with (the offered one when the list runs out).
    QList<int> offeredFilters;
    QList<int> chosenFilters;

private:
    static Answer fit(Answer answer, Buttons buttons);
};
