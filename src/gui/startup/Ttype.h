#pragma once

#include "app/DriveSelection.h"
#include "app/TypeChoice.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class Prompter;
class Session;

// The start-up window: a borderless picture with the language, type, form and CPU version
// lists. Closing it by any means records the choice; there is no cancel.
class Ttype : public QDialog
{
    Q_OBJECT

public:
    /// Builds the catalogue and the initial choice; check failed() before showing.
    Ttype(Session &session, bool startUp, Prompter &prompter, QWidget *parent = nullptr);

    bool failed() const { return m_failed; }
    /// "New" shows the window with the language list disabled.
    void lockLanguage();
    DriveSelection selection() const { return m_selection; }
    /// The CPU versions and numbers of the chosen type, kept by the main window.
    QStringList cpuVersions() const { return m_choice.cpuVersions(); }
    QStringList cpuNumbers() const { return m_choice.cpuNumbers(); }

    void done(int result) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private slots:
    void I_TypeFormChange(int index);
    void I_CpuFormChange(int index);
    void I_CapaFormChange(int index);
    void LangFormChange(int index);
    void okClick();

private:
    void createControls();
    void connectHandlers();
    void showChoice();
    void FormClose();

    Session &m_session;
    TypeChoice m_choice;
    DriveSelection m_selection;
    bool m_failed = false;
    bool m_recorded = false;
    bool m_filling = false;
    QPixmap m_picture;
    QLabel *Label1 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *LangForm = nullptr;
    QComboBox *I_TypeForm = nullptr;
    QComboBox *I_CapaForm = nullptr;
    QComboBox *I_CpuForm = nullptr;
    QPushButton *ok = nullptr;
};
