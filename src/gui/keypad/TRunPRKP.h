#pragma once

#include "keypad/DirectEntry.h"
#include "keypad/KeypadLoop.h"

#include <QDialog>
#include <QHash>
#include <QTimer>

class CommLink;
class PanelDisplay;
class PanelLamp;
class Prompter;
class QAction;
class QLabel;
class QPushButton;
class Session;

// "Key Pad": the drive's panel on the screen. While it is open the panel is polled as fast as
// the line allows and shown with its blinking; the six keys go to the drive; "FC Direct
// Input" types a frequency into the frequency command parameter. Opened modally.
class TRunPRKP : public QDialog
{
    Q_OBJECT

public:
    TRunPRKP(Session &session, CommLink &link, Prompter &prompter, QWidget *parent = nullptr);
    ~TRunPRKP() override;

    PanelDisplay *display() const { return m_display; }
    PanelLamp *lamp(PanelImage::Lamp lamp) const { return m_lamps.value(lamp); }
    QPushButton *key(PanelKey key) const { return m_keys.value(int(key)); }
    QAction *directInputAction() const { return m_popMenu1; }
    QAction *closeAction() const { return m_rkpExit; }
    KeypadLoop &loop() { return m_loop; }
    const DirectEntry &entry() const { return m_entry; }
    bool LedBlinkPhase() const { return m_ledBlinkPhase; }
    const QTimer &blinkTimer() const { return m_blink; }

    void done(int result) override;

signals:
    /// The window became the active window (the parameter table no longer is).
    void becameActive();
    /// Polling began (after the connection check) or ended.
    void pollingChanged(bool polling);
    /// A frequency was written and flashed on the display.
    void frequencyWritten(const QString &raw);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private slots:
    void Timer2Timer();
    void Timer1Timer();
    void PopMenu1Click();
    void RKPExitClick();
    void DisplayDblClick();

private:
    void createControls();
    QWidget *createKeys();
    void connectHandlers();
    void applyTexts();
    void startPolling();
    void stopPolling();
    void showPanel(const std::optional<PanelBlock> &block);
    void showImage(const PanelImage &image);
    void setKeysEnabled(bool enabled);
    void keyDown(PanelKey key);
    void keyUp(PanelKey key);
    bool panelKeyFor(const QKeyEvent *event, PanelKey *key) const;

    void beginEntry();
    void leaveEntry(bool restart);
    void entryKey(QKeyEvent *event);
    void enterFrequency();
    void flashEntry(const QString &entered);
    void waitMs(int ms);
    void stopMessage(int message);

    Session &m_session;
    CommLink &m_link;
    Prompter &m_prompter;
    KeypadLoop m_loop;
    DirectEntry m_entry;
    QTimer m_start;  // the one-shot start of polling
    QTimer m_blink;  // toggles LedBlinkPhase every "LED Display Timer" ms
    int m_ledDispTime = 260;
    bool m_ledBlinkPhase = true;
    std::optional<PanelBlock> m_reading;
    bool m_polling = false;
    bool m_closeRequested = false;
    bool m_entryRequested = false;
    PanelDisplay *m_display = nullptr;
    QLabel *m_unit = nullptr;
    QHash<int, PanelLamp *> m_lamps;
    QHash<int, QPushButton *> m_keys;
    QPushButton *m_closeLabel = nullptr;
    QAction *m_popMenu1 = nullptr;
    QAction *m_rkpExit = nullptr;
    QAction *m_onLine = nullptr;
    QAction *m_offLine = nullptr;
};
