// Building the window: the top row, the "Start from" group, the general and
// expiry groups and the three rule pages, with their names and connections.

#include "core/TimerDB.h"
#include "core/TimerRecord.h"
#include "dialogs/RulePage.h"
#include "dialogs/SettingsWidgets.h"
#include "dialogs/TSettingsForm.h"
#include "widgets/AccessibleNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace qv {

using namespace settings;

namespace {

constexpr int kClientWidth = 523;
constexpr int kClientHeight = 458;

QLineEdit* ledField(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setAlignment(Qt::AlignCenter);
    QFont font = field->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.8);
    field->setFont(font);
    field->setTextMargins(0, 0, 0, 0);
    field->setFixedWidth(QFontMetrics(font).horizontalAdvance(QStringLiteral("000")) + 12);
    field->setText(QStringLiteral("00"));
    return field;
}

// The help button's picture: a question mark in a disc, drawn here so that it
// looks the same under every style and icon theme.
QIcon helpPicture(const QPalette& palette) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.color(QPalette::Highlight));
    painter.drawEllipse(QRectF(1, 1, 18, 18));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(palette.color(QPalette::HighlightedText));
    painter.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
    return QIcon(pixmap);
}

} // namespace

void TSettingsForm::buildWindow() {
    setWindowTitle(tr("Timer settings"));
    setSizeGripEnabled(false);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 6, 8, 8);
    main->setSpacing(4);
    main->addWidget(buildTopRow());
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    main->addWidget(rule);
    main->addWidget(buildStartGroup());

    auto* lower = new QHBoxLayout;
    lower->setSpacing(6);
    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(buildGeneralGroup());
    left->addWidget(buildExpiryGroup());
    left->addStretch(1);
    lower->addLayout(left, 1);

    RulePages = new QTabWidget(this);
    RulePages->setObjectName(QStringLiteral("RulePages"));
    static constexpr Column kRuleFiles[] = {Column::Rule1Filename, Column::Rule2Filename,
                                            Column::Rule3Filename};
    for (int r = 0; r < 3; ++r) {
        RulePage::Shared shared{
            [this](int action, const QLabel* customPath) { previewAction(action, customPath); },
            [this](QLabel* holder, QLineEdit* shown, int width) { browse(holder, shown, width); },
            [this, column = kRuleFiles[r]] { return m_db.textWidth(column); }};
        m_pages[static_cast<std::size_t>(r)] = new RulePage(r, std::move(shared));
        RulePages->addTab(m_pages[static_cast<std::size_t>(r)], tr("Rule %1").arg(r + 1));
    }
    RulePages->setCurrentIndex(0);
    lower->addWidget(RulePages, 1);
    main->addLayout(lower, 1);

    // The hidden holder of the full path behind the expiry file name.
    TimerExpPath = pathHolder("TimerExpPath", this);

    // The design's size where the contents fit; larger where a style or a
    // font needs more room, so no text is ever clipped.
    const QSize needed = main->totalMinimumSize();
    setFixedSize(std::max(kClientWidth, needed.width()), std::max(kClientHeight, needed.height()));

    nameControls(this, {{TimerNameCombo, tr("Timer name")},
                        {HrLED, tr("Start from hours")},
                        {MinLED, tr("Start from minutes")},
                        {SecLED, tr("Start from seconds")},
                        {HrSpin, tr("Change start hours")},
                        {MinSpin, tr("Change start minutes")},
                        {SecSpin, tr("Change start seconds")},
                        {QSTracker, tr("Quick set of the start time")},
                        {GenPreviewButton, tr("Preview sound, general announcement")},
                        {ExpPreviewButton, tr("Preview sound, timer expire")},
                        {ExpBrowseButton, tr("Browse files, timer expire")}});
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { HelpButtonClick(); });
}

QWidget* TSettingsForm::buildTopRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    TimerNameCombo = dropDown("TimerNameCombo", row);
    TimerNameCombo->setMinimumWidth(200);
    NewButton = new QPushButton(tr("New"), row);
    NewButton->setObjectName(QStringLiteral("NewButton"));
    NewButton->setAutoDefault(false);
    DeleteButton = new QPushButton(tr("Delete"), row);
    DeleteButton->setObjectName(QStringLiteral("DeleteButton"));
    DeleteButton->setAutoDefault(false);
    HelpButton = pictureButton("HelpButton", QStyle::SP_DialogHelpButton, tr("Help"), row);
    HelpButton->setIcon(helpPicture(palette()));
    CloseButton = new QPushButton(tr("Close"), row);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setDefault(true);
    layout->addWidget(TimerNameCombo);
    layout->addWidget(NewButton);
    layout->addWidget(DeleteButton);
    layout->addStretch(1);
    layout->addWidget(HelpButton);
    layout->addWidget(CloseButton);

    connect(TimerNameCombo, &QComboBox::activated, this, [this] { TimerNameComboChange(); });
    connect(NewButton, &QPushButton::clicked, this, [this] { NewButtonClick(); });
    connect(DeleteButton, &QPushButton::clicked, this, [this] { DeleteButtonClick(); });
    connect(HelpButton, &QToolButton::clicked, this, [this] { HelpButtonClick(); });
    connect(CloseButton, &QPushButton::clicked, this, [this] { CloseButtonClick(); });
    return row;
}

