#pragma once

#include "app/OptionInterlocks.h"

#include <QDialog>
#include <QMap>
#include <functional>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class Prompter;
class Session;

// "Environment Options": edits the session's options. Every change goes into the options at
// once; a numeric field is checked when it is left, on Enter and all together before the
// window closes, and the window stays open while one is rejected. Every close writes
// [Options]. The "Master's" page shows only at the master level of maintenance mode.
class TVKROption : public QDialog
{
    Q_OBJECT

public:
    TVKROption(Session &session, Prompter &prompter, QWidget *parent = nullptr);

    /// Colour dialog preset with a 0x00BBGGRR colour; returns the chosen one or -1.
    std::function<int(int current)> chooseColor;

    QCheckBox *check(Opt id) const { return m_checks.value(id); }
    QLineEdit *field(Opt id) const { return m_fields.value(id); }
    QPushButton *swatch(Opt id) const { return m_swatches.value(id); }
    QTabWidget *pages() const { return m_pages; }
    bool masterPageVisible() const;
    /// Context of the interlocks, from the selected type's Info.ini and the table.
    OptionInterlocks::Context context() const;

    void done(int result) override;

signals:
    /// After every close, once [Options] is written.
    void optionsClosed();
    /// "Register VKR410T file-type" was clicked.
    void fileTypeRegistration(bool registered);
    /// "Display the Buffer Table." was clicked.
    void bufferTableWanted(bool shown);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void DefBtnClick();
    void Button1Click();

private:
    void FormCreate();
    void FormShow();
    QWidget *createPage(OptionDefs::Page page);
    void addOption(QGridLayout *grid, int &row, int column, const OptionDefs::Def &d);
    void addField(QGridLayout *grid, int row, int column, const OptionDefs::Def &d, QWidget *label);
    void addSwatch(QGridLayout *grid, int row, int column, const OptionDefs::Def &d, QWidget *label);
    void createButtons(QGridLayout *outer);
    void applyTexts();
    void checkClicked(Opt id, bool on);
    void showValues();
    void applyInterlocks();
    bool checkField(Opt id);
    bool checkAllFields();
    void pickColor(Opt id);
    void paintSwatch(Opt id);
    QString text(const char *key, const char *def) const;

    Session &m_session;
    Prompter &m_prompter;
    QTabWidget *m_pages = nullptr;
    QWidget *m_masterPage = nullptr;
    QCheckBox *m_option2 = nullptr;
    QLabel *m_runLabel = nullptr;
    QLabel *m_stopLabel = nullptr;
    QPushButton *m_defBtn = nullptr;
    QPushButton *m_colorsBtn = nullptr;
    QPushButton *m_closeBtn = nullptr;
    QMap<Opt, QCheckBox *> m_checks;
    QMap<Opt, QLineEdit *> m_fields;
    QMap<Opt, QSpinBox *> m_upDowns;
    QMap<Opt, QPushButton *> m_swatches;
    QMap<Opt, QLabel *> m_labels;
    bool m_option1 = false;
    bool m_validating = false;
    bool m_showing = false;
};
