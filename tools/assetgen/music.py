"""Music, composed and synthesised here: the menu theme, the Slums and Magitek
layered loops (base, lead 1, lead 2), the boss's base / transition / next
pieces, the credits music and a silent track.

Every loop is rendered into a buffer of exactly bars x beats samples; notes
that run past the end wrap round to the start and the room effect is a
circular convolution, so each loop joins itself without a click and the
layers of one piece have identical lengths.
"""
import numpy as np

from audio import (PEAK_MUSIC, RATE, band_noise, env_adsr, env_exp, lowpass, midi, normalise, osc, reverb, rng,
                   save_ogg)

BGM = "Assets/Audio/BGM/"

# Tempo of every piece; docs/audio-assets.md repeats them for the scenes' "bpm".
TEMPO = {"MenuTheme": 90, "Slums": 100, "Magitek": 120, "Boss": 128, "Credits": 84}


class Track:
    def __init__(self, beats, bpm):
        self.bpm = bpm
        self.spb = 60.0 / bpm
        self.n = int(round(beats * self.spb * RATE))
        self.buf = np.zeros((self.n, 2))

    def add(self, x, start_beat, pan=0.0, gain=1.0, wrap=True):
        i0 = int(round(start_beat * self.spb * RATE)) % self.n if wrap else int(round(start_beat * self.spb * RATE))
        left = np.cos((pan + 1) * np.pi / 4) * gain
        right = np.sin((pan + 1) * np.pi / 4) * gain
        idx = np.arange(i0, i0 + len(x))
        if wrap:
            idx %= self.n
        else:
            keep = idx < self.n
            idx, x = idx[keep], x[keep]
        np.add.at(self.buf[:, 0], idx, x * left)
        np.add.at(self.buf[:, 1], idx, x * right)

    def secs(self, beats):
        return beats * self.spb


# ------------------------------------------------------------------ instruments (mono sample arrays)

def n_of(sec):
    return max(1, int(round(sec * RATE)))


def kick(vel=1.0):
    n = n_of(0.35)
    f = 45 + 90 * np.exp(-np.arange(n) / RATE / 0.03)
    return osc("sine", f, n) * env_exp(n, 0.12) * vel


def snare(vel=1.0, seed="snare"):
    n = n_of(0.25)
    return (band_noise(n, 1200, 8000, rng(seed)) * env_exp(n, 0.06) * 0.8
            + osc("sine", 190, n) * env_exp(n, 0.05) * 0.5) * vel


def hat(vel=1.0, open_=False, seed="hat"):
    n = n_of(0.25 if open_ else 0.06)
    return band_noise(n, 6000, 14000, rng(seed)) * env_exp(n, 0.08 if open_ else 0.015) * vel


def bass(note, dur):
    n = n_of(dur)
    return osc("saw", midi(note), n, harmonics=6) * env_adsr(n, 0.005, 0.08, 0.6, 0.05)


def pad(notes, dur):
    n = n_of(dur)
    out = np.zeros(n)
    for k, m in enumerate(notes):
        for det in (-0.08, 0.08):
            out += osc("saw", midi(m + det), n, phase=k, harmonics=5)
    return out * env_adsr(n, min(0.4, dur / 3), 0.2, 0.8, min(0.5, dur / 3)) / (2 * len(notes))


def pluck(note, dur):
    n = n_of(dur + 0.3)
    return osc("square", midi(note), n, harmonics=5) * env_exp(n, 0.18) * env_adsr(n, 0.003, 0.0, 1.0, 0.05)


def bell(note, dur):
    n = n_of(dur + 0.6)
    t = np.arange(n) / RATE
    vib = midi(note) * (1 + 0.004 * np.sin(2 * np.pi * 5.5 * t))
    x = osc("sine", vib, n) + 0.35 * osc("sine", vib * 2, n) + 0.12 * osc("sine", vib * 3.01, n)
    return x * env_adsr(n, 0.02, 0.15, 0.55, 0.5, hold=dur)


