#include "dialogs/RulePage.h"

#include "dialogs/SettingsWidgets.h"
#include "store/QtText.h"
#include "widgets/AccessibleNames.h"
#include "widgets/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <algorithm>

namespace qv {

using namespace settings;

RulePage::RulePage(int rule, Shared shared, QWidget* parent)
    : QWidget(parent), m_shared(std::move(shared)) {
    build(rule);
}

void RulePage::build(int rule) {
    // The second page's field names are spelt as the other windows know them.
    static constexpr const char* kNames[3][14] = {
        {"R1EnableCheck", "R1HrEdit", "R1MinEdit", "R1SecEdit", "R1HrSpin", "R1MinSpin",
         "R1SecSpin", "R1IntervalCombo", "R1ActionCombo", "R1PreviewButton", "R1FilenameEdit",
         "R1BrowseButton", "Rule1Page", "Rule1Path"},
        {"R2EnableCheck", "R2hrEdit", "R2MiNEdit", "R2SecEdit", "R2HrSpin", "R2MinSpin",
         "R2SecSpin", "R2IntervalCombo", "R2ActionCombo", "R2PreviewButton", "R2FilenameEdit",
         "R2BrowseButton", "Rule2Page", "Rule2Path"},
        {"R3EnableCheck", "R3HrEdit", "R3MinEdit", "R3SecEdit", "R3HrSpin", "R3MinSpin",
         "R3SecSpin", "R3IntervalCombo", "R3ActionCombo", "R3PreviewButton", "R3FilenameEdit",
         "R3BrowseButton", "Rule3Page", "Rule3Path"}};
    const auto& names = kNames[rule];

    setObjectName(QLatin1String(names[12]));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setVerticalSpacing(2);

    m_enable = new QCheckBox(tr("Enable rule"), this);
    m_enable->setObjectName(QLatin1String(names[0]));
    layout->addWidget(m_enable, 0, 0, 1, 2);

    layout->addWidget(new QLabel(tr("Starting from (hh:mm:ss)"), this), 1, 0, 1, 2);
    auto* time = new QHBoxLayout;
    time->setSpacing(0);
    for (std::size_t i = 0; i < 3; ++i) {
        auto* field = new QLineEdit(QStringLiteral("00"), this);
        field->setObjectName(QLatin1String(names[1 + i]));
        field->setMaxLength(2);
        field->setAlignment(Qt::AlignCenter);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 10);
        m_fields[i] = field;
        m_spins[i] = spinner(names[4 + i], 59, this);
        if (i > 0)
            time->addWidget(new QLabel(QStringLiteral(" : "), this));
        time->addWidget(field);
        time->addWidget(m_spins[i]);
        connect(field, &QLineEdit::textChanged, this, [this, field] { fieldChange(field); });
        QSpinBox* spin = m_spins[i];
        connect(spin, &QSpinBox::valueChanged, this, [this, spin] { spinClick(spin); });
    }
    time->addStretch(1);
    layout->addLayout(time, 2, 0, 1, 2);

    m_interval = dropDown(names[7], this);
    fillIntervals(m_interval, kRuleIntervals);
    layout->addWidget(caption(tr("Perform the selected action"), m_interval, this), 3, 0, 1, 2);
    layout->addWidget(m_interval, 4, 0);

    m_action = dropDown(names[8], this);
    fillActions(m_action, kAnnounceActionLabels);
    m_previewButton = pictureButton(names[9], QStyle::SP_MediaPlay, tr("Preview sound"), this);
    layout->addWidget(caption(tr("Action to perform"), m_action, this), 5, 0, 1, 2);
    layout->addWidget(m_action, 6, 0);
    layout->addWidget(m_previewButton, 6, 1);

    m_filename = filenameField(names[10], this);
    m_browseButton = browseButton(names[11], this);
    layout->addWidget(caption(tr("Custom sound filename"), m_filename, this), 7, 0, 1, 2);
    layout->addWidget(m_filename, 8, 0);
    layout->addWidget(m_browseButton, 8, 1);
    layout->setRowStretch(9, 1);
    m_path = pathHolder(names[13], this);

