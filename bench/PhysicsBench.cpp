// Time per physics step with n moving bodies and n static colliders, and one long
// navigation search across the whole grid.
#include <benchmark/benchmark.h>

#include "combat/CombatUnit.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Transform.h"
#include "physics/BoxCollider.h"
#include "physics/CircleCollider.h"
#include "physics/NavMeshAgent.h"
#include "physics/PhysicsManager.h"
#include "physics/Rigidbody.h"
#include "scenemanager/SceneManager.h"

namespace {

GameObject* Place(const std::string& name, float x, float y) {
    GameObject* o = SceneManager::GetInstance().CreateGameObject(name);
    Transform* t = o->AddComponent<Transform>();
    t->x = x;
    t->y = y;
    return o;
}

void Clean() {
    SceneManager::GetInstance().DestroyAll();
    JobManager::GetInstance().Clear();
    PhysicsManager::GetInstance().Reset();
}

// n circle bodies (each with its own collider) in rows of 50, each row standing on one
// continuous static floor: n bodies and n + n/50 colliders (the table holds 1024 objects).
void BuildWorld(int n) {
    Clean();
    const int rows = (n + 49) / 50;
    for (int row = 0; row < rows; ++row) {
        auto* floor = Place("Floor", 2000.0f, 260.0f + static_cast<float>(row) * 150.0f)->AddComponent<BoxCollider>();
        floor->SetSize(2000.0f, 10.0f);
        floor->isStatic = true;
    }
    for (int i = 0; i < n; ++i) {
        GameObject* ball = Place("Ball", 40.0f + static_cast<float>(i % 50) * 80.0f, 200.0f + static_cast<float>(i / 50) * 150.0f);
        if (!ball) break;
        ball->AddComponent<CircleCollider>()->radius = 20.0f;
        ball->AddComponent<Rigidbody>();
    }
    JobManager::GetInstance().RunJobs(JobKind::Frame);  // the Starts
}

void BM_PhysicsStep(benchmark::State& state) {
    BuildWorld(static_cast<int>(state.range(0)));
    PhysicsManager& world = PhysicsManager::GetInstance();
    for (auto _ : state) world.StepWith(1.0f / 60.0f);
    state.counters["bodies"] = static_cast<double>(world.rigidbodies.Count());
    state.counters["colliders"] = static_cast<double>(world.colliders.Count());
    Clean();
}
BENCHMARK(BM_PhysicsStep)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_LongNavigationSearch(benchmark::State& state) {
    Clean();
    GameObject* o = Place("Enemy", 10.0f, 1300.0f);
    auto* unit = o->AddComponent<Combat::CombatUnit>();
    auto* agent = o->AddComponent<NavMeshAgent>();
    JobManager::GetInstance().RunJobs(JobKind::Frame);
    (void)unit;
    for (auto _ : state) {
        agent->FindPath(7990, -100);
        benchmark::DoNotOptimize(agent->path.size());
    }
    state.counters["pathCells"] = static_cast<double>(agent->path.size());
    state.counters["closed"] = static_cast<double>(agent->closedList.size());
    Clean();
}
BENCHMARK(BM_LongNavigationSearch)->Unit(benchmark::kMicrosecond);

}  // namespace