def lead_saw(note, dur):
    n = n_of(dur + 0.1)
    t = np.arange(n) / RATE
    vib = midi(note) * (1 + 0.006 * np.sin(2 * np.pi * 6 * t) * np.clip(t * 3, 0, 1))
    return osc("saw", vib, n, harmonics=9) * env_adsr(n, 0.01, 0.1, 0.7, 0.1)


def brass(note, dur):
    n = n_of(dur + 0.1)
    x = osc("saw", midi(note), n, harmonics=7) + osc("saw", midi(note + 0.1), n, harmonics=7)
    return x * env_adsr(n, 0.06, 0.2, 0.7, 0.1) * 0.5


# ------------------------------------------------------------------ composition helpers

MINOR = [0, 2, 3, 5, 7, 8, 10]
MAJOR = [0, 2, 4, 5, 7, 9, 11]


def scale_notes(root, scale, lo, hi):
    out = []
    for octave in range(-2, 4):
        for s in scale:
            m = root + 12 * octave + s
            if lo <= m <= hi:
                out.append(m)
    return sorted(out)


def melody(chords, root, scale, seed, rhythm, lo, hi, rest=0.15):
    """A seeded walk over the scale that lands on a chord tone each bar.

    chords: list of chord roots (one per bar, MIDI); rhythm: note lengths in
    beats that fill a 4-beat bar. Returns [(start_beat, dur_beats, note)].
    """
    r = rng(seed)
    notes = scale_notes(root, scale, lo, hi)
    events = []
    pos = len(notes) // 2
    for bar, ch in enumerate(chords):
        beat = 0.0
        pat = rhythm[bar % len(rhythm)]
        for k, dur in enumerate(pat):
            if k == 0:
                # a chord tone on the downbeat
                targets = [i for i, m in enumerate(notes) if (m - ch) % 12 in (0, 3, 4, 7)]
                pos = min(targets, key=lambda i: abs(i - pos))
            else:
                pos = int(np.clip(pos + r.choice([-2, -1, -1, 1, 1, 2, 0]), 0, len(notes) - 1))
            if k == 0 or r.rand() > rest:
                events.append((bar * 4 + beat, dur, notes[pos]))
            beat += dur
    return events


def triad(rootnote, minor):
    return [rootnote, rootnote + (3 if minor else 4), rootnote + 7]


# ------------------------------------------------------------------ pieces


def drums(tr, bars, style):
    for bar in range(bars):
        b = bar * 4
        if style == "four":
            for k in range(4):
                tr.add(kick(0.9), b + k, 0, 0.9)
            for k in (1, 3):
                tr.add(snare(0.7, "sn%d" % (bar % 2)), b + k, 0.1, 0.6)
            for k in range(8):
                tr.add(hat(0.5 if k % 2 else 0.3, seed="h%d" % k), b + k * 0.5 + 0.0, 0.3, 0.5)
        elif style == "half":
            tr.add(kick(), b, 0, 0.9)
            tr.add(kick(0.7), b + 2.5, 0, 0.8)
            tr.add(snare(0.8), b + 2, 0.1, 0.6)
            for k in range(8):
                tr.add(hat(0.4 if k % 2 else 0.25, seed="h%d" % k), b + k * 0.5, 0.3, 0.5)
        elif style == "drive":
            for k in range(4):
                tr.add(kick(1.0), b + k, 0, 0.9)
            tr.add(kick(0.6), b + 3.5, 0, 0.8)
            for k in (1, 3):
                tr.add(snare(0.9, "sn%d" % (bar % 2)), b + k, 0.1, 0.7)
            for k in range(16):
                tr.add(hat(0.45 if k % 2 else 0.25, seed="h%d" % (k % 4)), b + k * 0.25, 0.35, 0.45)
        elif style == "soft":
            tr.add(kick(0.6), b, 0, 0.6)
            tr.add(hat(0.3, open_=True), b + 2, 0.2, 0.15)


