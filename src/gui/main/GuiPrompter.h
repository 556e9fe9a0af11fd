#pragma once

#include "base/Prompter.h"

class QMessageBox;
class QWidget;

// Message boxes and file dialogs of the core, shown as modal Qt dialogs.
class GuiPrompter : public Prompter
{
public:
    explicit GuiPrompter(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    void setParent(QWidget *parent) { m_parent = parent; }

    Answer message(const QString &text, const QString &caption, Icon icon, Buttons buttons) override;
    QString chooseFile(const QString &title, const QString &folder, const QString &filter, int filterIndex) override;
    QString chooseSaveFile(const QString &title, const QString &folder, const QString &fileName,
                           const QString &filter, int *filterIndex) override;
    void pump() override;

    /// Widens a message box so that its title bar shows the whole caption.
    static void keepCaptionWhole(QMessageBox &box);

private:
    QWidget *m_parent;
};
