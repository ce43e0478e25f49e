#include "gui/process/dlgprocess.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "engine/picture/picturepipeline.h"
#include "ui_dlgprocess.h"

DlgProcess::DlgProcess(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DlgProcessClass)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

DlgProcess::~DlgProcess()
{
    delete ui;
}

void DlgProcess::appendLine(const QString &text, bool indented)
{
    // Plain text: a path may hold anything, markup included.
    QTextCursor cursor(ui->textEdit->document());
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat format;
    format.setLeftMargin(indented ? 3 * fontMetrics().horizontalAdvance(QLatin1Char('x')) : 0);
    cursor.insertBlock(format);
    cursor.insertText(text);
    ui->textEdit->verticalScrollBar()->setValue(ui->textEdit->verticalScrollBar()->maximum());
}

void DlgProcess::startLog(int pictureCount, int filterCount)
{
    ui->textEdit->clear();
    running = true;
    ui->pushAbort->setText(tr("Cancel"));
    ui->pushOpenFolder->hide();
    folder.clear();
    doneCount = convertedCount = errorCount = 0;
    errorPending = false;
    ui->progressBar->reset();
    ui->progressBar->setRange(0, pictureCount);
    totalCount = pictureCount;
    ui->textEdit->setPlainText(
        tr("Processing %1 images with %2 graphical filter per image.").arg(pictureCount).arg(filterCount));
    appendLine(QString());
}

void DlgProcess::addResult(int status, const QString &path)
{
    ++doneCount;
    if (status == StatusConverted) {
        ++convertedCount;
    } else if (status == StatusFailed) {
        ++errorCount;
        appendLine(tr("-Failed to load %1").arg(path));
        if (errorPending) {
            for (const QString &line : lastError.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                appendLine(line, true);
        }
    } else if (status == StatusAborted) {
        --doneCount;
        appendLine(tr("Process interrupted by the user."));
    }
    errorPending = false;
    ui->lbPer->setText(QStringLiteral("%1/%2").arg(doneCount).arg(totalCount));
    ui->progressBar->setValue(doneCount);
    if (doneCount == totalCount) {
        running = false;
        if (errorCount < 1)
            appendLine(tr("Process completed without errors."));
        else
            appendLine(tr("Warning: Process completed with %1 errors.                              "
                          "For details see the log above.")
                           .arg(errorCount));
        ui->pushAbort->setText(tr("OK"));
    }
}

void DlgProcess::showSummary(const BatchSummary &summary, const QString &outputFolder)
{
    // Said in so many words: a batch whose pictures were all skipped ("No to
    // All") has written nothing, however smoothly it went.
    appendLine(tr("Converted: %1 (renamed: %2), skipped: %3, failed: %4.")
                   .arg(summary.converted)
                   .arg(summary.renamed)
                   .arg(summary.skipped)
                   .arg(summary.failed));
    if (summary.converted == 0)
        appendLine(tr("No picture was written."));
    folder = outputFolder;
    ui->pushOpenFolder->setVisible(!folder.isEmpty() && QDir(folder).exists());
}

void DlgProcess::on_pushOpenFolder_clicked()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void DlgProcess::setLastError(const QString &text)
{
    lastError = text;
    errorPending = true;
}

QString DlgProcess::logText() const
{
    return ui->textEdit->toPlainText();
}

QString DlgProcess::counterText() const
{
    return ui->lbPer->text();
}

QString DlgProcess::buttonText() const
{
    return ui->pushAbort->text();
}

void DlgProcess::on_pushAbort_clicked()
{
    close();
}

void DlgProcess::keyPressEvent(QKeyEvent *event)
{
    // Escape asks, as the button and the window's close button do, instead of
    // rejecting the dialog behind the batch's back.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DlgProcess::closeEvent(QCloseEvent *event)
{
    if (!running) {
        event->accept();
        QDialog::closeEvent(event);
        return;
    }
    QMessageBox box(QMessageBox::Question, tr("Abort"), tr("Picture processing not completed. Abort the operation?"),
                    QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() == QMessageBox::Yes) {
        emit stopProcess();
        running = false;
        event->accept();
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}
