"""Sound effects, synthesised: interface, dialogue, footsteps, jumps, hits,
each weapon's cast, fire and impact, shields, heals, summons and the laser."""
import numpy as np

from audio import (PEAK_SFX, RATE, band_noise, env_adsr, env_exp, fade_edges, lowpass, midi, normalise, osc,
                   reverb, rng, save_ogg, t_axis)

SFX = "Assets/Audio/SFX/"


def n_of(sec):
    return int(round(sec * RATE))


def tone(kind, f, sec, decay, glide_to=None):
    n = n_of(sec)
    freq = f if glide_to is None else np.geomspace(f, glide_to, n)
    return osc(kind, freq, n) * env_exp(n, decay)


def noise_burst(sec, lo, hi, decay, name, attack=0.002):
    n = n_of(sec)
    e = env_exp(n, decay)
    a = n_of(attack)
    if a:
        e[:a] *= np.linspace(0, 1, a)
    return band_noise(n, lo, hi, rng(name)) * e


def mixdown(*parts):
    n = max(len(p) for p in parts)
    out = np.zeros(n)
    for p in parts:
        out[:len(p)] += p
    return out


def at(x, sec, total=None):
    pad = np.zeros(n_of(sec))
    y = np.concatenate([pad, x])
    if total:
        y = np.concatenate([y, np.zeros(max(0, n_of(total) - len(y)))])
    return y


def swoosh(sec, lo, hi, name, rise=0.4):
    n = n_of(sec)
    x = band_noise(n, lo, hi, rng(name))
    t = np.linspace(0, 1, n)
    e = np.where(t < rise, t / rise, (1 - t) / (1 - rise)) ** 2
    return x * e


def sparkle_arp(notes, step, decay, kind="sine"):
    parts = [at(tone(kind, midi(m), decay * 4, decay), i * step) for i, m in enumerate(notes)]
    return mixdown(*parts)