def chord_layer(tr, chords, minors, beats_per=4, octave=0, gain=0.5, pan=0.0):
    for i, (c, m) in enumerate(zip(chords, minors)):
        tr.add(pad([n + octave for n in triad(c, m)], tr.secs(beats_per)), i * beats_per, pan, gain)


def bass_line(tr, chords, pattern, gain=0.6):
    for i, c in enumerate(chords):
        for (beat, dur, off) in pattern:
            tr.add(bass(c - 24 + off, tr.secs(dur)), i * 4 + beat, 0.0, gain)


def render_events(tr, events, inst, pan, gain):
    for (start, dur, note) in events:
        tr.add(inst(note, tr.secs(dur)), start, pan, gain)


def finish(tr, room=1.6, wet=0.22, seed="room"):
    return normalise(reverb(tr.buf, room, wet, seed=seed), PEAK_MUSIC)


def slums():
    bpm, bars = TEMPO["Slums"], 8
    chords = [57, 53, 48, 55] * 2  # Am F C G
    minors = [True, False, False, False] * 2
    base = Track(bars * 4, bpm)
    drums(base, bars, "half")
    bass_line(base, chords, [(0, 1.5, 0), (1.5, 0.5, 12), (2, 1, 7), (3, 1, 0)])
    chord_layer(base, chords, minors, gain=0.35)
    lead1 = Track(bars * 4, bpm)  # the thief: quick plucked figures
    ev = melody(chords, 57, MINOR, "slums_lead1", [[0.5] * 8, [0.75, 0.75, 0.5, 1, 0.5, 0.5]], 64, 84)
    render_events(lead1, ev, pluck, -0.3, 0.5)
    lead2 = Track(bars * 4, bpm)  # the mage: long bell tones
    ev = melody(chords, 57, MINOR, "slums_lead2", [[2, 1, 1], [1.5, 1.5, 1], [4]], 69, 88, rest=0.0)
    render_events(lead2, ev, bell, 0.3, 0.5)
    return [finish(t, seed="slums") for t in (base, lead1, lead2)]


def magitek():
    bpm, bars = TEMPO["Magitek"], 16
    chords = [52, 48, 45, 47] * 4  # Em C Am B
    minors = [True, False, True, False] * 4
    base = Track(bars * 4, bpm)
    drums(base, bars, "four")
    bass_line(base, chords, [(k * 0.5, 0.5, 12 if k % 2 else 0) for k in range(8)], gain=0.5)
    chord_layer(base, chords, minors, gain=0.3)
    lead1 = Track(bars * 4, bpm)
    ev = melody(chords, 52, MINOR, "mag_lead1", [[0.5] * 8, [0.25, 0.25, 0.5, 0.5, 0.5, 1, 1]], 64, 83)
    render_events(lead1, ev, pluck, -0.3, 0.45)
    lead2 = Track(bars * 4, bpm)
    ev = melody(chords, 52, MINOR, "mag_lead2", [[1, 1, 2], [2, 2], [1.5, 0.5, 2]], 64, 86, rest=0.0)
    render_events(lead2, ev, lead_saw, 0.3, 0.35)
    return [finish(t, room=1.2, seed="magitek") for t in (base, lead1, lead2)]


