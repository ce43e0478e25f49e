#include "gui/wizard/dlgpreferences.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/batch/outputoptions.h"
#include "engine/picture/formatcatalog.h"

DlgPreferences::DlgPreferences(AppSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_folder(new QLineEdit(this))
    , m_format(new QComboBox(this))
    , m_quality(new QSpinBox(this))
    , m_autoOrient(new QCheckBox(tr("&Turn pictures upright by their EXIF orientation"), this))
    , m_keepDate(new QCheckBox(tr("&Keep the source's modification date"), this))
    , m_stripGps(new QCheckBox(tr("Remove the &location (GPS)"), this))
{
    setObjectName(QStringLiteral("DlgPreferences"));
    setWindowTitle(tr("Preferences"));

    m_folder->setObjectName(QStringLiteral("txtFolder"));
    m_folder->setPlaceholderText(tr("The last output folder"));
    m_folder->setAccessibleName(tr("Output folder"));
    auto *browse = new QPushButton(tr("&Browse ..."), this);
    browse->setObjectName(QStringLiteral("pbBrowse"));
    connect(browse, &QPushButton::clicked, this, &DlgPreferences::chooseFolder);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browse);

    m_format->setObjectName(QStringLiteral("cbFormat"));
    m_format->setAccessibleName(tr("Output format"));
    m_format->addItems(FormatCatalog::instance().comboEntries());
    m_quality->setObjectName(QStringLiteral("sbQuality"));
    m_quality->setAccessibleName(tr("Quality"));
    m_quality->setRange(0, OutputOptions::maxQuality);
    m_quality->setSpecialValueText(tr("Default (%1)").arg(FormatCatalog::jpegQuality));
    m_autoOrient->setObjectName(QStringLiteral("cbAutoOrient"));
    m_keepDate->setObjectName(QStringLiteral("cbKeepDate"));
    m_stripGps->setObjectName(QStringLiteral("cbStripGps"));

    auto *form = new QFormLayout;
    auto *folderLabel = new QLabel(tr("Output &folder"), this);
    folderLabel->setBuddy(m_folder);
    form->addRow(folderLabel, folderRow);
    auto *formatLabel = new QLabel(tr("Output for&mat"), this);
    formatLabel->setBuddy(m_format);
    form->addRow(formatLabel, m_format);
    auto *qualityLabel = new QLabel(tr("&Quality (JPEG, WebP, JPEG XL)"), this);
    qualityLabel->setBuddy(m_quality);
    form->addRow(qualityLabel, m_quality);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("A new job starts with these settings."), this));
    layout->addLayout(form);
    layout->addWidget(m_autoOrient);
    layout->addWidget(m_keepDate);
    layout->addWidget(m_stripGps);
    layout->addStretch(1);
    layout->addWidget(buttons);

    setDefaults(m_settings.outputDefaults());
}

OutputDefaults DlgPreferences::defaults() const
{
    OutputDefaults defaults;
    defaults.folder = m_folder->text().trimmed();
    defaults.format = FormatCatalog::formatName(m_format->currentText());
    defaults.quality = m_quality->value();
    defaults.autoOrient = m_autoOrient->isChecked();
    defaults.keepDate = m_keepDate->isChecked();
    defaults.stripGps = m_stripGps->isChecked();
    return defaults;
}

void DlgPreferences::setDefaults(const OutputDefaults &defaults)
{
    m_folder->setText(defaults.folder);
    m_format->setCurrentIndex(0);
    for (int row = 0; row < m_format->count(); ++row) {
        if (FormatCatalog::formatName(m_format->itemText(row)).compare(defaults.format, Qt::CaseInsensitive) == 0) {
            m_format->setCurrentIndex(row);
            break;
        }
    }
    m_quality->setValue(defaults.quality);
    m_autoOrient->setChecked(defaults.autoOrient);
    m_keepDate->setChecked(defaults.keepDate);
    m_stripGps->setChecked(defaults.stripGps);
}

void DlgPreferences::accept()
{
    m_settings.setOutputDefaults(defaults());
    QDialog::accept();
}

void DlgPreferences::chooseFolder()
{
    const QString start = m_folder->text().isEmpty() ? QDir::homePath() : m_folder->text();
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Output Folder"), start,
                                                             QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (!folder.isEmpty())
        m_folder->setText(folder);
}