    // What a screen reader says of each control, rule by rule.
    const int n = rule + 1;
    const QString fieldNames[] = {tr("Starting from hours, rule %1").arg(n),
                                  tr("Starting from minutes, rule %1").arg(n),
                                  tr("Starting from seconds, rule %1").arg(n)};
    const QString spinNames[] = {tr("Change starting hours, rule %1").arg(n),
                                 tr("Change starting minutes, rule %1").arg(n),
                                 tr("Change starting seconds, rule %1").arg(n)};
    for (std::size_t i = 0; i < 3; ++i) {
        m_fields[i]->setAccessibleName(fieldNames[i]);
        m_spins[i]->setAccessibleName(spinNames[i]);
    }
    nameControls(this, {{m_enable, tr("Enable rule, rule %1").arg(n)},
                        {m_interval, tr("Perform the selected action, rule %1").arg(n)},
                        {m_action, tr("Action to perform, rule %1").arg(n)},
                        {m_previewButton, tr("Preview sound, rule %1").arg(n)},
                        {m_filename, tr("Custom sound filename, rule %1").arg(n)},
                        {m_browseButton, tr("Browse files, rule %1").arg(n)}});

    connect(m_action, &QComboBox::currentIndexChanged, this, [this] { actionChange(); });
    connect(m_previewButton, &QToolButton::clicked, this, [this] { preview(); });
    connect(m_browseButton, &QToolButton::clicked, this, [this] { browse(); });
}

void RulePage::fill(const TimerRule& rule) {
    m_enable->setChecked(rule.Enabled);
    const TTimeHMS from = splitTime(rule.Start);
    const int parts[3] = {from.Hours, from.Minutes, from.Seconds};
    for (std::size_t i = 0; i < 3; ++i) {
        setQuietly(m_spins[i], parts[i]);
        setQuietly(m_fields[i], twoDigits(m_spins[i]->value()));
    }
    selectAction(m_action, rule.Action);
    const bool custom = rule.Action == PlayCustomSound;
    m_filename->setEnabled(custom);
    m_browseButton->setEnabled(custom);
    const QString path = toQString(rule.Filename);
    m_filename->setText(fileNamePart(path));
    m_path->setText(path);
    selectInterval(m_interval, kRuleIntervals, rule.Interval);
}

void RulePage::save(TimerRule& rule) const {
    rule.Enabled = m_enable->isChecked();
    rule.Start = toSeconds({m_spins[0]->value(), m_spins[1]->value(), m_spins[2]->value()});
    saveAction(m_action, rule.Action);
    rule.Filename = toUtf8(m_path->text());
    saveInterval(m_interval, rule.Interval);
}

bool RulePage::fieldChange(QLineEdit* field) {
    const auto at = std::find(m_fields.begin(), m_fields.end(), field);
    if (at == m_fields.end())
        return false;
    QSpinBox* spin = m_spins[static_cast<std::size_t>(at - m_fields.begin())];

    QString text = field->text();
    if (!text.isEmpty()) {
        const auto value = parseWhole(text);
        if (!value) {
            MessageBox::error(window(), tr("Only numeric values allowed!"));
            text = QStringLiteral("00");
        } else if (*value < 0 || *value > 59) {
            MessageBox::error(window(), tr("Numeric value out of range!"));
            text = QStringLiteral("00");
        }
    }
    if (text.size() == 1)
        text.prepend(QLatin1Char('0'));
    if (text != field->text())
        setQuietly(field, text);
    // An empty field counts as 0 until the user types or clicks again.
    setQuietly(spin, text.isEmpty() ? 0 : parseWhole(text).value_or(0));
    return true;
}

void RulePage::spinClick(QSpinBox* spin) {
    for (std::size_t i = 0; i < 3; ++i)
        if (m_spins[i] == spin)
            setQuietly(m_fields[i], twoDigits(spin->value()));
}

void RulePage::actionChange() {
    const bool custom = m_action->currentIndex() == PlayCustomSound;
    m_filename->setEnabled(custom);
    m_browseButton->setEnabled(custom);
}

void RulePage::preview() {
    m_shared.preview(m_action->currentIndex(), m_path);
}

void RulePage::browse() {
    m_shared.browse(m_path, m_filename, m_shared.fileWidth());
}

} // namespace qv
