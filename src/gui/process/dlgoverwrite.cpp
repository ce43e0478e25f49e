#include "gui/process/dlgoverwrite.h"

#include <QInputDialog>
#include <QMessageBox>

#include "engine/batch/overwritecheck.h"
#include "ui_dlgoverwrite.h"

DlgOverwrite::DlgOverwrite(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DlgOverwriteClass)
{
    ui->setupUi(this);
    // Enter answers No, as Escape does: replacing a file takes a deliberate choice.
    ui->pbNo->setFocus();
}

DlgOverwrite::~DlgOverwrite()
{
    delete ui;
}

void DlgOverwrite::setPath(const QString &path)
{
    ui->lbPath->setText(path);
}

QString DlgOverwrite::nameProblem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return tr("The new name cannot be empty.");
    if (name.contains(QLatin1Char('/')) || name.contains(QChar()))
        return tr("The new name cannot contain \"/\": the picture is written into the same folder.");
    return QString();
}

void DlgOverwrite::reject()
{
    done(OverwriteNo);
}

void DlgOverwrite::on_pbAbort_clicked()
{
    QMessageBox box(QMessageBox::Question, tr("Abort"), tr("Photo processing not completed. Abort the operation?"),
                    QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() == QMessageBox::Yes)
        done(OverwriteAbort);
}

void DlgOverwrite::on_pbNoAll_clicked()
{
    done(OverwriteNoToAll);
}

void DlgOverwrite::on_pbYesAll_clicked()
{
    done(OverwriteYesToAll);
}

void DlgOverwrite::on_pbRename_clicked()
{
    QString name = photoName;
    for (;;) {
        bool ok = false;
        name = QInputDialog::getText(nullptr, tr("Rename Photo"), tr("New name:"), QLineEdit::Normal, name, &ok);
        if (!ok)
            return;  // the question stays open
        const QString problem = nameProblem(name);
        if (problem.isEmpty())
            break;
        QMessageBox::warning(nullptr, tr("Rename Photo"), problem);
    }
    photoName = name;
    done(OverwriteRename);
}

void DlgOverwrite::on_pbNo_clicked()
{
    done(OverwriteNo);
}

void DlgOverwrite::on_pbYes_clicked()
{
    done(OverwriteYes);
}