QWidget* TSettingsForm::buildStartGroup() {
    auto* group = new QGroupBox(tr("Start from"), this);
    auto* layout = new QGridLayout(group);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setVerticalSpacing(2);

    HrLED = ledField("HrLED", group);
    MinLED = ledField("MinLED", group);
    SecLED = ledField("SecLED", group);
    HrSpin = spinner("HrSpin", 99, group);
    MinSpin = spinner("MinSpin", 59, group);
    SecSpin = spinner("SecSpin", 59, group);
    const std::array<std::pair<QLineEdit*, QSpinBox*>, 3> parts = {
        {{HrLED, HrSpin}, {MinLED, MinSpin}, {SecLED, SecSpin}}};
    static constexpr const char* kCaptions[] = {QT_TR_NOOP("Hr"), QT_TR_NOOP("Min"),
                                                QT_TR_NOOP("Sec")};
    auto* time = new QHBoxLayout;
    time->setSpacing(0);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        time->addWidget(caption(tr(kCaptions[i]), parts[i].second, group));
        time->addSpacing(4);
        time->addWidget(parts[i].first);
        parts[i].second->setFixedHeight(parts[i].first->sizeHint().height());
        time->addWidget(parts[i].second);
        time->addSpacing(12);
    }
    time->addStretch(1);
    LoopCheck = new QCheckBox(tr("Loop continuously"), group);
    LoopCheck->setObjectName(QStringLiteral("LoopCheck"));
    time->addWidget(LoopCheck);
    layout->addLayout(time, 0, 0);

    QSTracker = new QSlider(Qt::Horizontal, group);
    QSTracker->setObjectName(QStringLiteral("QSTracker"));
    QSTracker->setRange(1, 600);
    QSTracker->setSingleStep(1);
    QSTracker->setPageStep(25);
    QSTracker->setTickInterval(25);
    QSTracker->setTickPosition(QSlider::TicksBelow);
    layout->addWidget(
        caption(tr("Quick set (drag to quickly change start time)"), QSTracker, group), 1, 0);
    layout->addWidget(QSTracker, 2, 0);

    connect(HrSpin, &QSpinBox::valueChanged, this, [this] { HrSpinClick(); });
    connect(MinSpin, &QSpinBox::valueChanged, this, [this] { MinSpinClick(); });
    connect(SecSpin, &QSpinBox::valueChanged, this, [this] { SecSpinClick(); });
    connect(QSTracker, &QSlider::valueChanged, this, [this](int p) { QSTrackerChange(p); });
    return group;
}

QWidget* TSettingsForm::buildGeneralGroup() {
    auto* group = new QGroupBox(tr("General announcement/sound"), this);
    auto* layout = new QGridLayout(group);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setVerticalSpacing(2);
    GenAnnIntervalCombo = dropDown("GenAnnIntervalCombo", group);
    fillIntervals(GenAnnIntervalCombo, kGeneralIntervals);
    GenAnnTypeCombo = dropDown("GenAnnTypeCombo", group);
    fillActions(GenAnnTypeCombo, std::span(kAnnounceActionLabels).first(3));
    GenPreviewButton =
        pictureButton("GenPreviewButton", QStyle::SP_MediaPlay, tr("Preview sound"), group);
    layout->addWidget(caption(tr("Perform action"), GenAnnIntervalCombo, group), 0, 0);
    layout->addWidget(GenAnnIntervalCombo, 1, 0);
    layout->addWidget(caption(tr("Type of action"), GenAnnTypeCombo, group), 2, 0);
    layout->addWidget(GenAnnTypeCombo, 3, 0);
    layout->addWidget(GenPreviewButton, 3, 1);

    connect(GenAnnIntervalCombo, &QComboBox::currentIndexChanged, this,
            [this] { GenAnnIntervalComboChange(); });
    connect(GenPreviewButton, &QToolButton::clicked, this, [this] { GenPreviewButtonClick(); });
    return group;
}

QWidget* TSettingsForm::buildExpiryGroup() {
    auto* group = new QGroupBox(tr("Timer expire"), this);
    auto* layout = new QGridLayout(group);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setVerticalSpacing(2);
    TimerExpTypeCombo = dropDown("TimerExpTypeCombo", group);
    fillActions(TimerExpTypeCombo, kExpiryActionLabels);
    ExpPreviewButton =
        pictureButton("ExpPreviewButton", QStyle::SP_MediaPlay, tr("Preview sound"), group);
    TimerExpFilenameEdit = filenameField("TimerExpFilenameEdit", group);
    ExpBrowseButton = browseButton("ExpBrowseButton", group);
    layout->addWidget(caption(tr("Action"), TimerExpTypeCombo, group), 0, 0);
    layout->addWidget(TimerExpTypeCombo, 1, 0);
    layout->addWidget(ExpPreviewButton, 1, 1);
    layout->addWidget(caption(tr("Custom sound filename"), TimerExpFilenameEdit, group), 2, 0);
    layout->addWidget(TimerExpFilenameEdit, 3, 0);
    layout->addWidget(ExpBrowseButton, 3, 1);

    connect(TimerExpTypeCombo, &QComboBox::currentIndexChanged, this,
            [this] { TimerExpTypeComboChange(); });
    connect(ExpPreviewButton, &QToolButton::clicked, this, [this] { ExpPreviewButtonClick(); });
    connect(ExpBrowseButton, &QToolButton::clicked, this, [this] { ExpBrowseButtonClick(); });
    return group;
}

} // namespace qv
