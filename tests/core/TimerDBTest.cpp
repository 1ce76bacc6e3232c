#include "core/TimerDB.h"

#include "core/Text.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace qv;

namespace {

using Log = std::vector<ChangeLogEntry>;
using States = std::vector<std::uint32_t>;
using Names = std::vector<std::string>;

TimerRecord named(std::string name, std::int32_t start = 300) {
    TimerRecord r;
    r.Name = std::move(name);
    r.StartTime = start;
    return r;
}

States states(const TimerDB& db) {
    States out;
    for (const StoredRow& r : db.storedRows())
        out.push_back(r.state);
    return out;
}

// A table as a file would give it: rows without a change log.
TimerDB loaded(const Names& names) {
    TimerDB db;
    std::vector<StoredRow> rows;
    for (const std::string& n : names)
        rows.push_back({named(n), {}, {}, RowUnchanged});
    std::string error;
    EXPECT_TRUE(db.assign(db.fields(), std::move(rows), {}, &error)) << error;
    return db;
}

std::string currentName(const TimerDB& db) {
    return db.current() ? db.current()->Name : "<none>";
}

TEST(TimerTable, FindsIgnoringCaseAndRefusesNamesEqualApartFromCase) {
    TimerDB db;
    EXPECT_TRUE(db.isEmpty());
    EXPECT_EQ(db.current(), nullptr);
    ASSERT_TRUE(db.insert(named("Timer 1")));
    ASSERT_TRUE(db.insert(named("Äpfel")));

    EXPECT_TRUE(db.locate("timer 1"));
    EXPECT_EQ(currentName(db), "Timer 1");
    EXPECT_FALSE(db.locate("Timer 2"));
    EXPECT_EQ(currentName(db), "Timer 1") << "a failed find keeps the current row";
    EXPECT_TRUE(db.locate("ÄPFEL"));
    EXPECT_EQ(currentName(db), "Äpfel");

    const auto rowsBefore = db.storedRows().size();
    const auto logBefore = db.changeLog().size();
    for (const char* clash : {"äpfel", "TIMER 1", "timer 1"}) {
        std::string error;
        EXPECT_FALSE(db.insert(named(clash), &error)) << clash;
        EXPECT_EQ(error, "Key violation.");
    }
    EXPECT_EQ(db.storedRows().size(), rowsBefore) << "a refused insert leaves no trace";
    EXPECT_EQ(db.changeLog().size(), logBefore);
    EXPECT_EQ(db.recordCount(), 2);
}

TEST(TimerTable, RenameChecksUniquenessButMayChangeTheCaseOfItsOwnName) {
    TimerDB db;
    ASSERT_TRUE(db.insert(named("Tea")));
    ASSERT_TRUE(db.insert(named("Eggs")));
    std::string error;
    EXPECT_FALSE(db.updateCurrent(named("TEA"), &error));
    EXPECT_EQ(error, "Key violation.");
    EXPECT_EQ(currentName(db), "Eggs");
    EXPECT_TRUE(db.updateCurrent(named("EGGS")));
    EXPECT_EQ(db.names(), (Names{"EGGS", "Tea"}));
    EXPECT_TRUE(db.locate("eggs"));
    EXPECT_FALSE(db.contains("Eggs boiled"));
}

TEST(TimerTable, WalksInNameOrderIgnoringCase) {
    TimerDB db;
    for (const char* n : {"banana", "Zwieback", "Apple", "Äpfel", "apricot", "cherry", "10 min"})
        ASSERT_TRUE(db.insert(named(n)));
    const Names expected = {"10 min", "Apple", "apricot", "banana", "cherry", "Zwieback", "Äpfel"};
    EXPECT_EQ(db.names(), expected);
    Names walked;
    for (const TimerRecord* r : db.records())
        walked.push_back(r->Name);
    EXPECT_EQ(walked, expected);
    db.first();
    EXPECT_EQ(currentName(db), "10 min");
    ASSERT_TRUE(db.locate("cherry"));
    EXPECT_EQ(db.currentPosition(), 4);
}

TEST(TimerTable, TextsAreCutToTheColumnWidthInCharacters) {
    TimerDB db;
    TimerRecord r = named("Grüße aus Köln für Ärzte in Öl!"); // 31 characters
    r.TimerExpFilename = "/" + std::string(300, 'x');
    r.Rules[2].Filename = std::string(254, 'y') + "éé";
    ASSERT_TRUE(db.insert(r));
    EXPECT_EQ(db.current()->Name, "Grüße aus Köln für Ärzte in Öl");
    EXPECT_EQ(characterCount(db.current()->TimerExpFilename), 255);
    EXPECT_EQ(db.current()->Rules[2].Filename, std::string(254, 'y') + "é");
    EXPECT_TRUE(db.locate("grüße aus köln für ärzte in öl"));
    // The cut name is what must be unique.
    std::string error;
    EXPECT_FALSE(db.insert(named("Grüße aus Köln für Ärzte in Öl?"), &error));
    EXPECT_EQ(error, "Key violation.");
}

TEST(TimerTable, NarrowedWidthCutsLaterWrites) {
    TimerDB db;
    ASSERT_TRUE(db.insert(named("A name of twenty-five ch")));
    db.setTextWidth(Column::Name, 20);
    EXPECT_EQ(db.textWidth(Column::Name), 20);
    EXPECT_EQ(db.fields()[0].width, 20);
    EXPECT_EQ(currentName(db), "A name of twenty-five ch") << "rows already held stay whole";
    ASSERT_TRUE(db.insert(named("Another name with 27 chars")));
    EXPECT_EQ(currentName(db), "Another name with 27");

    // A file that declares a narrower column narrows the table the same way.
    std::vector<FieldDef> fields = db.fields();
    fields[0].width = 10;
    fields[7].width = 400; // wider than ours: our width stays
    ASSERT_TRUE(db.assign(fields, {}, {}, nullptr));
    EXPECT_EQ(db.textWidth(Column::Name), 10);
    EXPECT_EQ(db.textWidth(Column::TimerExpFilename), 255);
    ASSERT_TRUE(db.insert(named("Lemon cake, large")));
    EXPECT_EQ(currentName(db), "Lemon cake");

    // A width of zero or less would blank every name written later: ignored.
    db.setTextWidth(Column::Name, 0);
    EXPECT_EQ(db.textWidth(Column::Name), 10);
    EXPECT_EQ(db.fields()[0].width, 10);
    ASSERT_TRUE(db.insert(named("Plum tart, small")));
    EXPECT_EQ(currentName(db), "Plum tart,");
    fields[0].width = -5;
    fields[7].width = 0;
    ASSERT_TRUE(db.assign(fields, {}, {}, nullptr));
    EXPECT_EQ(db.textWidth(Column::Name), 30);
    EXPECT_EQ(db.textWidth(Column::TimerExpFilename), 255);
    db.setTextWidth(Column::Name, -1);
    EXPECT_EQ(db.textWidth(Column::Name), 30);
    ASSERT_TRUE(db.insert(named("Lemon cake, large")));
    EXPECT_EQ(currentName(db), "Lemon cake, large");
}

TEST(TimerTable, EachFileColumnHasItsOwnWidth) {
    TimerDB db;
    db.setTextWidth(Column::Rule1Filename, 10);
    db.setTextWidth(Column::Rule2Filename, 20);
    db.setTextWidth(Column::Rule3Filename, 30);
    db.setTextWidth(Column::TimerExpFilename, 40);
    TimerRecord r = named("Files");
    const std::string longPath(100, 'p');
    r.TimerExpFilename = longPath;
    for (auto& rule : r.Rules)
        rule.Filename = longPath;
    ASSERT_TRUE(db.insert(r));
    EXPECT_EQ(db.current()->Rules[0].Filename.size(), 10u);
    EXPECT_EQ(db.current()->Rules[1].Filename.size(), 20u);
    EXPECT_EQ(db.current()->Rules[2].Filename.size(), 30u);
    EXPECT_EQ(db.current()->TimerExpFilename.size(), 40u);
    EXPECT_EQ(db.current()->Name, "Files");
    r.Rules[1].Filename = longPath + "q";
    ASSERT_TRUE(db.updateCurrent(r));
    EXPECT_EQ(db.current()->Rules[1].Filename.size(), 20u) << "edits are cut the same way";
}

TEST(TimerTable, DeleteMakesTheNextNameCurrentOrTheLast) {
    TimerDB db = loaded({"c", "a", "b"});
    ASSERT_TRUE(db.locate("a"));
    db.deleteCurrent();
    EXPECT_EQ(currentName(db), "b");
    ASSERT_TRUE(db.locate("c"));
    db.deleteCurrent();
    EXPECT_EQ(currentName(db), "b");
    db.deleteCurrent();
    EXPECT_EQ(db.current(), nullptr);
    db.deleteCurrent(); // nothing left: no effect
    EXPECT_EQ(db.changeLog().size(), 3u);
    EXPECT_FALSE(db.locate("a"));
    EXPECT_TRUE(db.insert(named("A"))) << "a deleted name is free again";
}

TEST(ChangeLog, InsertsAreLoggedAsKindFour) {
    TimerDB db;
    ASSERT_TRUE(db.insert(named("One")));
    ASSERT_TRUE(db.insert(named("Two")));
    EXPECT_EQ(states(db), (States{4, 4}));
    EXPECT_EQ(db.changeLog(), (Log{{1, 0, 4}, {2, 0, 4}}));
}

TEST(ChangeLog, EditKeepsTheEarlierVersionAndDeleteKeepsTheRow) {
    TimerDB db = loaded({"Tea", "Eggs", "Pasta"});
    ASSERT_TRUE(db.locate("tea"));
    ASSERT_TRUE(db.updateCurrent(named("Tea", 240)));
    EXPECT_EQ(states(db), (States{1, 0, 0, 8}));
    EXPECT_EQ(db.changeLog(), (Log{{4, 1, 8}}));
    EXPECT_EQ(db.current()->StartTime, 240);

    ASSERT_TRUE(db.locate("eggs"));
    db.deleteCurrent();
    EXPECT_EQ(states(db), (States{1, 2, 0, 8}));
    EXPECT_EQ(db.changeLog(), (Log{{4, 1, 8}, {2, 0, 2}}));
    EXPECT_EQ(db.names(), (Names{"Pasta", "Tea"}));
    EXPECT_EQ(db.recordCount(), 2);

    ASSERT_TRUE(db.locate("Tea"));
    db.deleteCurrent();
    EXPECT_EQ(states(db), (States{1, 2, 0, 10}));
    EXPECT_EQ(db.changeLog().back(), (ChangeLogEntry{4, 0, 2}));
}

TEST(ChangeLog, InsertedRowEditedTwice) {
    TimerDB db;
    ASSERT_TRUE(db.insert(named("Tea", 100)));
    EXPECT_EQ(states(db), (States{4}));
    ASSERT_TRUE(db.updateCurrent(named("Tea", 200)));
    EXPECT_EQ(states(db), (States{5, 12}));
    ASSERT_TRUE(db.updateCurrent(named("Green tea", 200)));
    EXPECT_EQ(states(db), (States{5, 13, 12}));
    EXPECT_EQ(db.changeLog(), (Log{{1, 0, 4}, {2, 1, 8}, {3, 2, 8}}));
    EXPECT_EQ(db.names(), Names{"Green tea"});
    EXPECT_FALSE(db.locate("Tea")) << "the old name is gone from the index";

    db.deleteCurrent();
    EXPECT_EQ(states(db), (States{5, 13, 14}));
    EXPECT_TRUE(db.isEmpty());
}

TEST(ChangeLog, EditThatChangesNothingRecordsNothing) {
    TimerDB db = loaded({"Tea"});
    ASSERT_TRUE(db.updateCurrent(*db.current()));
    EXPECT_EQ(states(db), States{0});
    EXPECT_TRUE(db.changeLog().empty());
    // Neither does one that only differs beyond the column width.
    TimerRecord r = *db.current();
    r.TimerExpFilename = std::string(255, 'a');
    ASSERT_TRUE(db.updateCurrent(r));
    r.TimerExpFilename += "bbb";
    ASSERT_TRUE(db.updateCurrent(r));
    EXPECT_EQ(db.changeLog().size(), 1u);
}

TEST(ChangeLog, RefusedEditLeavesNoTrace) {
    TimerDB db = loaded({"Tea", "Eggs"});
    ASSERT_TRUE(db.locate("Tea"));
    EXPECT_FALSE(db.updateCurrent(named("eggs", 1)));
    EXPECT_EQ(states(db), (States{0, 0}));
    EXPECT_TRUE(db.changeLog().empty());
    EXPECT_EQ(db.current()->StartTime, 300);
    TimerDB empty;
    std::string error;
    EXPECT_FALSE(empty.updateCurrent(named("x"), &error));
    EXPECT_FALSE(error.empty());
}

// The file writer relies on this: columns the edit did not change keep being
// null, and columns the program does not know travel with the new version.
TEST(ChangeLog, EditCarriesNullsAndUnknownColumnsOfTheEarlierVersion) {
    TimerDB db;
    std::vector<FieldDef> fields = db.fields();
    FieldDef colour;
    colour.name = "Colour";
    colour.fieldType = "string";
    colour.width = 10;
    fields.push_back(colour);
    StoredRow row{named("Tea"), {}, {std::string("green")}, RowUnchanged};
    row.nulls.set(static_cast<std::size_t>(Column::TimerExpFilename));
    row.nulls.set(static_cast<std::size_t>(Column::StartTime));
    row.record.StartTime = 0;
    ASSERT_TRUE(db.assign(fields, {row}, {}, nullptr));
    EXPECT_EQ(db.extraColumnCount(), 1);

    TimerRecord r = *db.current();
    r.StartTime = 60;
    ASSERT_TRUE(db.updateCurrent(r));
    const StoredRow& fresh = db.storedRows().back();
    EXPECT_EQ(fresh.state, 8u);
    EXPECT_TRUE(fresh.nulls.test(static_cast<std::size_t>(Column::TimerExpFilename)));
    EXPECT_FALSE(fresh.nulls.test(static_cast<std::size_t>(Column::StartTime)));
    ASSERT_EQ(fresh.extra.size(), 1u);
    EXPECT_EQ(fresh.extra[0], "green");

    ASSERT_TRUE(db.insert(named("Eggs")));
    EXPECT_EQ(db.storedRows().back().extra.size(), 1u) << "an unknown column is null in a new row";
}

TEST(ChangeLog, AssignRefusesTwoCurrentRowsEqualApartFromCase) {
    TimerDB db = loaded({"Tea"});
    std::vector<StoredRow> rows = {{named("Eggs"), {}, {}, RowUnchanged},
                                   {named("EGGS"), {}, {}, RowUnchanged}};
    std::string error;
    EXPECT_FALSE(db.assign(db.fields(), rows, {}, &error));
    EXPECT_EQ(error, "Key violation.");
    EXPECT_EQ(db.names(), Names{"Tea"}) << "the table stays as it was";

    // An earlier version or a deleted row may share the name.
    rows[0].state = RowOldVersion;
    rows.push_back({named("eggs"), {}, {}, RowDeleted});
    rows[1].state = RowNewVersion;
    ASSERT_TRUE(db.assign(db.fields(), rows, {{2, 1, 8}, {3, 0, 2}}, &error));
    EXPECT_EQ(db.names(), Names{"EGGS"});
    EXPECT_EQ(currentName(db), "EGGS");
}

TEST(ChangeLog, MergeKeepsTheCurrentRowsAndClearsStatesAndLog) {
    TimerDB db = loaded({"Tea", "Eggs", "Pasta", "Rice"});
    ASSERT_TRUE(db.locate("Eggs"));
    ASSERT_TRUE(db.updateCurrent(named("Eggs", 420)));
    ASSERT_TRUE(db.locate("Pasta"));
    db.deleteCurrent();
    ASSERT_TRUE(db.insert(named("Beans", 90)));
    ASSERT_TRUE(db.updateCurrent(named("beans", 95)));
    ASSERT_TRUE(db.locate("Rice"));

    std::vector<TimerRecord> before;
    for (const TimerRecord* r : db.records())
        before.push_back(*r);
    db.mergeChangeLog();
    std::vector<TimerRecord> after;
    for (const TimerRecord* r : db.records())
        after.push_back(*r);

    EXPECT_EQ(after, before);
    EXPECT_EQ(states(db), (States{0, 0, 0, 0}));
    EXPECT_EQ(db.storedRows().size(), 4u);
    EXPECT_TRUE(db.changeLog().empty());
    EXPECT_EQ(currentName(db), "Rice") << "the current row survives the merge";
    EXPECT_EQ(db.names(), (Names{"beans", "Eggs", "Rice", "Tea"}));

    // Row numbers of later changes count from the merged table.
    ASSERT_TRUE(db.insert(named("Soup")));
    EXPECT_EQ(db.changeLog(), (Log{{5, 0, 4}}));
}

// Random sequences of inserts, edits and deletes against a plain model: the
// current rows, the states and the log must agree with it at every step.
TEST(ChangeLog, RandomSequencesAgreeWithAModel) {
    std::mt19937 rng(20261209);
    const Names pool = {"Tea", "tea", "Eggs", "EGGS", "Äpfel", "äpfel", "Rice", "Soup"};
    for (int round = 0; round < 50; ++round) {
        TimerDB db = loaded({"Tea", "Rice"});
        std::map<std::string, TimerRecord> model = {{"rice", named("Rice")}, {"tea", named("Tea")}};
        for (int op = 0; op < 40; ++op) {
            const std::string name = pool[rng() % pool.size()];
            const std::string key = foldCase(name);
            const std::size_t logBefore = db.changeLog().size();
            const std::size_t rowsBefore = db.storedRows().size();
            switch (rng() % 3) {
            case 0: {
                const bool ok = db.insert(named(name, static_cast<std::int32_t>(rng() % 5)));
                ASSERT_EQ(ok, !model.contains(key));
                if (ok) {
                    model[key] = *db.current();
                    ASSERT_EQ(db.changeLog().back(),
                              (ChangeLogEntry{static_cast<std::uint32_t>(rowsBefore + 1), 0, 4}));
                }
                break;
            }
            case 1: {
                if (model.empty() || !db.locate(name))
                    break;
                std::size_t oldRow = 0;
                while (&db.storedRows()[oldRow].record != db.current())
                    ++oldRow;
                TimerRecord r = *db.current();
                r.StartTime = static_cast<std::int32_t>(rng() % 3);
                const bool same = r == *db.current();
                ASSERT_TRUE(db.updateCurrent(r));
                model[key] = r;
                if (same) {
                    ASSERT_EQ(db.changeLog().size(), logBefore);
                } else {
                    ASSERT_EQ(db.changeLog().back(),
                              (ChangeLogEntry{static_cast<std::uint32_t>(rowsBefore + 1),
                                              static_cast<std::uint32_t>(oldRow + 1), 8}));
                    ASSERT_NE(db.storedRows()[oldRow].state & RowOldVersion, 0u);
                }
                break;
            }
            default:
                if (!db.locate(name))
                    break;
                db.deleteCurrent();
                model.erase(key);
                ASSERT_EQ(db.changeLog().back().kind, 2u);
                ASSERT_EQ(db.storedRows()[db.changeLog().back().row - 1].state & RowDeleted, 2u);
                break;
            }
            std::vector<TimerRecord> current;
            for (const StoredRow& row : db.storedRows())
                if ((row.state & 3) == 0)
                    current.push_back(row.record);
            ASSERT_EQ(current.size(), model.size());
            ASSERT_EQ(db.recordCount(), static_cast<int>(model.size()));
            std::vector<TimerRecord> walked;
            for (const TimerRecord* r : db.records())
                walked.push_back(*r);
            std::vector<TimerRecord> expected;
            for (const auto& [k, r] : model)
                expected.push_back(r);
            ASSERT_EQ(walked, expected) << "round " << round << " op " << op;
        }
        db.mergeChangeLog();
        std::vector<TimerRecord> merged;
        for (const StoredRow& row : db.storedRows()) {
            ASSERT_EQ(row.state, 0u);
            merged.push_back(row.record);
        }
        ASSERT_EQ(merged.size(), model.size());
        ASSERT_TRUE(db.changeLog().empty());
    }
}

} // namespace
