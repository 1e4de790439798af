// World objects: the owning shot list and its cursor, and the planet pull on
// a free body.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/game/world_fixture.h"

namespace {

// An object that reports its own deletion.
class Probe : public Object {
public:
    Probe(int id, std::vector<int>& deleted) : Id(id), deleted_(deleted) {}
    ~Probe() override { deleted_.push_back(Id); }
    void Update() override {}
    int Id;

private:
    std::vector<int>& deleted_;
};

int IdOf(const Item* item) { return static_cast<const Probe*>(item->Data)->Id; }

class ShotListTest : public ::testing::Test {
protected:
    // Appends probes with the given ids and returns them.
    std::vector<Probe*> Fill(std::initializer_list<int> ids) {
        std::vector<Probe*> out;
        for (int id : ids) {
            out.push_back(new Probe(id, deleted));
            list.Append(out.back());
        }
        return out;
    }

    // One walk as the play frame does it, removing the ids in `remove` when
    // they are visited; returns the ids in visiting order.
    std::vector<int> Walk(std::initializer_list<int> remove = {}) {
        std::vector<int> visited;
        list.Rewind();
        list.Next();
        while (Item* item = list.Current()) {
            const int id = IdOf(item);
            visited.push_back(id);
            if (std::find(remove.begin(), remove.end(), id) != remove.end()) list.Remove(item->Data);
            list.Next();
        }
        return visited;
    }

    // The ids from head to tail, checking the back links on the way.
    std::vector<int> Contents() {
        std::vector<int> ids;
        for (Item* n = list.Head->Next; n; n = n->Next) {
            EXPECT_EQ(n->Prev->Next, n);
            ids.push_back(IdOf(n));
        }
        return ids;
    }

