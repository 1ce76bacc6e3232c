// The settings dialog's controls: start time, quick set, rule time fields,
// choices, browsing and previews, and what each of them saves.

#include "SettingsFormFixture.h"
#include "support/AccessibleTree.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace qv::test {
namespace {

using SettingsControls = SettingsFormTest;

TEST_F(SettingsControls, ThumbFollowsStoredTimeWithoutMovingSpinners) {
    struct Case {
        std::int32_t start;
        const char* shown;
        int thumb;
    };
    for (const Case& c :
         {Case{330, "00:05:30", 5}, Case{45, "00:00:45", 1}, Case{45000, "12:30:00", 600}}) {
        db.createEmpty();
        addTimer("Tea", c.start);
        open();
        EXPECT_EQ(shownTime(), QLatin1String(c.shown));
        EXPECT_EQ(child<QSlider>("QSTracker")->value(), c.thumb);
        form->SaveSettings();
        EXPECT_EQ(db.current()->StartTime, c.start) << c.shown;
    }
}

TEST_F(SettingsControls, UserMovesThumbAndSpinnersWrapOnTheirOwn) {
    addTimer("Tea", 99 * 3600 + 59);
    open();
    auto* thumb = child<QSlider>("QSTracker");
    thumb->setValue(90);
    EXPECT_EQ(shownTime(), QStringLiteral("01:30:00"));
    child<QPushButton>("CloseButton")->click();
    EXPECT_EQ(db.current()->StartTime, 5400);

    auto* hr = child<QSpinBox>("HrSpin");
    auto* min = child<QSpinBox>("MinSpin");
    auto* sec = child<QSpinBox>("SecSpin");
    hr->setValue(99);
    sec->setValue(59);
    sec->stepBy(1);
    hr->stepBy(1);
    EXPECT_EQ(shownTime(), QStringLiteral("00:30:00"));
    EXPECT_EQ(thumb->value(), 30);
    min->setValue(0);
    min->stepBy(-1);
    EXPECT_EQ(shownTime(), QStringLiteral("00:59:00"));
    EXPECT_EQ(thumb->value(), 59);
}

TEST_F(SettingsControls, RuleTimeFieldsCheckWhatIsTyped) {
    addTimer("Tea");
    open();
    auto* field = child<QLineEdit>("R2MiNEdit");
    field->clear();
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    QTest::keyClicks(field, QStringLiteral("7"));
    EXPECT_EQ(field->text(), QStringLiteral("07"));
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());

    const std::pair<const char*, const char*> bad[] = {{"75", "Numeric value out of range!"},
                                                       {"-5", "Numeric value out of range!"},
                                                       {"a", "Only numeric values allowed!"},
                                                       {"4 ", "Only numeric values allowed!"}};
    for (const auto& [typed, message] : bad) {
        field->setText(QLatin1String(typed));
        EXPECT_EQ(field->text(), QStringLiteral("00")) << typed;
        EXPECT_EQ(texts(MessageBox::takeShown()),
                  QStringList{QStringLiteral("Error|") + QLatin1String(message)});
    }

    // The spinners follow the fields, and the fields the spinners.
    child<QLineEdit>("R2hrEdit")->setText(QStringLiteral("12"));
    field->setText(QStringLiteral("34"));
    child<QLineEdit>("R2SecEdit")->setText(QStringLiteral("5"));
    EXPECT_EQ(text("R2SecEdit"), QStringLiteral("05"));
    child<QSpinBox>("R3HrSpin")->stepBy(-1);
    EXPECT_EQ(text("R3HrEdit"), QStringLiteral("59"));
    child<QLineEdit>("R1SecEdit")->setText(QStringLiteral("30"));
    child<QLineEdit>("R1SecEdit")->clear();
    form->SaveSettings();
    EXPECT_EQ(db.current()->Rules[1].Start, 12 * 3600 + 34 * 60 + 5);
    EXPECT_EQ(db.current()->Rules[2].Start, 59 * 3600);
    EXPECT_EQ(db.current()->Rules[0].Start, 0);
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
}

