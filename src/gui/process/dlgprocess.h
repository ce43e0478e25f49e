#ifndef DLGPROCESS_H
#define DLGPROCESS_H

// The window a batch runs in: its log, a progress bar and a counter, a button
// that stops the batch (after asking) and, at the end, closes the window. The log
// tells why a picture failed: its "-Failed to load" line is followed by the
// library's error text, indented. A batch that ran to its end is summed up in
// counts, and its output folder can be opened from here.
//
// Threads: GUI thread only.

#include <QDialog>
#include <QString>

#include "engine/batch/batchrunner.h"

namespace Ui {
class DlgProcessClass;
}

class DlgProcess : public QDialog
{
    Q_OBJECT

public:
    explicit DlgProcess(QWidget *parent = nullptr);
    ~DlgProcess() override;

    void startLog(int pictureCount, int filterCount);
    void addResult(int status, const QString &path);
    void setLastError(const QString &text);
    // The end of a batch that ran through: its counts, and the folder its
    // outputs went to (the button is offered only for a folder that is there).
    void showSummary(const BatchSummary &summary, const QString &outputFolder);

    bool isRunning() const { return running; }
    void setRunning(bool on) { running = on; }

    QString logText() const;
    QString counterText() const;
    QString buttonText() const;
    QString outputFolder() const { return folder; }

signals:
    void stopProcess();

private slots:
    void on_pushAbort_clicked();
    void on_pushOpenFolder_clicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void appendLine(const QString &text, bool indented = false);

    Ui::DlgProcessClass *ui;
    bool running = false;
    int doneCount = 0;
    int convertedCount = 0;
    int errorCount = 0;
    int totalCount = 0;
    QString lastError;
    QString folder;
    bool errorPending = false;  // lastError belongs to the picture logged next
};

#endif
