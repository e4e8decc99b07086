// Data that asks for unbounded work in one frame: every count and interval that sets how
// much happens at once is clamped when read, and every frame ends.
#include "CombatFixture.h"

#include <functional>

#include "combat/DataLimits.h"
#include "combat/ObjectEffects.h"
#include "dialogue/DialogueData.h"
#include "gameobjectengine/JobManager.h"
#include "particles/ParticleEmitter.h"

namespace {

using namespace combat_test;

// The emitters' clock arithmetic, reached from outside.
struct EmissionClock : ParticleEmitter {
    using ParticleEmitter::kMaxEmissionsPerFrame;
    using ParticleEmitter::TakeEmissions;
};

std::unique_ptr<Combat::WeaponBasic> MakeWeapon(const std::string& members) {
    return Combat::BuildWeapon(ParseJson("{" + members + "}"));
}

std::string Repeated(const std::string& element, int times) {
    std::string list;
    for (int i = 0; i < times; ++i) list += (i ? ", " : "") + element;
    return list;
}

float Projectile(const std::string& members, float Combat::WeaponFieldProjectile::*field) {
    auto weapon = MakeWeapon(R"("weaponType": 2, )" + members);
    return static_cast<Combat::WeaponFieldProjectile&>(*weapon).*field;
}

}  // namespace

TEST(DataLimits, CountsAndIntervalsAreClampedWhenReadAndEveryFrameEnds) {
    using Combat::WeaponFieldProjectile;
    namespace limits = Combat::Limits;
    const std::string hit = R"({"name": "H", "effectType": 1, "resolveType": 1})";
    struct Row {
        const char* what;
        std::function<float()> read;
        float expected;
    };
    const Row rows[] = {
        {"numProjectiles far above the limit",
         [] {
             auto weapon = MakeWeapon(R"("weaponType": 2, "numProjectiles": 2000000000)");
             return static_cast<float>(static_cast<WeaponFieldProjectile&>(*weapon).numProjectiles);
         },
         static_cast<float>(limits::kMaxProjectilesPerVolley)},
        {"launchInterval 0", [] { return Projectile(R"("launchInterval": 0)", &WeaponFieldProjectile::launchInterval); },
         limits::kMinLaunchInterval},
        {"launchInterval below 0", [] { return Projectile(R"("launchInterval": -3)", &WeaponFieldProjectile::launchInterval); },
         limits::kMinLaunchInterval},
        {"the game's launchInterval stays",
         [] { return Projectile(R"("launchInterval": 0.12)", &WeaponFieldProjectile::launchInterval); }, 0.12f},
        {"tickInterval 0", [] { return Projectile(R"("tickInterval": 0)", &WeaponFieldProjectile::tickInterval); },
         limits::kMinHitInterval},
        {"the game's tickInterval stays",
         [] { return Projectile(R"("tickInterval": 0.02)", &WeaponFieldProjectile::tickInterval); }, 0.02f},
        {"a damage zone's tickRate 0",
         [] {
             auto zone = MakeEffect(R"({"effectType": 10, "tickRate": 0})");
             return static_cast<Combat::EffectDamageStatic&>(*zone).tickRate;
         },
         limits::kMinHitInterval},
        {"a weapon with 100 effects",
         [&hit] {
             auto weapon = MakeWeapon(R"("weaponType": 3, "effects": [)" + Repeated(hit, 100) + "]");
             return static_cast<float>(weapon->effects.size());
         },
         static_cast<float>(limits::kMaxEffectsPerWeapon)},
        {"a unit with 100 weapons",
         [] {
             Combat::CombatUnit unit(ParseJson(R"({"weapons": [)" + Repeated(R"({"weaponType": 3})", 100) + "]}"));
             return static_cast<float>(unit.weapons.size());
         },
         static_cast<float>(limits::kMaxWeaponsPerUnit)},
        {"a dialogue line of 100 000 characters",
         [] {
             Dialogue::DialogueData line;
             Dialogue::ReadDialogueLine(ParseJson(R"(["Thief", 0, 0, ")" + std::string(100000, 'a') + R"(", 0])"), line);
             return static_cast<float>(line.text.size());
         },
         static_cast<float>(Dialogue::DialogueData::kMaxTextCharacters)},
        {"a particle interval of 0",
         [] {
             float clock = 1.0f;
             return static_cast<float>(EmissionClock::TakeEmissions(clock, 0.0f));
         },
         static_cast<float>(EmissionClock::kMaxEmissionsPerFrame)},
        {"a particle clock too large to count down",
         [] {
             float clock = 1e30f;
             EmissionClock::TakeEmissions(clock, 0.01f);
             return clock;
         },
         0.01f},
    };
    for (const Row& row : rows) EXPECT_FLOAT_EQ(row.read(), row.expected) << row.what;

    // A job that queues itself due at once: each pass runs a bounded number and returns.
    JobManager& jobs = JobManager::GetInstance();
    jobs.Clear();
    std::size_t runs = 0;
    std::function<void()> again = [&] {
        ++runs;
        jobs.AddJob(again, JobKind::Frame, 0.0f);
    };
    jobs.AddJob(again, JobKind::Frame, 0.0f);
    jobs.RunJobs(JobKind::Frame);
    EXPECT_EQ(runs, JobManager::kMaxChainedJobsPerPass + 1);
    jobs.RunJobs(JobKind::Frame);
    EXPECT_EQ(runs, 2 * (JobManager::kMaxChainedJobsPerPass + 1));
    jobs.Clear();

    // The volley of the report: two billion projectiles, 0 s apart. Each frame ends, with
    // at most one projectile more, and the volley stops at the limit.
    CombatScene arena;
    arena.Unit("Caster", "Enemy", 300.0f,
               R"("weapons": [{"name": "W", "weaponType": 2, "colliderType": 1, "colDim1": 10, "lifetime": 100,
                               "numProjectiles": 2000000000, "launchInterval": 0}])");
    arena.Load();
    CombatUnit* caster = arena.Get("Caster");
    caster->weapons[0]->Fire(caster);
    for (int frame = 1; frame <= 200; ++frame) {
        arena.engine.Step();
        ASSERT_LE(CountNamed("W trigger"), frame + 1);
    }
    EXPECT_EQ(CountNamed("W trigger"), limits::kMaxProjectilesPerVolley);
}