TEST_F(SettingsControls, ChoicesEnableTheirControlsAndSaveTheirValues) {
    TimerRecord r;
    r.Name = "Tea";
    r.GenAnnInterval = 60;
    r.TimerExpFilename = "/snd/gong.wav";
    ASSERT_TRUE(db.insert(r));
    addTimer("Apple");
    open(1);
    auto* type = child<QComboBox>("GenAnnTypeCombo");
    EXPECT_TRUE(type->isEnabled());
    pick("TimerNameCombo", 0);
    EXPECT_FALSE(type->isEnabled());

    child<QComboBox>("GenAnnIntervalCombo")->setCurrentIndex(7);
    EXPECT_TRUE(type->isEnabled());
    child<QComboBox>("R1IntervalCombo")->setCurrentIndex(13);
    child<QComboBox>("R3IntervalCombo")->setCurrentIndex(0);
    form->SaveSettings();
    EXPECT_EQ(db.current()->GenAnnInterval, 120);
    EXPECT_EQ(db.current()->Rules[0].Interval, 2);
    EXPECT_EQ(db.current()->Rules[2].Interval, 3600);
    child<QComboBox>("GenAnnIntervalCombo")->setCurrentIndex(0);
    EXPECT_FALSE(type->isEnabled());
    form->SaveSettings();
    EXPECT_EQ(db.current()->GenAnnInterval, 0);

    pick("TimerNameCombo", 1);
    auto* expiry = child<QComboBox>("TimerExpTypeCombo");
    EXPECT_FALSE(child<QLineEdit>("TimerExpFilenameEdit")->isEnabled());
    expiry->setCurrentIndex(2);
    EXPECT_TRUE(child<QToolButton>("ExpBrowseButton")->isEnabled());
    expiry->setCurrentIndex(1);
    EXPECT_FALSE(child<QToolButton>("ExpBrowseButton")->isEnabled());
    EXPECT_EQ(text("TimerExpFilenameEdit"), QStringLiteral("gong.wav"));
    child<QComboBox>("R2ActionCombo")->setCurrentIndex(3);
    EXPECT_TRUE(child<QLineEdit>("R2FilenameEdit")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>("R3FilenameEdit")->isEnabled());
    form->SaveSettings();
    EXPECT_EQ(db.current()->TimerExpFilename, "/snd/gong.wav");
    EXPECT_EQ(db.current()->TimerExpAction, 1);
    EXPECT_EQ(db.current()->Rules[1].Action, 3);
}

// Each list offers its actions in the order of their codes, so the position
// the user picks is the code stored; the general announcement has no custom sound.
TEST_F(SettingsControls, ActionListsOfferTheirChoicesInTheOrderOfTheirCodes) {
    addTimer("Tea");
    open(0);
    auto listed = [this](const char* name) { return items(*child<QComboBox>(name)); };
    const QStringList announce = {QStringLiteral("Announce the time left"),
                                  QStringLiteral("Play \"beep\" sound"),
                                  QStringLiteral("Play \"tick\" sound")};
    EXPECT_EQ(listed("GenAnnTypeCombo"), announce);
    for (const char* rule : {"R1ActionCombo", "R2ActionCombo", "R3ActionCombo"})
        EXPECT_EQ(listed(rule), announce + QStringList{QStringLiteral("Play custom sound")})
            << rule;
    EXPECT_EQ(listed("TimerExpTypeCombo"), (QStringList{QStringLiteral("Play \"fanfare\" sound"),
                                                        QStringLiteral("Play \"long beep\" sound"),
                                                        QStringLiteral("Play custom sound")}));

    for (int code = 0; code < 4; ++code) {
        child<QComboBox>("R3ActionCombo")->setCurrentIndex(code);
        child<QComboBox>("TimerExpTypeCombo")->setCurrentIndex(code % 3);
        child<QComboBox>("GenAnnIntervalCombo")->setCurrentIndex(5);
        child<QComboBox>("GenAnnTypeCombo")->setCurrentIndex(code % 3);
        form->SaveSettings();
        EXPECT_EQ(db.current()->Rules[2].Action, code);
        EXPECT_EQ(db.current()->TimerExpAction, code % 3);
        EXPECT_EQ(db.current()->GenAnnAction, code % 3);
    }
}

