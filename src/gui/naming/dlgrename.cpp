#include "gui/naming/dlgrename.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QRegularExpression>
#include <QTreeWidget>

#include "engine/naming/renameopter.h"
#include "engine/naming/renametags.h"

namespace {

// Keywords of this dialog only: the engine knows them as full tags with numbers.
const QString counterKeyword = QStringLiteral("[Counter]");
const QString dateKeyword = QStringLiteral("[DateTime]");

// A row of a combo box from a number read out of a template; numbers that name
// no row fall back to the row that means the same to the engine.
int rowOrFirst(unsigned number, const QComboBox *box)
{
    return number < unsigned(box->count()) ? int(number) : 0;
}

} // namespace

DlgRename::DlgRename(QWidget *parent)
    : QDialog(parent)
    , m_names(new QTreeWidget(this))
{
    ui.setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);

    auto *keywords = new QMenu(ui.pbMenu);
    keywords->addActions({ui.actionSource_Filename, ui.actionSource_Folder_Name, ui.actionSource_Extension,
                          ui.actionCounter, ui.actionDate_Time});
    // What the camera wrote into the picture; the keywords themselves are
    // identifiers, stored in projects, and never translated.
    keywords->addSeparator();
    const std::pair<const char *, const char *> cameraKeywords[] = {
        {QT_TR_NOOP("Camera Model"), "[CameraModel]"}, {QT_TR_NOOP("Lens"), "[Lens]"},
        {QT_TR_NOOP("ISO"), "[ISO]"},                  {QT_TR_NOOP("Aperture"), "[Aperture]"},
        {QT_TR_NOOP("Exposure Time"), "[ExposureTime]"}, {QT_TR_NOOP("Focal Length"), "[FocalLength]"}};
    for (const auto &[label, keyword] : cameraKeywords) {
        QAction *action = keywords->addAction(tr(label));
        action->setObjectName(QStringLiteral("actionCamera_") + QString::fromLatin1(keyword).mid(1).chopped(1));
        const QString text = QString::fromLatin1(keyword);
        connect(action, &QAction::triggered, this, [this, text] { insertKeyword(text); });
    }
    ui.pbMenu->setMenu(keywords);

    m_names->setObjectName(QStringLiteral("twNames"));
    m_names->setAccessibleName(tr("Names of the first pictures"));
    m_names->setHeaderLabels({tr("Picture"), tr("New Name")});
    m_names->setRootIsDecorated(false);
    m_names->setSelectionMode(QAbstractItemView::NoSelection);
    m_names->header()->setSectionResizeMode(QHeaderView::Stretch);
    ui.mainLayout->insertWidget(ui.mainLayout->indexOf(ui.verticalSpacer), m_names, 1);

    const auto onText = qOverload<const QString &>(&DlgRename::update);
    const auto onNumber = qOverload<int>(&DlgRename::update);
    for (QLineEdit *edit : {ui.txtFormat, ui.txtSearch, ui.txtReplace})
        connect(edit, &QLineEdit::textChanged, this, onText);
    for (QComboBox *box : {ui.case_cbCase, ui.date_cbUse, ui.date_cbFormat, ui.date_cbTimeAs, ui.date_cbTimeFormat})
        connect(box, &QComboBox::currentIndexChanged, this, onNumber);
    connect(ui.case_ckCaseExt, &QCheckBox::stateChanged, this, onNumber);
    for (QSpinBox *box : {ui.counter_sbStart, ui.counter_sbStep, ui.counter_sbDigits})
        connect(box, &QSpinBox::valueChanged, this, onNumber);
    connect(ui.pbOK, &QPushButton::clicked, this, &DlgRename::on_pbOK);

    rebuild();
}

void DlgRename::update(const QString &)
{
    rebuild();
}

void DlgRename::update(int)
{
    rebuild();
}

void DlgRename::rebuild()
{
    if (m_settingControls)
        return;

    QString format = ui.txtFormat->text();
    format.replace(counterKeyword, QStringLiteral("[Counter_%1_%2_%3]")
                                       .arg(ui.counter_sbStart->value())
                                       .arg(ui.counter_sbStep->value())
                                       .arg(ui.counter_sbDigits->value()));
    format.replace(dateKeyword, QStringLiteral("[Date_%1_%2_%3_%4]")
                                    .arg(ui.date_cbUse->currentIndex())
                                    .arg(ui.date_cbFormat->currentIndex())
                                    .arg(ui.date_cbTimeAs->currentIndex())
                                    .arg(ui.date_cbTimeFormat->currentIndex()));
    if (format.trimmed().isEmpty())
        format = QStringLiteral("default");
    format += QStringLiteral("[Case_%1_%2]").arg(ui.case_cbCase->currentIndex()).arg(ui.case_ckCaseExt->isChecked() ? 1 : 0);
    // The replace tag reaches to the template's last "]", so it has to come last.
    format += QLatin1String("[Replace_") + ui.txtSearch->text() + QLatin1Char('_') + ui.txtReplace->text()
              + QLatin1Char(']');

    m_format = format;
    ui.txtPreview->setText(RenameOpter(m_format).newName(m_samplePath, m_sampleIndex).valueOr(QString()));
    listNames();
}

void DlgRename::setJobPictures(const QList<PictureEntry> &pictures)
{
    m_jobPictures.clear();
    for (int i = 0; i < pictures.size() && i < listedPictures; ++i)
        m_jobPictures.append(pictures.at(i).path);
    listNames();
}

