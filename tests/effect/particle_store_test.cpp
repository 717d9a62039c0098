#include <gtest/gtest.h>

#include <vector>

#include "effect/particle_store.h"

namespace {

Particle particleAt(float x) { return Particle{x, 0, 0, 0}; }

std::vector<float> walkXs(ParticleStore& store) {
    std::vector<float> xs;
    for (auto p = store.front(); p != ParticleStore::end(); p = ParticleStore::next(p)) {
        xs.push_back(ParticleStore::particle(p).x);
    }
    return xs;
}

TEST(ParticleStore, NewestFirstWithPositionalAccess) {
    ParticleStore store;
    EXPECT_EQ(store.count(), 0u);
    EXPECT_EQ(store.front(), ParticleStore::end());
    for (float x : {1.0f, 2.0f, 3.0f}) {
        ASSERT_TRUE(store.addFront(particleAt(x)));
    }
    EXPECT_EQ(walkXs(store), (std::vector<float>{3, 2, 1}));
    EXPECT_EQ(store.at(0).x, 3);
    EXPECT_EQ(store.at(2).x, 1);
    EXPECT_EQ(store.count(), 3u);
    store.clear();
}

TEST(ParticleStore, RemovalDuringAWalkKeepsTheWalkGoing) {
    ParticleStore store;
    for (float x : {1.0f, 2.0f, 3.0f}) {
        store.addFront(particleAt(x));
    }
    auto middle = ParticleStore::next(store.front());
    auto after = store.removeAt(middle);
    ASSERT_NE(after, ParticleStore::end());
    EXPECT_EQ(ParticleStore::particle(after).x, 1);
    EXPECT_EQ(store.removeAt(after), ParticleStore::end());  // the last one
    EXPECT_EQ(walkXs(store), (std::vector<float>{3}));
    EXPECT_EQ(store.removeAt(store.front()), ParticleStore::end());  // the only one
    EXPECT_EQ(store.count(), 0u);
    EXPECT_EQ(store.front(), ParticleStore::end());
    store.addFront(particleAt(4));  // an emptied store links anew
    EXPECT_EQ(walkXs(store), (std::vector<float>{4}));
    store.clear();
}

TEST(ParticleStore, AddingAtTheFrontDoesNotDisturbAWalk) {
    ParticleStore store;
    store.addFront(particleAt(1));
    store.addFront(particleAt(2));
    std::vector<float> visited;
    for (auto p = store.front(); p != ParticleStore::end(); p = ParticleStore::next(p)) {
        visited.push_back(ParticleStore::particle(p).x);
        store.addFront(particleAt(9));
    }
    EXPECT_EQ(visited, (std::vector<float>{2, 1}));
    EXPECT_EQ(store.count(), 4u);
    store.clear();
    EXPECT_EQ(store.count(), 0u);
}

}  // namespace