TEST_F(SettingsControls, EveryFieldSurvivesFillingAndSaving) {
    TimerRecord r;
    r.Name = "Tea";
    r.StartTime = 3 * 3600 + 4 * 60 + 5;
    r.TimerLoop = true;
    r.GenAnnInterval = 900;
    r.GenAnnAction = 2;
    r.TimerExpAction = 2;
    r.TimerExpLoop = true;
    r.TimerExpFilename = "C:\\snd\\end.WAV";
    r.Rules[0] = {true, 1, 30, 61, "/a/one.wav"};
    r.Rules[1] = {false, 3, 5, 59 * 3600 + 59 * 60 + 59, "/b/two.wav"};
    r.Rules[2] = {true, 2, 1, 600, ""};
    ASSERT_TRUE(db.insert(r));
    open();
    EXPECT_EQ(shownTime(), QStringLiteral("03:04:05"));
    EXPECT_EQ(text("TimerExpFilenameEdit"), QStringLiteral("end.WAV"));
    EXPECT_EQ(text("R2FilenameEdit"), QStringLiteral("two.wav"));
    EXPECT_EQ(text("R1MinEdit") + text("R1SecEdit"), QStringLiteral("0101"));
    EXPECT_EQ(child<QComboBox>("R3IntervalCombo")->currentText(), QStringLiteral("Every second"));
    const auto logged = db.changeLog().size();
    form->done(QDialog::Rejected);
    EXPECT_EQ(*db.current(), r);
    EXPECT_EQ(db.changeLog().size(), logged);
}

TEST_F(SettingsControls, ValuesOutsideTheListsAreKept) {
    TimerRecord odd;
    odd.Name = "Odd";
    odd.GenAnnInterval = 7;
    odd.GenAnnAction = 9;
    odd.Rules[0].Interval = 0;
    ASSERT_TRUE(db.insert(odd));
    TimerRecord plain;
    plain.Name = "Apple";
    plain.GenAnnInterval = 60;
    ASSERT_TRUE(db.insert(plain));
    open(0);
    pick("TimerNameCombo", 1);
    EXPECT_EQ(child<QComboBox>("GenAnnIntervalCombo")->currentIndex(), -1);
    form->SaveSettings();
    EXPECT_EQ(*db.current(), odd);
}

TEST_F(SettingsControls, PreviewsPlayTheSelectedSoundWithoutSaving) {
    addTimer("Tea", 3723);
    open();
    const TimerRecord before = *db.current();
    child<QLineEdit>("R2hrEdit")->setText(QStringLiteral("10"));
    const TTimeHMS start{1, 2, 3};
    struct Case {
        const char* combo;
        int item;
        void (TSettingsForm::*preview)();
    };
    const Case cases[] = {{"GenAnnTypeCombo", 0, &TSettingsForm::GenPreviewButtonClick},
                          {"GenAnnTypeCombo", 1, &TSettingsForm::GenPreviewButtonClick},
                          {"GenAnnTypeCombo", 2, &TSettingsForm::GenPreviewButtonClick},
                          {"TimerExpTypeCombo", 0, &TSettingsForm::ExpPreviewButtonClick},
                          {"TimerExpTypeCombo", 1, &TSettingsForm::ExpPreviewButtonClick},
                          {"TimerExpTypeCombo", 2, &TSettingsForm::ExpPreviewButtonClick},
                          {"R2ActionCombo", 0, &TSettingsForm::R2PreviewButtonClick},
                          {"R2ActionCombo", 1, &TSettingsForm::R2PreviewButtonClick},
                          {"R3ActionCombo", 2, &TSettingsForm::R3PreviewButtonClick},
                          {"R1ActionCombo", 3, &TSettingsForm::R1PreviewButtonClick},
                          {"R1ActionCombo", -1, &TSettingsForm::R1PreviewButtonClick}};
    for (const Case& c : cases) {
        child<QComboBox>(c.combo)->setCurrentIndex(c.item);
        (form.get()->*c.preview)();
    }
    EXPECT_EQ(host.sounds, (QStringList{"1", "2", "0", "3", "", "1", "2", ""}));
    ASSERT_EQ(host.announced.size(), 2);
    for (const auto& [shortForm, time] : host.announced) {
        EXPECT_EQ(shortForm, 0);
        EXPECT_EQ(time, start);
    }
    child<QComboBox>("GenAnnTypeCombo")->setCurrentIndex(0);
    child<QToolButton>("GenPreviewButton")->click();
    EXPECT_EQ(host.announced.size(), 3);
    EXPECT_EQ(*db.current(), before);
}