void DlgRename::listNames()
{
    // The same engine and the same indexes as the batch: these are the names it
    // gives, collisions with existing files aside.
    const RenameOpter engine(m_format);
    m_names->clear();
    for (int i = 0; i < m_jobPictures.size(); ++i) {
        const QString &path = m_jobPictures.at(i);
        const Result<QString> name = engine.newName(path, i);
        auto *row = new QTreeWidgetItem(m_names, {QFileInfo(path).fileName(), name.valueOr(QString())});
        row->setToolTip(0, QDir::toNativeSeparators(path));
        if (!name)
            row->setToolTip(1, name.error());
    }
}

void DlgRename::loadFormat(const QString &format)
{
    // One rebuild at the end instead of one per control, each previewing a
    // half-loaded template.
    m_settingControls = true;
    QString rest = format;

    const QRegularExpressionMatch caseMatch = RenameTags::caseTag().match(rest);
    if (caseMatch.hasMatch()) {
        ui.case_cbCase->setCurrentIndex(rowOrFirst(RenameTags::number(caseMatch, 1), ui.case_cbCase));
        ui.case_ckCaseExt->setChecked(RenameTags::number(caseMatch, 2) != 0);
        rest.remove(RenameTags::caseTag());
    }

    const QRegularExpressionMatch counterMatch = RenameTags::counterTag().match(rest);
    if (counterMatch.hasMatch()) {
        ui.counter_sbStart->setValue(int(qMin(RenameTags::number(counterMatch, 1), 999999u)));
        ui.counter_sbStep->setValue(int(qMin(RenameTags::number(counterMatch, 2), 99999u)));
        ui.counter_sbDigits->setValue(int(qMin(RenameTags::number(counterMatch, 3), 99u)));
        rest.replace(RenameTags::counterTag(), counterKeyword);
    }

    const QRegularExpressionMatch dateMatch = RenameTags::dateTag().match(rest);
    if (dateMatch.hasMatch()) {
        // The engine takes any source but 0 and 2 for the clock and any time mode
        // but 0 and 2 for 24 hours; the rows say the same.
        const unsigned source = RenameTags::number(dateMatch, 1);
        const unsigned timeMode = RenameTags::number(dateMatch, 3);
        ui.date_cbUse->setCurrentIndex(source == RenameOpter::modifiedDate || source == RenameOpter::takenDate
                                           ? int(source)
                                           : int(RenameOpter::currentDate));
        ui.date_cbFormat->setCurrentIndex(rowOrFirst(RenameTags::number(dateMatch, 2), ui.date_cbFormat));
        ui.date_cbTimeAs->setCurrentIndex(timeMode == 0 || timeMode == 2 ? int(timeMode) : 1);
        ui.date_cbTimeFormat->setCurrentIndex(rowOrFirst(RenameTags::number(dateMatch, 4), ui.date_cbTimeFormat));
        rest.replace(RenameTags::dateTag(), dateKeyword);
    }

    const RenameTags::ReplaceTag replace = RenameTags::replaceTag(rest);
    if (replace.start >= 0) {
        ui.txtSearch->setText(replace.search);
        ui.txtReplace->setText(replace.replacement);
        rest.remove(replace.start, replace.length);
    }

    ui.txtFormat->setText(rest);
    m_settingControls = false;
    rebuild();
}

void DlgRename::setSample(const QString &path, int index)
{
    m_samplePath = path;
    m_sampleIndex = index;
    rebuild();
}

QString DlgRename::preview() const
{
    return ui.txtPreview->text();
}

void DlgRename::on_pbOK()
{
    accept();
}

void DlgRename::on_pbReset_clicked()
{
    m_settingControls = true;
    for (QComboBox *box : {ui.case_cbCase, ui.date_cbUse, ui.date_cbFormat, ui.date_cbTimeAs, ui.date_cbTimeFormat})
        box->setCurrentIndex(0);
    ui.case_ckCaseExt->setChecked(true);
    ui.counter_sbStart->setValue(1);
    ui.counter_sbStep->setValue(1);
    ui.counter_sbDigits->setValue(2);
    ui.txtSearch->clear();
    ui.txtReplace->clear();
    ui.txtFormat->setText(RenameOpter::defaultFormat());
    m_settingControls = false;
    // Also when nothing changed: an OK right after Reset must not hand out an
    // empty template, which would name every picture by its extension alone.
    rebuild();
}

void DlgRename::on_pbDel_clicked()
{
    QString text = ui.txtFormat->text();
    if (text.isEmpty())
        return;
    if (text.endsWith(QLatin1Char(']')))
        text.truncate(qMax(0, text.lastIndexOf(QLatin1Char('['))));
    else
        text.truncate(text.lastIndexOf(QLatin1Char(']')) + 1);
    ui.txtFormat->setText(text);
}

void DlgRename::insertKeyword(const QString &keyword)
{
    ui.txtFormat->insert(keyword);
    ui.txtFormat->setFocus();
}

void DlgRename::on_actionSource_Filename_triggered()
{
    insertKeyword(QStringLiteral("[FileName]"));
}

void DlgRename::on_actionSource_Folder_Name_triggered()
{
    insertKeyword(QStringLiteral("[FolderName]"));
}

void DlgRename::on_actionSource_Extension_triggered()
{
    insertKeyword(QStringLiteral("[Extension]"));
}

void DlgRename::on_actionCounter_triggered()
{
    insertKeyword(counterKeyword);
}

void DlgRename::on_actionDate_Time_triggered()
{
    insertKeyword(dateKeyword);
}