    std::vector<int> deleted;
    Iterator list;
};

using Ids = std::vector<int>;

TEST_F(ShotListTest, AppendKeepsOrderAndLeavesTheCursorOnTheNewNode) {
    EXPECT_EQ(list.Head->Data, nullptr);
    EXPECT_EQ(list.Current(), list.Head);
    auto p = Fill({1, 2});
    EXPECT_EQ(list.Current()->Data, p[1]);
    EXPECT_EQ(list.Head->Next->Prev, list.Head);
    // Even in the middle of a walk the cursor jumps to the new node.
    list.Rewind();
    list.Next();
    list.Append(new Probe(3, deleted));
    EXPECT_EQ(IdOf(list.Current()), 3);
    EXPECT_EQ(list.Current()->Next, nullptr);
    EXPECT_EQ(Contents(), (Ids{1, 2, 3}));
}

TEST_F(ShotListTest, WalksVisitEveryShotOnceWhateverIsRemoved) {
    struct Case {
        std::initializer_list<int> remove;
        Ids visited, left;
    };
    const Case cases[] = {
        {{}, {1, 2, 3}, {1, 2, 3}}, {{1}, {1, 2, 3}, {2, 3}},   {{2}, {1, 2, 3}, {1, 3}},
        {{3}, {1, 2, 3}, {1, 2}},   {{1, 2, 3}, {1, 2, 3}, {}},
    };
    for (const Case& c : cases) {
        list.Clear();
        deleted.clear();
        Fill({1, 2, 3});
        EXPECT_EQ(Walk(c.remove), c.visited);
        EXPECT_EQ(Contents(), c.left);
        EXPECT_EQ(deleted, Ids(c.remove));
        EXPECT_EQ(list.Current(), nullptr);
        // A stray Next after the walk has ended stays put.
        list.Next();
        EXPECT_EQ(list.Current(), nullptr);
    }
}

TEST_F(ShotListTest, RemovingLeavesTheCursorOnTheNodeBefore) {
    auto p = Fill({1, 2, 3});
    list.Remove(p[0]);
    EXPECT_EQ(list.Current(), list.Head);
    list.Remove(p[2]);
    EXPECT_EQ(IdOf(list.Current()), 2);
    EXPECT_EQ(list.Current()->Next, nullptr);
    list.Remove(p[1]);
    EXPECT_EQ(list.Current(), list.Head);
    EXPECT_EQ(list.Head->Next, nullptr);
    EXPECT_EQ(deleted, (Ids{1, 3, 2}));
}

TEST_F(ShotListTest, RemovingWhatTheListDoesNotHoldChangesNothing) {
    Fill({1, 2});
    Probe stranger(9, deleted);
    list.Remove(&stranger);
    EXPECT_EQ(IdOf(list.Current()), 2);
    // The head's empty slot is no match for a null object either.
    list.Remove(nullptr);
    EXPECT_EQ(IdOf(list.Current()), 2);
    EXPECT_EQ(Contents(), (Ids{1, 2}));
    EXPECT_TRUE(deleted.empty());
    Iterator empty;
    empty.Remove(nullptr);
    EXPECT_EQ(empty.Current(), empty.Head);
    EXPECT_EQ(empty.Head->Next, nullptr);
}

TEST_F(ShotListTest, ClearDeletesEverythingButTheHead) {
    Fill({1, 2, 3});
    list.Clear();
    EXPECT_EQ(deleted, (Ids{1, 2, 3}));
    EXPECT_EQ(list.Head->Next, nullptr);
    EXPECT_EQ(list.Current(), nullptr);
    Fill({4});
    EXPECT_EQ(Walk(), (Ids{4}));
}

TEST_F(ShotListTest, TheListDeletesWhatItStillHoldsWhenItGoes) {
    {
        Iterator owner;
        owner.Append(new Probe(7, deleted));
        owner.Append(new Probe(8, deleted));
    }
    EXPECT_EQ(deleted, (Ids{7, 8}));
}

// A free body for the planet pull.
class Body : public Object {
public:
    Body(float x, float y) {
        X = x;
        Y = y;
    }
    void Update() override {}
};

class PlanetPullTest : public WorldFixture {};

TEST_F(PlanetPullTest, EveryQuadrantPullsTowardTheCentreWithTheInverseSquare) {
    const Planet planet(60, 0.5f, 1000, 1000, nullptr, 150);
    const float offsets[][2] = {{-300, -400}, {300, -400}, {300, 400},  {-300, 400},
                                {500, 0},     {-500, 0},   {0.5f, 250}, {-120, -5}};
    for (const auto& o : offsets) {
        Body body(1000 + o[0], 1000 + o[1]);
        body.VX = 1;
        body.VY = -2;
        body.ApplyPlanetGravity(&planet);
        const double d = std::hypot(o[0], o[1]);
        const double g = 0.5 * 10000 / (d * d);
        const double dvx = body.VX - 1, dvy = body.VY + 2;
        EXPECT_NEAR(std::hypot(dvx, dvy), g, g * 1e-3) << o[0] << "," << o[1];
        // Along the line to the centre, to the table's hundredth of a degree.
        EXPECT_NEAR(dvx, -o[0] / d * g, g * 1e-3) << o[0] << "," << o[1];
        EXPECT_NEAR(dvy, -o[1] / d * g, g * 1e-3) << o[0] << "," << o[1];
    }
}

TEST_F(PlanetPullTest, ABodyOnTheCentresVerticalIsNudgedRightThenPulled) {
    const Planet planet(60, 1.0f, 1000, 1000, nullptr, 150);
    for (float dy : {-200.0f, 200.0f}) {
        Body body(1000, 1000 + dy);
        body.ApplyPlanetGravity(&planet);
        EXPECT_FLOAT_EQ(body.X, 1000.0001f);
        EXPECT_NEAR(body.VX, 0.0, 1e-5);
        EXPECT_NEAR(body.VY, -dy / 200 * 0.25, 1e-4);
    }
}

TEST_F(PlanetPullTest, ABodyAtTheVeryCentreIsLeftAlone) {
    const Planet planet(60, 1.0f, 1000, 1000, nullptr, 150);
    Body body(1000, 1000);
    body.VX = 3;
    body.VY = 4;
    body.ApplyPlanetGravity(&planet);
    EXPECT_EQ(body.X, 1000);
    EXPECT_EQ(body.VX, 3);
    EXPECT_EQ(body.VY, 4);
    // No planet at all is no pull either.
    body.ApplyPlanetGravity(nullptr);
    EXPECT_EQ(body.VX, 3);
}

}  // namespace