def make_all():
    s = {}
    # interface
    s["UI_Move"] = tone("tri", midi(84), 0.08, 0.02) * 0.8
    s["UI_Click"] = mixdown(tone("square", midi(72), 0.12, 0.03, glide_to=midi(84)) * 0.4,
                            noise_burst(0.03, 2000, 8000, 0.005, "click") * 0.3)
    s["Dialogue_Play"] = tone("square", midi(79), 0.045, 0.015) * 0.5
    s["Swap"] = mixdown(swoosh(0.35, 800, 5000, "swap"), sparkle_arp([76, 81, 88], 0.05, 0.05) * 0.5)
    s["NoMana"] = mixdown(tone("square", midi(50), 0.25, 0.08) * 0.5, at(tone("square", midi(47), 0.25, 0.08) * 0.5, 0.09))
    # movement
    for i, (lo, hi) in enumerate(((150, 1500), (180, 1800), (120, 1300))):
        s["Footstep%d" % (i + 1)] = mixdown(noise_burst(0.09, lo, hi, 0.02, "step%d" % i),
                                            tone("sine", 90 + 10 * i, 0.08, 0.02) * 0.5)
    for i in range(2):
        s["FootstepMetal%d" % (i + 1)] = mixdown(noise_burst(0.12, 1500, 7000, 0.02, "mstep%d" % i) * 0.6,
                                                 tone("sine", 520 + 90 * i, 0.15, 0.03) * 0.4,
                                                 tone("sine", 1230 + 70 * i, 0.1, 0.02) * 0.2)
    s["Jump"] = mixdown(swoosh(0.2, 300, 2500, "jump", 0.3) * 0.7, tone("sine", 200, 0.15, 0.05, glide_to=420) * 0.4)
    s["Land"] = mixdown(noise_burst(0.15, 60, 900, 0.04, "land"), tone("sine", 70, 0.15, 0.05) * 0.7)
    # hits
    s["Hit1"] = mixdown(noise_burst(0.18, 200, 3000, 0.04, "hit1"), tone("sine", 140, 0.15, 0.05, glide_to=60))
    s["Hit2"] = mixdown(noise_burst(0.2, 300, 4000, 0.05, "hit2"), tone("sine", 180, 0.15, 0.04, glide_to=70))
    s["MetalHit1"] = mixdown(noise_burst(0.2, 2000, 9000, 0.03, "mhit1") * 0.6,
                             tone("sine", 880, 0.4, 0.12) * 0.3, tone("sine", 1397, 0.3, 0.08) * 0.3)
    s["MetalHit2"] = mixdown(noise_burst(0.2, 1800, 9000, 0.03, "mhit2") * 0.6,
                             tone("sine", 760, 0.4, 0.12) * 0.3, tone("sine", 1210, 0.3, 0.08) * 0.3)
    # thief
    s["ThiefSlash"] = swoosh(0.22, 1500, 9000, "tslash", 0.25)
    s["ThiefDash"] = mixdown(swoosh(0.4, 400, 6000, "tdash", 0.2), tone("sine", 300, 0.3, 0.1, glide_to=900) * 0.2)
    s["ThiefKnivesThrow"] = mixdown(swoosh(0.15, 2000, 9000, "tk1", 0.3), at(swoosh(0.15, 2200, 9000, "tk2", 0.3), 0.08),
                                    at(swoosh(0.15, 2400, 9000, "tk3", 0.3), 0.16))
    s["KnifeImpact"] = mixdown(noise_burst(0.08, 2500, 9000, 0.01, "kimp"), tone("sine", 1800, 0.12, 0.03) * 0.4)
    s["ThiefWhirl"] = mixdown(*[at(swoosh(0.18, 1200 + 300 * k, 8000, "tw%d" % k, 0.4), 0.09 * k) for k in range(5)])
    # mage
    s["MageCast"] = sparkle_arp([72, 79, 84], 0.04, 0.08)
    s["MageBoltFire"] = mixdown(tone("sine", 400, 0.3, 0.12, glide_to=1200) * 0.6, swoosh(0.25, 2000, 8000, "mbf") * 0.4)
    s["MageImpact"] = mixdown(noise_burst(0.3, 800, 6000, 0.08, "mimp") * 0.6, tone("sine", 600, 0.3, 0.1, glide_to=200) * 0.6)
    s["MageShield"] = mixdown(sparkle_arp([67, 71, 74, 79, 83], 0.05, 0.15), tone("tri", midi(55), 0.8, 0.3) * 0.4)
    zap = band_noise(n_of(0.5), 1000, 9000, rng("zap")) * env_exp(n_of(0.5), 0.15)
    zap *= (np.sin(np.arange(len(zap)) / RATE * 2 * np.pi * 60) > 0) * 0.7 + 0.3  # crackle
    s["MageZap"] = mixdown(zap, tone("square", 110, 0.4, 0.15) * 0.3)
    s["MageFreeze"] = mixdown(sparkle_arp([88, 91, 95, 100, 96], 0.04, 0.12),
                              noise_burst(0.7, 3000, 12000, 0.25, "frz", attack=0.1) * 0.4)
    s["Heal"] = sparkle_arp([60, 64, 67, 72, 76, 79], 0.06, 0.2, "tri")
    s["ShieldBreak"] = mixdown(noise_burst(0.4, 1500, 9000, 0.1, "sbrk"), sparkle_arp([84, 80, 77, 72], 0.04, 0.08) * 0.5)
    # enemies
    s["ClubSwing"] = swoosh(0.3, 200, 2500, "club", 0.35)
    s["SlingThrow"] = mixdown(swoosh(0.2, 600, 5000, "sling", 0.6), tone("sine", 300, 0.1, 0.03) * 0.3)
    s["AndroidBlade"] = mixdown(swoosh(0.2, 2000, 10000, "ablade", 0.3), tone("saw", 220, 0.25, 0.08, glide_to=660) * 0.25)
    s["AndroidDash"] = mixdown(tone("saw", 110, 0.4, 0.2, glide_to=330) * 0.4, swoosh(0.4, 500, 6000, "adash", 0.2))
    # bosses
    s["BossOrbCast"] = mixdown(tone("saw", 110, 0.6, 0.3, glide_to=220) * 0.35, tone("sine", 55, 0.6, 0.3) * 0.5)
    s["BossOrbImpact"] = mixdown(noise_burst(0.6, 60, 3000, 0.15, "boimp"), tone("sine", 90, 0.5, 0.2, glide_to=40))
    s["BossDash"] = mixdown(swoosh(0.5, 150, 4000, "bdash", 0.3), tone("saw", 80, 0.5, 0.2, glide_to=160) * 0.3)
    s["BossShield"] = mixdown(tone("tri", midi(43), 1.0, 0.4) * 0.5, sparkle_arp([55, 58, 62, 67], 0.08, 0.2) * 0.6)
    s["BossHeal"] = sparkle_arp([48, 55, 60, 63, 67], 0.08, 0.25, "tri")
    summon = mixdown(tone("saw", 55, 1.2, 0.6, glide_to=110) * 0.4, noise_burst(1.2, 100, 1500, 0.5, "summ", 0.3) * 0.5)
    s["Summon"] = summon
    n = n_of(0.8)
    s["LaserCharge"] = osc("saw", np.geomspace(100, 800, n), n) * np.linspace(0.1, 1, n) ** 2 * 0.5
    n = n_of(1.2)
    s["LaserFire"] = mixdown(osc("saw", 160 + 20 * np.sin(np.arange(n) / RATE * 2 * np.pi * 30), n) * env_adsr(n, 0.01, 0.1, 0.7, 0.4) * 0.5,
                             band_noise(n, 500, 6000, rng("laser")) * env_adsr(n, 0.01, 0.1, 0.5, 0.4) * 0.4)
    s["PortalOpen"] = mixdown(sparkle_arp([60, 67, 72, 79, 84], 0.07, 0.3), tone("sine", 110, 1.0, 0.5) * 0.3)
    return s


def generate():
    for name, x in make_all().items():
        x = np.concatenate([x, np.zeros(n_of(0.45))])  # room for the reverb tail
        x = fade_edges(reverb(x, 0.4, 0.12, seed=name), 2)
        save_ogg(SFX + name + ".ogg", normalise(x, PEAK_SFX), quality=3)
