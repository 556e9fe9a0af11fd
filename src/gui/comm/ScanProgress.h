#pragma once

#include "comm/CommScan.h"

#include <QProgressDialog>

// The progress of a drive search: the port and combination being tried, and a button that
// cancels the search. Events run between the tries, so the windows stay alive.
class ScanProgress
{
public:
    /// `steps`: the number of tries expected, 0 for a busy indicator.
    ScanProgress(const QString &title, const QString &cancelText, int steps, QWidget *parent = nullptr);

    /// The callback for CommScan::setProgress; valid while this object lives.
    CommScan::Progress callback();

private:
    QProgressDialog m_dialog;
};
