// Time per physics step, the real step and the all-pairs reference step side by side on
// the same worlds (the real step's line carries the reference's processor time and the
// speed-ups, by processor and by wall time, measured in the same run), and one long
// navigation search across the whole grid. Arg 0 is the tables full: 512 bodies on 512
// tiles.
//
//   build/release/bench/bench_PhysicsBench
//   taskset -c 0,1 build/release/bench/bench_PhysicsBench
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

#include "../tests/physics/ReferenceStep.h"

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
        floor->SetSize(2100.0f, 10.0f);  // wider than the walk takes the end balls
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

// The tables full: 512 circle bodies walking on 512 static tiles spread over a level of
// 8000 by 1500 pixels (1024 objects, the most the table holds).
void BuildFullWorld() {
    Clean();
    for (int i = 0; i < 512; ++i) {
        const float x = 125.0f + static_cast<float>(i % 32) * 250.0f, y = 150.0f + static_cast<float>(i / 32) * 90.0f;
        auto* tile = Place("Tile", x, y)->AddComponent<BoxCollider>();
        tile->SetSize(100.0f, 10.0f);
        tile->isStatic = true;
    }
    for (int i = 0; i < 512; ++i) {
        const float x = 125.0f + static_cast<float>(i % 32) * 250.0f, y = 100.0f + static_cast<float>(i / 32) * 90.0f;
        GameObject* ball = Place("Ball", x, y);
        ball->AddComponent<CircleCollider>()->radius = 20.0f;
        ball->AddComponent<Rigidbody>();
    }
    JobManager::GetInstance().RunJobs(JobKind::Frame);
}

void Build(int n) {
    if (n == 0) BuildFullWorld();
    else BuildWorld(n);
}

// Bodies walk back and forth, as units driven by controllers do.
void Walk(int frame) {
    const float speed = (frame / 60) % 2 ? 90.0f : -90.0f;
    PhysicsManager::GetInstance().rigidbodies.ForEach([&](Rigidbody* b) { b->xVelocity = speed; });
}

void ReferenceStep() {
    PhysicsManager& world = PhysicsManager::GetInstance();
    static std::vector<Rigidbody*> bodies;
    static std::vector<Collider*> colliders;
    bodies.clear();
    colliders.clear();
    world.rigidbodies.ForEach([](Rigidbody* b) { bodies.push_back(b); });
    world.colliders.ForEach([](Collider* c) { colliders.push_back(c); });
    reference::Step(bodies, colliders, 1.0f / 60.0f);
}

// Wall and thread processor time in microseconds: on a shared machine the processor
// time varies far less.
struct Micros {
    double wall = 0, cpu = 0;
    static Micros Now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        const std::chrono::duration<double, std::micro> wall = std::chrono::steady_clock::now().time_since_epoch();
        return {wall.count(), static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3};
    }
    Micros Since(const Micros& start, double steps) const {
        return {(wall - start.wall) / steps, (cpu - start.cpu) / steps};
    }
};

// Time per reference step on a freshly built world, after the same warm-up.
Micros ReferenceMicros(int n) {
    Build(n);
    for (int f = 0; f < 120; ++f) Walk(f), PhysicsManager::GetInstance().StepWith(1.0f / 60.0f);
    constexpr int kSteps = 30;
    const Micros start = Micros::Now();
    for (int f = 0; f < kSteps; ++f) Walk(120 + f), ReferenceStep();
    return Micros::Now().Since(start, kSteps);
}

// Arg: bodies in rows on floors, or 0 for the full tables.
void BM_PhysicsStep(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Micros reference = ReferenceMicros(n);
    Build(n);
    PhysicsManager& world = PhysicsManager::GetInstance();
    int frame = 0;
    for (int f = 0; f < 120; ++f) Walk(frame++), world.StepWith(1.0f / 60.0f);
    const Micros start = Micros::Now();
    for (auto _ : state) Walk(frame++), world.StepWith(1.0f / 60.0f);
    const Micros real = Micros::Now().Since(start, static_cast<double>(state.iterations()));
    state.counters["bodies"] = static_cast<double>(world.rigidbodies.Count());
    state.counters["colliders"] = static_cast<double>(world.colliders.Count());
    state.counters["cpu_us"] = real.cpu;
    state.counters["ref_cpu_us"] = reference.cpu;
    state.counters["speedup_cpu"] = reference.cpu / real.cpu;
    state.counters["speedup_wall"] = reference.wall / real.wall;
    Clean();
}
BENCHMARK(BM_PhysicsStep)->Arg(0)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_PhysicsReferenceStep(benchmark::State& state) {
    Build(static_cast<int>(state.range(0)));
    int frame = 0;
    for (int f = 0; f < 120; ++f) Walk(frame++), PhysicsManager::GetInstance().StepWith(1.0f / 60.0f);
    for (auto _ : state) Walk(frame++), ReferenceStep();
    Clean();
}
BENCHMARK(BM_PhysicsReferenceStep)->Arg(0)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

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
