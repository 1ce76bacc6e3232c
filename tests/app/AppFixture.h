#pragma once

#include "app/CommonData.h"
#include "app/MainForm.h"
#include "audio/SoundSystem.h"
#include "core/CountdownEngine.h"
#include "store/PreferencesStore.h"
#include "store/TimerFile.h"
#include "support/ManualTime.h"
#include "widgets/MessageBox.h"
#include "widgets/TLMDLEDLabel.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace qv::testing {

using test::ManualClock;
using test::ManualTick;

inline TimerRecord timer(const char* name, std::int32_t start, bool loop = false) {
    TimerRecord r;
    r.Name = name;
    PopulateNewTimer(r);
    r.StartTime = start;
    r.TimerLoop = loop;
    return r;
}

// A main window over a temporary program folder and a settings store that
// starts empty, with the clock and the tick driven by the test.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        MessageBox::setTesting(true);
        MessageBox::clear();
        const auto opened = PreferencesStore::openKey();
        QSettings& key = *opened;
        key.clear();
        key.sync();
    }
    void TearDown() override {
        form.reset();
        data.reset();
        MessageBox::clear();
    }

    QString timerPath() const { return dir.filePath(QStringLiteral("timers.xml")); }

    void writeTimers(const std::vector<TimerRecord>& records) {
        TimerDB db;
        db.createEmpty();
        for (const auto& r : records)
            ASSERT_TRUE(db.insert(r));
        db.mergeChangeLog();
        QString error;
        ASSERT_TRUE(TimerFile::write(timerPath(), db, &error)) << error.toStdString();
    }

    void writeSettings(const std::map<QString, QString>& values) {
        const auto opened = PreferencesStore::openKey();
        QSettings& key = *opened;
        for (const auto& [name, value] : values)
            key.setValue(name, value);
        key.sync();
    }

    QString setting(const char* name) {
        const auto opened = PreferencesStore::openKey();
        QSettings& key = *opened;
        return key.value(QString::fromLatin1(name)).toString();
    }
    bool hasSetting(const char* name) {
        const auto opened = PreferencesStore::openKey();
        QSettings& key = *opened;
        return key.contains(QString::fromLatin1(name));
    }

    QByteArray fileBytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void start() {
        data = std::make_unique<TCommonData>(SoundSystem::createSilent());
        form = std::make_unique<TMainForm>(
            *data, MainFormOptions{AppPaths::inFolder(dir.path()), &clock, &tick});
    }

    // One tick after the clock moved on by `ms`.
    void tickAfter(std::int64_t ms) {
        clock.now += ms;
        if (tick.enabled)
            form->MainTimerTimer();
    }
    void seconds(int n) {
        for (int i = 0; i < n; ++i)
            tickAfter(1000);
    }
    void key(Qt::Key k) { QTest::keyClick(form->keyTarget(), k); }

    template <typename T>
    T* child(const char* name) {
        return form->findChild<T*>(QString::fromLatin1(name));
    }
    QPushButton* startStop() { return child<QPushButton>("StartStopButton"); }
    QPushButton* resetButton() { return child<QPushButton>("ResetButton"); }
    QComboBox* combo() { return child<QComboBox>("TimerCombo"); }
    TLMDLEDLabel* led() { return child<TLMDLEDLabel>("TimerLED"); }
    QString ledText() { return led()->caption(); }

    QTemporaryDir dir;
    ManualClock clock{5'000'000};
    ManualTick tick;
    std::unique_ptr<TCommonData> data;
    std::unique_ptr<TMainForm> form;
};

} // namespace qv::testing
