// The calculation sheet: seeding, the edit cycle with its hooks, the cursor, and the view switch that
// keeps the grid quiet during walks.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "calc/catalog.h"
#include "calc/sheet.h"

namespace {

using calc::DsMaterial;
using calc::Field;
using calc::MaterialCatalog;

class RecordingObserver : public calc::SheetObserver {
  public:
    void RowChanged(int row) override { events.push_back("row " + std::to_string(row)); }
    void AllRowsChanged() override { events.push_back("all"); }
    void CurrentRowChanged(int row) override { events.push_back("current " + std::to_string(row)); }
    int Count(const std::string& what) const {
        int n = 0;
        for (const auto& e : events)
            n += e == what;
        return n;
    }
    std::vector<std::string> events;
};

class Sheet : public ::testing::Test {
  protected:
    Sheet() {
        ds.SeedSheet();
        ds.BeforeEdit = [this](DsMaterial& s) { log.push_back("BeforeEdit " + std::to_string(s.RecNo())); };
        ds.BeforePost = [this](DsMaterial& s) {
            log.push_back("BeforePost " + std::to_string(s.RecNo()));
            if (s.GetState() != DsMaterial::State::Edit)
                log.push_back("BeforePost outside edit");
        };
        ds.AfterPost = [this](DsMaterial& s) {
            log.push_back("AfterPost " + std::to_string(s.RecNo()));
            if (s.GetState() != DsMaterial::State::Browse)
                log.push_back("AfterPost still in edit");
        };
    }
    DsMaterial ds;
    std::vector<std::string> log;
};

TEST_F(Sheet, SeedingGivesOneRowPerMaterialWithOnlyNameSizeAndId) {
    ASSERT_EQ(ds.RecordCount(), 18);
    for (int i = 0; i < ds.RecordCount(); ++i) {
        const calc::SheetRow& row = ds.Row(i);
        const calc::MaterialRecord& m = MaterialCatalog[static_cast<std::size_t>(i)];
        EXPECT_EQ(row.Name, m.name);
        EXPECT_EQ(row.Size, m.sizeText);
        EXPECT_EQ(row.Id, m.id);
        EXPECT_FALSE(row.AmountS || row.AmountN || row.PriceS || row.PriceN || row.Summa || row.Weight)
            << "row " << i;
    }
    EXPECT_TRUE(log.empty()) << "seeding ran a hook";
}

TEST_F(Sheet, EditAndPostRunTheHooksInOrderAndStoreTheRow) {
    ds.MoveTo(3);
    ds.Edit();
    ds.SetFloat(Field::PriceS, 12.5);
    EXPECT_FALSE(ds.Row(3).PriceS) << "the stored row changed before the post";
    EXPECT_EQ(ds.CurrentBuffer().PriceS, 12.5);
    ds.Post();
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeEdit 3", "BeforePost 3", "AfterPost 3"}));
    EXPECT_EQ(ds.Row(3).PriceS, 12.5);
    EXPECT_EQ(ds.GetState(), DsMaterial::State::Browse);
}

TEST_F(Sheet, WhatTheBeforePostHookWritesIsStored) {
    ds.BeforePost = [](DsMaterial& s) { s.SetFloat(Field::Summa, 99); };
    ds.MoveTo(0);
    ds.Edit();
    ds.SetFloat(Field::PriceS, 1);
    ds.Post();
    EXPECT_EQ(ds.Row(0).Summa, 99.0);
}

TEST_F(Sheet, PostInBrowseDoesNothing) {
    RecordingObserver observer;
    ds.AddObserver(&observer);
    ds.Post();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(observer.events.empty());
}

TEST_F(Sheet, EditOfARowAlreadyInEditKeepsItsChanges) {
    ds.MoveTo(2);
    ds.Edit();
    ds.SetFloat(Field::PriceN, 5);
    ds.Edit();
    EXPECT_EQ(ds.CurrentBuffer().PriceN, 5.0);
    EXPECT_EQ(log, std::vector<std::string>{"BeforeEdit 2"});
}

TEST_F(Sheet, CancelDropsTheChanges) {
    ds.MoveTo(5);
    ds.Edit();
    ds.SetFloat(Field::PriceN, 5);
    ds.Cancel();
    EXPECT_FALSE(ds.Row(5).PriceN);
    EXPECT_EQ(ds.GetState(), DsMaterial::State::Browse);
    EXPECT_EQ(log, std::vector<std::string>{"BeforeEdit 5"});
}

TEST_F(Sheet, FieldsCannotBeWrittenOutsideAnEdit) {
    ds.MoveTo(0);
    EXPECT_THROW(ds.SetFloat(Field::PriceS, 1), std::logic_error);
    EXPECT_THROW(ds.SetEmpty(Field::PriceS), std::logic_error);
    EXPECT_FALSE(ds.Row(0).PriceS);
}

TEST_F(Sheet, EmptyNumbersReadAsZeroAndWritingEmptyClears) {
    ds.MoveTo(1);
    EXPECT_TRUE(ds.IsNull(Field::AmountS));
    EXPECT_EQ(ds.AsFloat(Field::AmountS), 0.0);
    EXPECT_EQ(ds.AsText(Field::AmountS), "");
    ds.Edit();
    ds.SetFloat(Field::AmountS, 0);
    ds.Post();
    EXPECT_EQ(ds.Row(1).AmountS, 0.0) << "0 is a number, not an empty field";
    ds.Edit();
    ds.SetEmpty(Field::AmountS);
    ds.Post();
    EXPECT_FALSE(ds.Row(1).AmountS);
}

TEST_F(Sheet, WalkEndsAfterTheLastRowAndLeavesItCurrent) {
    int visited = 0;
    for (ds.First(); !ds.Eof(); ds.Next())
        EXPECT_EQ(ds.RecNo(), visited++);
    EXPECT_EQ(visited, 18);
    EXPECT_EQ(ds.RecNo(), 17);
}

TEST(EmptySheet, IsAtItsEndAtOnce) {
    DsMaterial ds;
    ds.First();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.RecNo(), -1);
    EXPECT_THROW(ds.Edit(), std::logic_error);
}

