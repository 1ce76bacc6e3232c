#pragma once

#include "core/TimerDB.h"
#include "dialogs/DialogHost.h"
#include "dialogs/TSettingsForm.h"
#include "widgets/MessageBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

namespace qv::test {

// The main window as the dialog sees it: a timer list and a recorder.
class RecordingHost : public DialogHost {
public:
    QWidget* hostWindow() override { return nullptr; }
    QComboBox* timerCombo() override { return &combo; }
    int activeTimerIndex() const override { return active; }
    void setActiveTimerIndex(int index) override { active = index; }
    void DoSound(const QString& sound) override { sounds.append(sound); }
    void Announce(int shortForm, TTimeHMS time) override { announced.append({shortForm, time}); }
    void showHelp(int topic) override { topics.append(topic); }

    QComboBox combo;
    int active = 0;
    QStringList sounds;
    QList<std::pair<int, TTimeHMS>> announced;
    QList<int> topics;
};

class SettingsFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        MessageBox::setTesting(true);
        MessageBox::clear();
    }
    void TearDown() override {
        form.reset();
        MessageBox::clear();
    }

    const TimerRecord& addTimer(const std::string& name, std::int32_t start = 300) {
        TimerRecord r;
        r.Name = name;
        r.StartTime = start;
        EXPECT_TRUE(db.insert(r));
        return *db.current();
    }

    // Opens the dialog the way the main window does, on the timer at `active`.
    void open(int active = 0) {
        host.combo.clear();
        for (const std::string& n : db.names())
            host.combo.addItem(QString::fromStdString(n));
        host.combo.setCurrentIndex(active);
        host.active = active;
        db.locate(db.names().at(static_cast<std::size_t>(active)));
        form = std::make_unique<TSettingsForm>(db, host);
    }

    template <class W = QWidget>
    W* child(const char* name) {
        W* w = form->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char* name) { return child<QLineEdit>(name)->text(); }
    QString shownTime() {
        return text("HrLED") + QLatin1Char(':') + text("MinLED") + QLatin1Char(':') +
               text("SecLED");
    }
    // Selects a list entry as the user does, which fires `activated`.
    void pick(const char* comboName, int index) {
        auto* c = child<QComboBox>(comboName);
        c->setCurrentIndex(index);
        Q_EMIT c->activated(index);
    }
    static QStringList items(const QComboBox& c) {
        QStringList out;
        for (int i = 0; i < c.count(); ++i)
            out.append(c.itemText(i));
        return out;
    }
    static QStringList texts(const QList<MessageBox::Shown>& shown) {
        QStringList out;
        for (const auto& s : shown)
            out.append(s.title + QLatin1Char('|') + s.text);
        return out;
    }

    TimerDB db;
    RecordingHost host;
    std::unique_ptr<TSettingsForm> form;
};

} // namespace qv::test