TEST_F(SettingsControls, BrowsingKeepsTheFullPathAndShowsItsFileName) {
    TimerRecord r;
    r.Name = "Tea";
    r.Rules[0].Filename = "/old/bell.wav";
    ASSERT_TRUE(db.insert(r));
    open();
    QStringList presets;
    QString answer;
    form->setFilePicker([&](const QString& preset) {
        presets.append(preset);
        return answer;
    });
    form->R1BrowseButtonClick(); // cancelled
    EXPECT_EQ(child<QLabel>("Rule1Path")->text(), QStringLiteral("/old/bell.wav"));
    answer = QStringLiteral("/home/me/snd/gong.wav");
    form->R1BrowseButtonClick();
    EXPECT_EQ(text("R1FilenameEdit"), QStringLiteral("gong.wav"));
    answer = QStringLiteral("D:\\tones\\x.WAV");
    form->ExpBrowseButtonClick();
    EXPECT_EQ(text("TimerExpFilenameEdit"), QStringLiteral("x.WAV"));
    answer = QStringLiteral("/") + QString(300, QLatin1Char('d')) + QStringLiteral("/long.wav");
    form->R3BrowseButtonClick();
    EXPECT_EQ(MessageBox::takeShown().size(), 1);
    EXPECT_EQ(child<QLabel>("Rule3Path")->text(), QString());
    EXPECT_EQ(presets.mid(0, 3),
              (QStringList{"/old/bell.wav", "/old/bell.wav", "/home/me/snd/gong.wav"}));

    form->SaveSettings();
    EXPECT_EQ(db.current()->Rules[0].Filename, "/home/me/snd/gong.wav");
    EXPECT_EQ(db.current()->TimerExpFilename, "D:\\tones\\x.WAV");
    EXPECT_EQ(db.current()->Rules[2].Filename, "");
}

TEST_F(SettingsControls, TheFileDialogStartsAtTheSoundsPathAndOffersWaveFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString bell = dir.filePath(QStringLiteral("bell.wav"));
    const QString gong = dir.filePath(QStringLiteral("gong.WAV"));
    for (const QString& f : {bell, gong}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    TimerRecord r;
    r.Name = "Tea";
    r.TimerExpFilename = bell.toStdString();
    ASSERT_TRUE(db.insert(r));
    open();
    QStringList filters;
    QStringList preset;
    // The real dialog runs its own loop; answer it from inside that loop.
    QTimer::singleShot(0, form.get(), [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        preset = dialog->selectedFiles();
        dialog->selectFile(gong);
        static_cast<QDialog*>(dialog)->accept();
        if (dialog->isVisible())
            dialog->reject();
    });
    form->ExpBrowseButtonClick();
    EXPECT_EQ(filters, QStringList{"Audio files (*.WAV *.wav)"});
    EXPECT_EQ(preset, QStringList{bell});
    EXPECT_EQ(child<QLabel>("TimerExpPath")->text(), gong);
    EXPECT_EQ(text("TimerExpFilenameEdit"), QStringLiteral("gong.WAV"));
}

TEST_F(SettingsControls, EveryWayOutSavesAndReportsOk) {
    addTimer("Tea", 60);
    open();
    form->show();
    child<QToolButton>("HelpButton")->click();
    EXPECT_EQ(host.topics, QList<int>{20});
    child<QSpinBox>("SecSpin")->stepBy(1);
    form->close();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(db.current()->StartTime, 61);

    form->show();
    child<QSpinBox>("SecSpin")->stepBy(1);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(db.current()->StartTime, 62);
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

class SettingsAccess : public SettingsFormTest {};

// Every control of every page reads with a name of its own; the start-time
// read-outs say they cannot be typed in; F1 asks for the dialog's help topic.
TEST_F(SettingsAccess, EveryControlHasANameAndTheReadOutsAreReadOnly) {
    addTimer("Tea");
    open();
    form->show();
    auto* pages = child<QTabWidget>("RulePages");
    QStringList names;
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        EXPECT_EQ(qv::testing::unnamedControls(form.get()), QStringList()) << "rule page " << page + 1;
    }
    for (const char* read : {"HrLED", "MinLED", "SecLED"}) {
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(child<QLineEdit>(read));
        EXPECT_TRUE(field->state().readOnly) << read;
        names << field->text(QAccessible::Name);
    }
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("Start from hours"), QStringLiteral("Start from minutes"),
                           QStringLiteral("Start from seconds")}));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(child<QWidget>("TimerExpFilenameEdit"))
                  ->text(QAccessible::Name),
              QStringLiteral("Custom sound filename"));
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(child<QWidget>("R2HrSpin"))->text(QAccessible::Name),
        QStringLiteral("Change starting hours, rule 2"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(child<QWidget>("HelpButton"))
                  ->text(QAccessible::Name),
              QStringLiteral("Help"));

    QApplication::setActiveWindow(form.get());
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_EQ(host.topics, QList<int>{20});
}

} // namespace
} // namespace qv::test
