#ifndef DLGOVERWRITE_H
#define DLGOVERWRITE_H

// Asks whether an existing file may be replaced. exec() returns the answer code
// (OverwriteAnswer); a rename leaves the new base name in photoName. Closing the
// question without a button (Escape, the window's close button) answers No:
// a file is replaced only when the user says so.
//
// Threads: GUI thread only.

#include <QDialog>
#include <QString>

namespace Ui {
class DlgOverwriteClass;
}

class DlgOverwrite : public QDialog
{
    Q_OBJECT

public:
    explicit DlgOverwrite(QWidget *parent = nullptr);
    ~DlgOverwrite() override;

    void setPath(const QString &path);

    // Why a name cannot be used as a base name, or empty when it can.
    static QString nameProblem(const QString &name);

    QString photoName;

public slots:
    void reject() override;

private slots:
    void on_pbAbort_clicked();
    void on_pbNoAll_clicked();
    void on_pbYesAll_clicked();
    void on_pbRename_clicked();
    void on_pbNo_clicked();
    void on_pbYes_clicked();

private:
    Ui::DlgOverwriteClass *ui;
};

#endif
