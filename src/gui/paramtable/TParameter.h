#pragma once

#include "ParameterGridFiller.h"
#include "model/RatingBases.h"

#include <QHash>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class GridMarks;
class ParameterDisplaySwitches;
class ParameterCellDelegate;
class ParameterGridModel;
class Prompter;
class QAction;
class QMenu;
class QTableView;
class Session;
class ParameterCommands;

// The parameter table window: one grid row per shown parameter, the display switches
// ('Changed' Only, Current / Voltage, Quick, Blind), the row marks (Select, Blind) and the
// commands that walk the marked rows (Hex., Dec., Shipment). Every item of its pop-up menu
// has a twin in the main window; each change of an item's state is announced so the twins
// follow it.
class TParameter : public QWidget
{
    Q_OBJECT

public:
    TParameter(Session &session, Prompter &prompter, QWidget *mainWindow);
    ~TParameter() override;

    /// Placement under the main window, pop-up captions, then driveChanged.
    void FormCreate(const QRect &mainFrame, bool keepMarks = false);
    /// Puts the window's frame right under the main window's frame, as wide as it.
    void placeUnder(const QRect &mainFrame);
    /// Neither moved nor resized since placeUnder.
    bool whereItWasPlaced() const;
    /// The drive was loaded or chosen again: Quick items, cell colours, ResetView.
    void driveChanged(bool keepMarks = false);

    QTableView *StringGrid1() const { return m_grid; }
    ParameterGridModel &model() const { return *m_model; }
    ParameterCellDelegate &delegate() const { return *m_delegate; }
    QMenu *PopupMenu1() const { return m_popup; }
    /// A pop-up item by its component name ("PopChgDisp"), nullptr when there is none.
    QAction *item(const QString &component) const { return m_items.value(component); }

    int CurrentRow = 1;
    int ChangedCount = 0;
    int QuickCount = 0;
    QStringList DummyList;  // "ComNo,FName" per grid row, searched by Find

    /// Display switches back to their start, marks cleared (kept while Blind is on, or
    /// when `keepMarks` is set for a set just read from a file), grid refilled.
    void ResetView(bool keepMarks = false);
    void FillGrid();
    void RefreshLimitCells();
    void BuildFindList();
    /// Grid row - 1 of a parameter in a filtered display, searched forward from the cursor;
    /// the parameter index itself when it is not found.
    int GridRowOfIndex(int index);
    void resetSearchCursor() { m_searchCursor = 0; }
    void MarkSelection();
    /// Marks the selection, then runs `step` for every marked grid row (see GridMarks::walk).
    void forEachMarked(const std::function<bool(int gridRow, int index)> &step);
    /// Column widths from the ratios for a grid client width, each wide enough for its title.
    void applyColumnRatios(int clientWidth);
    bool filterOn() const;
    /// Files dropped on the window: one parameter file is opened, anything else refused.
    void dropFiles(const QStringList &paths);
    /// Re-reads the cell colours from the environment options.
    void readColours();
    /// Enables a pop-up item's command (also a hidden item's) and tells the twins.
    void setCommandEnabled(const QString &component, bool enabled);
    /// Whether the command of a pop-up item is enabled, hidden or not.
    bool commandEnabled(const QString &component) const;
    /// Typing, Enter, Undo, Redo, Copy, Find and parameter help.
    ParameterCommands &commands() const { return *m_commands; }
    /// CurrentRow from the top row of the grid selection (clicks and keyboard moves).
    void onGridPressed();

    /// Where the rated voltage and current come from: the drive reader to use (after the
    /// connection check the on-line option asks for), or none for the definitions alone.
    void setRatingSource(std::function<DriveReader()> source) { m_ratingSource = std::move(source); }
    /// VoltageBase and CurrentBase afresh (RatingBases); the grid follows when it shows
    /// amperes and volts.
    void refreshRatingBases();

public slots:
    void PopCloseClick();

signals:
    /// A pop-up item changed: `enabled` and `checked` are 1, 0, or -1 for unchanged.
    void itemStateChanged(const QString &component, int enabled, int checked);
    void shown();
    void closed();
    void activated();
    /// One parameter file was dropped on the window.
    void fileDropped(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class ParameterDisplaySwitches;

    void createGrid();
    void createPopup();
    void loadPopupCaptions();
    void setItem(const char *component, int enabled, int checked = -1);
    bool checked(const char *component) const;
    static bool itemBuilt(const QAction *item);
    void warn(int message);
    void clearMarks(bool keepMarks);

    Session &m_session;
    Prompter &m_prompter;
    QTableView *m_grid = nullptr;
    ParameterGridModel *m_model = nullptr;
    ParameterCellDelegate *m_delegate = nullptr;
    QMenu *m_popup = nullptr;
    std::unique_ptr<GridMarks> m_marks;
    std::unique_ptr<ParameterDisplaySwitches> m_switches;
    QHash<QString, QAction *> m_items;
    int m_searchCursor = 0;
    std::function<DriveReader()> m_ratingSource;
    QRect m_placedAt;  // frame position and client size given by placeUnder
    ParameterCommands *m_commands = nullptr;
};
