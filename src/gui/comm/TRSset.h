#pragma once

#include "comm/CommSettings.h"

#include <QDialog>
#include <memory>

class CommLink;
class HiddenLineControls;
class SetupFieldChecks;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;
class Prompter;
class Session;

// "RS-232C Setup": edits the communication settings. A field that is not accepted keeps the
// window open with the focus on it; OK and closing write [Comms], Cancel first drops the edits.
class TRSset : public QDialog
{
    Q_OBJECT

public:
    TRSset(Session &session, CommLink &link, Prompter &prompter, QWidget *parent = nullptr);
    ~TRSset() override;

    /// The settings as the controls show them.
    CommSettings shown() const;
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void AppendNoClick(bool checked);
    void DouhouClick(bool checked);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void OkBtnClick();
    void CancelBtnClick();

private:
    void createControls();
    void createProtocolAndNumber();
    void createPortAndTime();
    void createLine();
    void createButtons();
    void applyTexts();
    void connectHandlers();
    void FormCreate();
    void FormShow();
    void showSettings(const CommSettings &s);
    void fillPorts();
    void markChanges();
    bool checkAll();

    Session &m_session;
    CommLink &m_link;
    Prompter &m_prompter;
    CommSettings m_remembered;
    CommSettings m_edited;
    std::unique_ptr<SetupFieldChecks> m_checks;
    HiddenLineControls *m_hidden = nullptr;

    QGroupBox *ProtocolGr1 = nullptr;
    QRadioButton *Protocol[2] = {};
    QCheckBox *AppendNo = nullptr;
    QCheckBox *Douhou = nullptr;
    QLineEdit *IdNmb = nullptr;
    QSpinBox *UpDown1 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QSpinBox *UpDown2 = nullptr;
    QComboBox *CommSpeed = nullptr;
    QComboBox *CommParity = nullptr;
    QLabel *Label41 = nullptr, *Label42 = nullptr, *BpsLabel = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr;
    QPushButton *OkBtn = nullptr, *CancelBtn = nullptr;
};
