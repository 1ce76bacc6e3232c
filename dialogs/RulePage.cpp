#include "dialogs/RulePage.h"

#include "dialogs/SettingsWidgets.h"
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
    : QWidget(parent), shared_(std::move(shared)) {
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

    enable_ = new QCheckBox(QStringLiteral("Enable rule"), this);
    enable_->setObjectName(QLatin1String(names[0]));
    layout->addWidget(enable_, 0, 0, 1, 2);

    layout->addWidget(new QLabel(QStringLiteral("Starting from (hh:mm:ss)"), this), 1, 0, 1, 2);
    auto* time = new QHBoxLayout;
    time->setSpacing(0);
    for (std::size_t i = 0; i < 3; ++i) {
        auto* field = new QLineEdit(QStringLiteral("00"), this);
        field->setObjectName(QLatin1String(names[1 + i]));
        field->setMaxLength(2);
        field->setAlignment(Qt::AlignCenter);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 10);
        fields_[i] = field;
        spins_[i] = spinner(names[4 + i], 59, this);
        if (i > 0)
            time->addWidget(new QLabel(QStringLiteral(" : "), this));
        time->addWidget(field);
        time->addWidget(spins_[i]);
        connect(field, &QLineEdit::textChanged, this, [this, field] { fieldChange(field); });
        QSpinBox* spin = spins_[i];
        connect(spin, &QSpinBox::valueChanged, this, [this, spin] { spinClick(spin); });
    }
    time->addStretch(1);
    layout->addLayout(time, 2, 0, 1, 2);

    interval_ = dropDown(names[7], this);
    fillIntervals(interval_, kRuleIntervals);
    layout->addWidget(new QLabel(QStringLiteral("Perform the selected action"), this), 3, 0, 1, 2);
    layout->addWidget(interval_, 4, 0);

    action_ = dropDown(names[8], this);
    fillActions(action_, kAnnounceActionLabels);
    previewButton_ = pictureButton(names[9], QStyle::SP_MediaPlay, "Preview sound", this);
    layout->addWidget(new QLabel(QStringLiteral("Action to perform"), this), 5, 0, 1, 2);
    layout->addWidget(action_, 6, 0);
    layout->addWidget(previewButton_, 6, 1);

    filename_ = filenameField(names[10], this);
    browseButton_ = browseButton(names[11], this);
    layout->addWidget(new QLabel(QStringLiteral("Custom sound filename"), this), 7, 0, 1, 2);
    layout->addWidget(filename_, 8, 0);
    layout->addWidget(browseButton_, 8, 1);
    layout->setRowStretch(9, 1);
    path_ = pathHolder(names[13], this);

    // What a screen reader says of each control, rule by rule.
    const QString of = QStringLiteral(", rule %1").arg(rule + 1);
    static constexpr const char* kParts[] = {"hours", "minutes", "seconds"};
    for (std::size_t i = 0; i < 3; ++i) {
        const QString part = QLatin1String(kParts[i]);
        fields_[i]->setAccessibleName(QStringLiteral("Starting from ") + part + of);
        spins_[i]->setAccessibleName(QStringLiteral("Change starting ") + part + of);
    }
    nameControls(this, {{enable_, QStringLiteral("Enable rule") + of},
                        {interval_, QStringLiteral("Perform the selected action") + of},
                        {action_, QStringLiteral("Action to perform") + of},
                        {previewButton_, QStringLiteral("Preview sound") + of},
                        {filename_, QStringLiteral("Custom sound filename") + of},
                        {browseButton_, QStringLiteral("Browse files") + of}});

    connect(action_, &QComboBox::currentIndexChanged, this, [this] { actionChange(); });
    connect(previewButton_, &QToolButton::clicked, this, [this] { preview(); });
    connect(browseButton_, &QToolButton::clicked, this, [this] { browse(); });
}

void RulePage::fill(const TimerRule& rule) {
    enable_->setChecked(rule.Enabled);
    const TTimeHMS from = splitTime(rule.Start);
    const int parts[3] = {from.Hours, from.Minutes, from.Seconds};
    for (std::size_t i = 0; i < 3; ++i) {
        setQuietly(spins_[i], parts[i]);
        setQuietly(fields_[i], twoDigits(spins_[i]->value()));
    }
    selectAction(action_, rule.Action);
    const bool custom = rule.Action == PlayCustomSound;
    filename_->setEnabled(custom);
    browseButton_->setEnabled(custom);
    const QString path = QString::fromStdString(rule.Filename);
    filename_->setText(fileNamePart(path));
    path_->setText(path);
    selectInterval(interval_, kRuleIntervals, rule.Interval);
}

void RulePage::save(TimerRule& rule) const {
    rule.Enabled = enable_->isChecked();
    rule.Start = toSeconds({spins_[0]->value(), spins_[1]->value(), spins_[2]->value()});
    saveAction(action_, rule.Action);
    rule.Filename = path_->text().toStdString();
    saveInterval(interval_, rule.Interval);
}

bool RulePage::fieldChange(QLineEdit* field) {
    const auto at = std::find(fields_.begin(), fields_.end(), field);
    if (at == fields_.end())
        return false;
    QSpinBox* spin = spins_[static_cast<std::size_t>(at - fields_.begin())];

    QString text = field->text();
    if (!text.isEmpty()) {
        const auto value = parseWhole(text);
        if (!value) {
            MessageBox::error(window(), QStringLiteral("Only numeric values allowed!"));
            text = QStringLiteral("00");
        } else if (*value < 0 || *value > 59) {
            MessageBox::error(window(), QStringLiteral("Numeric value out of range!"));
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
        if (spins_[i] == spin)
            setQuietly(fields_[i], twoDigits(spin->value()));
}

void RulePage::actionChange() {
    const bool custom = action_->currentIndex() == PlayCustomSound;
    filename_->setEnabled(custom);
    browseButton_->setEnabled(custom);
}

void RulePage::preview() {
    shared_.preview(action_->currentIndex(), path_);
}

void RulePage::browse() {
    shared_.browse(path_, filename_, shared_.fileWidth());
}

} // namespace qv
