// The cast voice lines of the heroes and the boss, chosen by coins.
#include <string>

#include "audio/AudioManager.h"
#include "combat/CombatUnit.h"
#include "combat/EmitterCalls.h"
#include "combat/Weapon.h"
#include "gameobjectengine/GameObject.h"
#include "gameobjectengine/GameRandom.h"
#include "gameobjectengine/HeroNames.h"

namespace Combat {

namespace {

const std::string kVa = "Assets/Audio/VA/";

void Say(const char* file, float volume) { AudioManager::GetInstance().PlaySound(kVa + file, 1, false, -1, volume); }

bool Even() { return GameRandom::Next() % 2 == 0; }
bool OneIn(int n) { return GameRandom::Next() % n == 0; }
// A coin between two lines: even the first, odd the second.
void SayEither(const char* even, const char* odd, float volume) { Say(Even() ? even : odd, volume); }

void ThiefLine(const std::string& weapon, CombatUnit& caster) {
    if (weapon == "ThiefAutoAttack") {
        Emitters::AddThiefSlash(caster);
        if (!Even()) return;
        if (!Even()) return Say("Thief_Attack.ogg", 0.4f);
        return SayEither("Thief_Attack2.ogg", "Thief_Laugh.ogg", 0.4f);
    }
    if (weapon == "ThiefDash") return SayEither("Thief_Dash2.ogg", "Thief_Dash.ogg", 0.5f);
    if (weapon == "ThiefKnives") return SayEither("Thief_Dagger2.ogg", "Thief_Dagger.ogg", 0.5f);
    if (weapon == "ThiefRadialAoE") return SayEither("Thief_AOE2.ogg", "Thief_AOE.ogg", 0.6f);
}

void MageLine(const std::string& weapon) {
    if (weapon == "MageAutoAttack") {
        if (!Even()) return;
        if (!Even()) return Say("Mage_Attack.ogg", 0.4f);
        if (!Even()) return Say("Mage_Attack2.ogg", 0.4f);
        if (!Even()) return Say("Mage_Sigh.ogg", 0.4f);
        return SayEither("Mage_Annoyed.ogg", "Mage_Sigh2.ogg", 0.4f);
    }
    if (weapon == "MageShield") {
        if (!Even()) return Say("Mage_Shield.ogg", 0.5f);
        if (OneIn(5)) return Say("Mage_Sigh2.ogg", 0.4f);
        return Say("Mage_Shield2.ogg", 0.5f);
    }
    if (weapon == "MageZap") return SayEither("Mage_Zap2.ogg", "Mage_Zap.ogg", 0.5f);
    if (weapon == "MageFreeze") return SayEither("Mage_Ice2.ogg", "Mage_Ice.ogg", 0.5f);
}

void BossLine(const std::string& weapon) {
    if (weapon == "FinalBoss_Autoattack") {
        if (Even()) Say("Boss_Attack.ogg", 0.4f);
        return;
    }
    if (weapon == "FinalBoss_1_Orb") {
        if (!Even()) return Say("Boss_Laugh.ogg", 0.5f);
        return SayEither("Boss_Sarcastic.ogg", "Boss_Laugh3.ogg", 0.5f);
    }
    struct RareFirst {
        const char* weapon;
        const char* rare;
        const char* even;
        const char* odd;
        float volume;
    };
    static const RareFirst kRows[] = {
        {"FinalBoss_2_Dash", "Boss_Thereyouare.ogg", "Boss_Dash2.ogg", "Boss_Dash.ogg", 0.5f},
        {"FinalBoss_3_Shield", "Boss_Laugh4.ogg", "Boss_Shield2.ogg", "Boss_Shield.ogg", 0.5f},
        {"FinalBoss_4_Recovery", "Boss_Laugh3.ogg", "Boss_Heal2.ogg", "Boss_Heal.ogg", 0.5f},
        {"FinalBoss_5_Summon", "Boss_Laugh5.ogg", "Boss_Summon2.ogg", "Boss_Summon.ogg", 0.6f},
    };
    for (const RareFirst& row : kRows) {
        if (weapon != row.weapon) continue;
        if (weapon == "FinalBoss_5_Summon" && OneIn(20)) return Say("Boss_SummonRare.ogg", row.volume);
        if (OneIn(5)) return Say(row.rare, row.volume);
        return SayEither(row.even, row.odd, row.volume);
    }
}

}  // namespace

void WeaponBasic::PlayCastFeedback(CombatUnit& caster) {
    if (!caster.owner) return;
    const std::string& who = caster.owner->name;
    if (who == Heroes::kThief) return ThiefLine(name, caster);
    if (who == Heroes::kMage) return MageLine(name);
    if (who == "Boss") return BossLine(name);
    if (who == "EnemyLaser" && name == "EnemyLaser") Emitters::StartLaser(caster);
}

}  // namespace Combat
