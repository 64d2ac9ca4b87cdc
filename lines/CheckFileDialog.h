#pragma once

#include <QStringList>

class DialogService;
class QWidget;

// Save of a draw list as a check file, as every list of generated lines offers it: the save
// dialog with its prompts, then the whole file or nothing, and the error shown if it failed.
void saveCheckFileAs(QWidget* parent, DialogService& dialogs, const QStringList& lines);

// The open dialog every window that reads a check file shows; "" when cancelled.
QString openCheckFileName(QWidget* parent, DialogService& dialogs);
