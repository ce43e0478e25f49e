#ifndef DLGRENAME_H
#define DLGRENAME_H

// The custom naming dialog: the user writes the name from keywords ("[FileName]",
// "[Counter]", "[DateTime]", ...) and sets the counter, date, case and
// search-and-replace controls; the dialog turns them into a template of the rename
// engine and shows the name it gives a sample picture. Opening a template sets
// the controls from its tags, so a saved template comes back editable. The
// dialog works on its own copy: the template goes in with loadFormat() and comes
// out with format(), for the caller to take on OK; nothing else changes meanwhile.
// Beside the sample's name it lists the names the template gives the first
// pictures of the job, before and after, as the batch will name them.

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include "engine/batch/pictureentry.h"

#include "ui_dlgrename.h"

class QTreeWidget;

class DlgRename : public QDialog
{
    Q_OBJECT

public:
    explicit DlgRename(QWidget *parent = nullptr);

    // Sets the controls from a template; controls whose tag it lacks keep their values.
    void loadFormat(const QString &format);
    void setSample(const QString &path, int index);
    // The job's pictures in order; the first few are listed with their new names.
    void setJobPictures(const QList<PictureEntry> &pictures);
    static constexpr int listedPictures = 8;
    // The list: one row per picture, the file name and the name it gets.
    QTreeWidget *namesList() const { return m_names; }

    // The template built from the controls.
    QString format() const { return m_format; }
    QString preview() const;

    Ui::DlgRenameClass ui;

    using QDialog::update;

public slots:
    // Every control calls these; both rebuild the template and the preview.
    void update(const QString &);
    void update(int);

private slots:
    void on_pbReset_clicked();
    void on_pbDel_clicked();
    void on_actionSource_Filename_triggered();
    void on_actionSource_Folder_Name_triggered();
    void on_actionSource_Extension_triggered();
    void on_actionCounter_triggered();
    void on_actionDate_Time_triggered();

private:
    void on_pbOK();
    void rebuild();
    void insertKeyword(const QString &keyword);
    void listNames();

    QString m_format;
    bool m_settingControls = false;
    QString m_samplePath;
    int m_sampleIndex = 0;
    QStringList m_jobPictures;  // the first of the job
    QTreeWidget *m_names;
};

#endif