// Every move of the cursor completes an open edit: a changed row is posted, an unchanged one cancelled.
struct MoveCase {
    const char* name;
    std::function<void(DsMaterial&)> move;
};
void PrintTo(const MoveCase& c, std::ostream* os) {
    *os << c.name;
}

class CursorMove : public Sheet, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(CursorMove, PostsAChangedRow) {
    ds.MoveTo(4);
    ds.Edit();
    ds.SetFloat(Field::PriceS, 7);
    GetParam().move(ds);
    EXPECT_EQ(ds.Row(4).PriceS, 7.0);
    EXPECT_EQ(ds.GetState(), DsMaterial::State::Browse);
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeEdit 4", "BeforePost 4", "AfterPost 4"}));
}

TEST_P(CursorMove, CancelsAnUnchangedRow) {
    ds.MoveTo(4);
    ds.Edit();
    GetParam().move(ds);
    EXPECT_EQ(ds.GetState(), DsMaterial::State::Browse);
    EXPECT_EQ(log, std::vector<std::string>{"BeforeEdit 4"});
}

INSTANTIATE_TEST_SUITE_P(
    Sheet, CursorMove,
    ::testing::Values(MoveCase{"First", [](DsMaterial& d) { d.First(); }},
                      MoveCase{"Next", [](DsMaterial& d) { d.Next(); }},
                      MoveCase{"MoveTo", [](DsMaterial& d) { d.MoveTo(9); }},
                      MoveCase{"LocateMaterialRow",
                               [](DsMaterial& d) { d.LocateMaterialRow(&MaterialCatalog[0]); }},
                      MoveCase{"GotoBookmark", [](DsMaterial& d) { d.GotoBookmark(11); }},
                      MoveCase{"CheckBrowseMode", [](DsMaterial& d) { d.CheckBrowseMode(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Sheet, LocateMaterialRowFindsTheRowById) {
    for (const calc::MaterialRecord& m : MaterialCatalog) {
        ds.MoveTo(0);
        ASSERT_TRUE(ds.LocateMaterialRow(&m));
        EXPECT_EQ(ds.RecNo(), m.id - 1);
        EXPECT_EQ(ds.AsFloat(Field::Id), m.id);
    }
}

TEST_F(Sheet, LocateMaterialRowWithoutAMatchLeavesTheCursor) {
    ds.MoveTo(6);
    EXPECT_FALSE(ds.LocateMaterialRow(nullptr));
    EXPECT_EQ(ds.RecNo(), 6);
    calc::MaterialRecord unknown = MaterialCatalog[0];
    unknown.id = 99;
    EXPECT_FALSE(ds.LocateMaterialRow(&unknown));
    EXPECT_EQ(ds.RecNo(), 6);
}

TEST_F(Sheet, BookmarkBringsTheCursorBack) {
    ds.MoveTo(8);
    const auto mark = ds.GetBookmark();
    for (ds.First(); !ds.Eof(); ds.Next()) {
    }
    ds.GotoBookmark(mark);
    ds.FreeBookmark(mark);
    EXPECT_EQ(ds.RecNo(), 8);
    EXPECT_FALSE(ds.Eof());
}

TEST_F(Sheet, ObserversHearPostsAndMovesWhileTheViewIsOn) {
    RecordingObserver observer;
    ds.AddObserver(&observer);
    ds.MoveTo(2);
    ds.Edit();
    ds.SetFloat(Field::PriceN, 3);
    ds.Post();
    EXPECT_EQ(observer.events, (std::vector<std::string>{"current 2", "row 2"}));
    ds.RemoveObserver(&observer);
    ds.MoveTo(3);
    EXPECT_EQ(observer.events.size(), 2u);
}

TEST_F(Sheet, ViewOffSilencesObserversUntilOneRedrawWhenBackOn) {
    RecordingObserver observer;
    ds.AddObserver(&observer);
    ds.SetViewEnabled(false);
    for (ds.First(); !ds.Eof(); ds.Next()) {
        ds.Edit();
        ds.SetFloat(Field::Weight, 1);
        ds.Post();
    }
    EXPECT_TRUE(observer.events.empty());
    ds.SetViewEnabled(true);
    EXPECT_EQ(observer.Count("all"), 1);
    EXPECT_EQ(observer.Count("row 0"), 0);
    ds.SetViewEnabled(true); // already on: nothing to redraw
    EXPECT_EQ(observer.Count("all"), 1);
}

TEST_F(Sheet, NestedSuspensionsKeepTheViewOffUntilTheOuterEnds) {
    RecordingObserver observer;
    ds.AddObserver(&observer);
    {
        calc::ViewSuspension outer(ds);
        {
            calc::ViewSuspension inner(ds);
            EXPECT_FALSE(inner.WasEnabled());
        }
        EXPECT_FALSE(ds.ViewEnabled());
        ds.MoveTo(1);
    }
    EXPECT_TRUE(ds.ViewEnabled());
    EXPECT_EQ(observer.Count("all"), 1);
}

TEST_F(Sheet, SuspensionStartedWithTheViewOffLeavesItOff) {
    ds.SetViewEnabled(false);
    { calc::ViewSuspension walk(ds); }
    EXPECT_FALSE(ds.ViewEnabled());
}

TEST_F(Sheet, SuspensionGivesTheViewBackWhenTheWalkThrows) {
    try {
        calc::ViewSuspension walk(ds);
        throw std::runtime_error("walk failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(ds.ViewEnabled());
}

} // namespace
