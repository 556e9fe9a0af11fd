#pragma once

#include "app/MaintenanceLogin.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class Prompter;
class Session;

// "Maintenance Mode": asks for a password and enters maintenance or master mode. A wrong or
// empty password keeps the window open and changes nothing.
class TMMIMtpass : public QDialog
{
    Q_OBJECT

public:
    /// `line` runs the connection check and tells how to write FB91; without it the tool is
    /// off line.
    TMMIMtpass(Session &session, Prompter &prompter, std::function<MaintenanceLogin::Line()> line,
               QWidget *parent = nullptr);

    QLineEdit *Pass() const { return m_pass; }
    /// The mode was entered since the window was last shown.
    bool changed() const { return m_changed; }

signals:
    void masterEntered();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void Button1Click();
    void Button2Click();

private:
    void FormShow();

    Session &m_session;
    Prompter &m_prompter;
    std::function<MaintenanceLogin::Line()> m_line;
    QLabel *m_label = nullptr;
    QLineEdit *m_pass = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    bool m_changed = false;
};
