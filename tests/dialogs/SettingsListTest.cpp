// The settings dialog's timer list: switching, New, Delete and rename keep the
// table, the dialog's list and the main window's list in step.

#include "core/Text.h"
#include "SettingsFormFixture.h"

#include <QPushButton>

namespace qv::test {
namespace {

class SettingsList : public SettingsFormTest {
protected:
    QComboBox* names() { return child<QComboBox>("TimerNameCombo"); }
    // Both lists equal to `expected`, both selecting `selected`, which is also
    // the table's current record and the main window's active position.
    void expectLists(const QStringList& expected, int selected) {
        EXPECT_EQ(items(*names()), expected);
        EXPECT_EQ(items(host.combo), expected);
        EXPECT_EQ(names()->currentIndex(), selected);
        EXPECT_EQ(host.combo.currentIndex(), selected);
        EXPECT_EQ(form->selectedIndex(), selected);
        EXPECT_EQ(host.active, selected);
        QStringList table;
        for (const std::string& n : db.names())
            table.append(QString::fromStdString(n));
        EXPECT_EQ(table, expected);
        EXPECT_EQ(QString::fromStdString(db.current()->Name), expected.value(selected));
    }
};

TEST_F(SettingsList, SwitchingSavesTheShownTimerAndKeepsEveryStartTime) {
    addTimer("Apple", 330);
    addTimer("Boil", 45);
    addTimer("Cake", 45000);
    open(1);
    for (int i : {0, 2, 1, 0, 2})
        pick("TimerNameCombo", i);
    child<QSpinBox>("HrSpin")->stepBy(1);
    pick("TimerNameCombo", 0);
    EXPECT_EQ(shownTime(), QStringLiteral("00:05:30"));
    EXPECT_EQ(host.combo.currentIndex(), 1); // the main window follows only after OK
    child<QPushButton>("CloseButton")->click();
    const auto records = db.records();
    EXPECT_EQ(records[0]->StartTime, 330);
    EXPECT_EQ(records[1]->StartTime, 45);
    EXPECT_EQ(records[2]->StartTime, 45000 + 3600);
    EXPECT_EQ(form->selectedIndex(), 0);
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
}

TEST_F(SettingsList, NewTimerTakesItsSortedPlaceAndDropsUnsavedEdits) {
    addTimer("Apple", 330);
    addTimer("Cake", 60);
    open(0);
    child<QSpinBox>("HrSpin")->stepBy(1);
    MessageBox::queueInput(QStringLiteral("Boil"));
    child<QPushButton>("NewButton")->click();
    expectLists({"Apple", "Boil", "Cake"}, 1);
    TimerRecord defaults;
    PopulateNewTimer(defaults);
    defaults.Name = "Boil";
    EXPECT_EQ(*db.current(), defaults);
    EXPECT_EQ(shownTime(), QStringLiteral("00:05:00"));
    EXPECT_EQ(db.records()[0]->StartTime, 330);
    EXPECT_EQ(texts(MessageBox::takeShown()),
              QStringList{"New timer|Enter the name of the new timer:"});

    // Reopening from the main window's list shows the same timer.
    open(host.active);
    EXPECT_EQ(names()->currentText(), QStringLiteral("Boil"));
}

TEST_F(SettingsList, NewRefusesTakenBlankAndCancelledNames) {
    addTimer("Apple", 330);
    addTimer("tea");
    open(0);
    const std::optional<QString> answers[] = {QStringLiteral("Tea"), QString(),
                                              QStringLiteral("   "), std::nullopt};
    for (const auto& answer : answers) {
        MessageBox::queueInput(answer);
        form->NewButtonClick();
        expectLists({"Apple", "tea"}, 0);
        EXPECT_EQ(shownTime(), QStringLiteral("00:05:30"));
    }
    EXPECT_EQ(MessageBox::takeBeeps(), 3);
    const QStringList shown = texts(MessageBox::takeShown()).filter("Information|");
    EXPECT_EQ(shown,
              (QStringList{"Information|You need to give the timer a unique name - try again!",
                           "Information|You need to give the timer a name - try again!",
                           "Information|You need to give the timer a name - try again!"}));
}

TEST_F(SettingsList, LongNamesAreCutBeforeTheyReachAnyList) {
    const std::string thirty(30, 'x');
    addTimer(thirty + "1");
    open(0);
    MessageBox::queueInput(QString::fromStdString(thirty + "2")); // same once cut
    form->NewButtonClick();
    EXPECT_EQ(db.recordCount(), 1);
    EXPECT_EQ(MessageBox::takeBeeps(), 1);

    const QString longName = QStringLiteral("Ärger mit dem Frühstücksei, Teil 2");
    MessageBox::queueInput(longName);
    form->NewButtonClick();
    const QString cut = longName.left(30);
    expectLists({QString::fromStdString(thirty), cut}, 1);
    pick("TimerNameCombo", 1);
    pick("TimerNameCombo", 0);
    EXPECT_TRUE(texts(MessageBox::takeShown()).filter("Error|").isEmpty());
}

TEST_F(SettingsList, LimitOfOneHundredTimers) {
    for (int i = 0; i < 99; ++i)
        addTimer("T" + std::to_string(100 + i));
    open(0);
    MessageBox::queueInput(QStringLiteral("Last"));
    form->NewButtonClick();
    EXPECT_EQ(db.recordCount(), 100);
    EXPECT_EQ(host.combo.count(), 100);
    MessageBox::clear();
    form->NewButtonClick();
    addTimer("From a file"); // a table read from a file may hold more
    form->NewButtonClick();
    EXPECT_EQ(db.recordCount(), 101);
    const QString limit =
        "Information|You already have 100 timers defined, no more timers can be added!";
    EXPECT_EQ(texts(MessageBox::takeShown()), (QStringList{limit, limit}));
}

TEST_F(SettingsList, DeleteShowsTheFirstRemainingTimer) {
    addTimer("Apple", 330);
    addTimer("Boil", 45);
    addTimer("Cake", 60);
    open(0);
    MessageBox::queueYes(false);
    form->DeleteButtonClick();
    expectLists({"Apple", "Boil", "Cake"}, 0);
    MessageBox::queueYes(true);
    child<QPushButton>("DeleteButton")->click();
    expectLists({"Boil", "Cake"}, 0);
    EXPECT_EQ(shownTime(), QStringLiteral("00:00:45"));
    pick("TimerNameCombo", 1);
    MessageBox::queueYes(true);
    form->DeleteButtonClick();
    expectLists({"Boil"}, 0);
    EXPECT_EQ(
        texts(MessageBox::takeShown()).filter("Are you sure you want to delete this timer?").size(),
        3);
}

TEST_F(SettingsList, DeletingTheLastTimerOffersARename) {
    addTimer("Timer 1", 60);
    open(0);
    child<QSpinBox>("SecSpin")->stepBy(1); // unsaved, and kept by the rename
    MessageBox::queueYes(false);
    form->DeleteButtonClick();
    MessageBox::queueYes(true);
    MessageBox::queueInput(std::nullopt);
    form->DeleteButtonClick();
    MessageBox::queueYes(true);
    MessageBox::queueInput(QStringLiteral(" "));
    form->DeleteButtonClick();
    expectLists({"Timer 1"}, 0);
    EXPECT_EQ(db.current()->StartTime, 60);

    MessageBox::queueYes(true);
    MessageBox::queueInput(QStringLiteral("Tea"));
    form->DeleteButtonClick();
    expectLists({"Tea"}, 0);
    EXPECT_EQ(db.current()->StartTime, 60);
    EXPECT_EQ(shownTime(), QStringLiteral("00:01:01"));
    form->done(QDialog::Accepted);
    EXPECT_EQ(db.current()->StartTime, 61);
    const QStringList shown = texts(MessageBox::takeShown());
    EXPECT_EQ(shown.first(), "Confirm|You cannot delete this timer (there must always be at "
                             "least\none timer defined), would you like to rename it?");
    EXPECT_TRUE(shown.contains("New timer name|Enter the new name of this timer:"));
}

} // namespace
} // namespace qv::test