def boss():
    bpm = TEMPO["Boss"]
    chords = [50, 46, 43, 45] * 2  # Dm Bb Gm A
    minors = [True, False, True, False] * 2
    base = Track(32, bpm)
    drums(base, 8, "half")
    bass_line(base, chords, [(0, 0.75, 0), (0.75, 0.75, 0), (1.5, 0.5, 12), (2, 0.75, 0), (2.75, 0.75, 0),
                             (3.5, 0.5, 10)], gain=0.55)
    chord_layer(base, chords, minors, octave=-12, gain=0.4)
    # the transition: four bars that climb to the fight, heard once
    trans = Track(16, bpm)
    for k in range(16):
        trans.add(kick(0.5 + k / 32), k, 0, 0.8)
        if k >= 8:
            trans.add(snare(0.4 + k / 32), k + 0.5, 0.1, 0.5)
    for k in range(32):
        trans.add(snare(0.2 + k / 64, "roll%d" % (k % 4)), 12 + k / 8, 0.0, 0.4)
    for i, c in enumerate([50, 46, 48, 45]):
        trans.add(brass(c, trans.secs(4)), i * 4, -0.2, 0.35)
        trans.add(brass(c + 7, trans.secs(4)), i * 4, 0.2, 0.3)
    trans_mix = normalise(reverb(trans.buf, 1.5, 0.2, seed="trans"), PEAK_MUSIC)
    nxt = Track(32, bpm)
    drums(nxt, 8, "drive")
    bass_line(nxt, chords, [(k * 0.5, 0.5, 0 if k % 4 else 12) for k in range(8)], gain=0.55)
    chord_layer(nxt, chords, minors, octave=-12, gain=0.35)
    ev = melody(chords, 50, MINOR, "boss_lead", [[1, 0.5, 0.5, 1, 1], [0.5] * 8, [2, 2]], 62, 81, rest=0.05)
    render_events(nxt, ev, brass, 0.2, 0.45)
    return finish(base, seed="boss"), trans_mix, finish(nxt, seed="boss2")


def menu_theme():
    bpm, bars = TEMPO["MenuTheme"], 8
    chords = [48, 45, 41, 43]  # C Am F G
    minors = [False, True, False, False]
    tr = Track(bars * 4, bpm)
    chord_layer(tr, chords * 2, minors * 2, gain=0.45)
    drums(tr, bars, "soft")
    bass_line(tr, chords * 2, [(0, 2, 0), (2, 2, 7)], gain=0.4)
    ev = melody(chords * 2, 48, MAJOR, "menu_melody", [[1, 1, 2], [1.5, 0.5, 2], [2, 1, 1], [4]], 67, 86, rest=0.0)
    render_events(tr, ev, bell, 0.15, 0.55)
    ev = melody(chords * 2, 48, MAJOR, "menu_counter", [[0.5] * 8], 60, 76, rest=0.4)
    render_events(tr, ev, pluck, -0.35, 0.18)
    return finish(tr, room=2.2, wet=0.3, seed="menu")


def credits():
    bpm, bars = TEMPO["Credits"], 8
    chords = [53, 48, 50, 46]  # F C Dm Bb
    minors = [False, False, True, False]
    tr = Track(bars * 4, bpm)
    chord_layer(tr, chords * 2, minors * 2, gain=0.45)
    bass_line(tr, chords * 2, [(0, 3, 0), (3, 1, 7)], gain=0.35)
    ev = melody(chords * 2, 53, MAJOR, "credits_melody", [[2, 2], [1, 1, 2], [3, 1]], 65, 84, rest=0.0)
    render_events(tr, ev, bell, 0.1, 0.55)
    for bar in range(bars):
        tr.add(hat(0.25, open_=True), bar * 4 + 2, 0.3, 0.12)
    return finish(tr, room=2.5, wet=0.35, seed="credits")


def generate():
    q = 2
    save_ogg(BGM + "MenuTheme.ogg", menu_theme(), q)
    save_ogg(BGM + "Silence.ogg", np.zeros((RATE, 2)), q)
    for name, layers in (("Slums", slums()), ("Magitek", magitek())):
        for suffix, data in zip(("Base", "Lead1", "Lead2"), layers):
            save_ogg(BGM + "%s%s.ogg" % (name, suffix), data, q)
    b, t, n = boss()
    save_ogg(BGM + "BossBase.ogg", b, q)
    save_ogg(BGM + "BossTransition.ogg", t, q)
    save_ogg(BGM + "BossNext.ogg", n, q)
    save_ogg(BGM + "Credits.ogg", credits(), q)
