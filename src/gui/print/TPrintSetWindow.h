#pragma once

#include "report/PageSetup.h"
#include "report/PageSetupCheck.h"

#include <QDialog>

class PageSketch;
class Prompter;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Session;

// "Page Setup": paper, orientation, margins, header items, comment, font, font size, row
// height and the colour of the value column. Every entry is checked when its field is left
// (or Enter is pressed) and all together before the window closes; closing writes [Page].
class TPrintSetWindow : public QDialog
{
    Q_OBJECT

public:
    TPrintSetWindow(Session &session, Prompter &prompter, QWidget *parent = nullptr);

    /// The set-up as the controls show it (the last accepted values).
    PageSetup setup() const;
    void showSetup(const PageSetup &setup);
    /// The comment box takes the loaded parameter file's comment.
    void setComment(const QString &comment);
    void setValueColor(int bgr);
    /// Checks every field as closing does; false at the first refused one, focus on it.
    bool checkAll();
    void done(int result) override;

signals:
    void activated();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void DBFontColorClick();
    void POrientClick();
    void CommentPrintClick();

private:
    void createControls();
    QWidget *createPaperBox();
    QWidget *createItemsBox();
    QWidget *createDetailBox();
    void applyTexts();
    void connectHandlers();
    /// Runs the check of one field; shows its message and puts a limit in on failure.
    bool checkField(QWidget *field);
    PageSetupCheck::Verdict verdictOf(QWidget *field) const;
    QString text(const char *key, const char *def) const;

    Session &m_session;
    Prompter &m_prompter;
    PageSetup m_setup;  // values not edited here (font index kept for a font no longer there)
    bool m_checking = false;
    QComboBox *PSize = nullptr;
    QRadioButton *POrientP = nullptr, *POrientL = nullptr;
    PageSketch *m_sketch = nullptr;
    QLineEdit *TopMarg = nullptr, *BottomMarg = nullptr, *LeftMarg = nullptr, *RightMarg = nullptr;
    QLineEdit *DBHeight = nullptr;
    QComboBox *DBFont = nullptr, *DBFontSize = nullptr;
    QPushButton *DBFontColor = nullptr;
    QLabel *Panel1 = nullptr;
    QCheckBox *DayPrint = nullptr, *TimePrint = nullptr, *TypeFormPrint = nullptr, *PageNoPrint = nullptr;
    QCheckBox *CommentPrint = nullptr, *DefValPrint = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLabel *Label21 = nullptr;
    int m_valueColor = 0;
};
