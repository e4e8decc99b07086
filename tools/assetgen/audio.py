"""Shared sound helpers: a small numpy synthesiser and the OGG encoder.

Every random source is seeded from the file's name, and oggenc gets a fixed
stream serial number, so regenerating gives the same bytes.
"""
import os
import subprocess
import tempfile
import wave
import zlib

import numpy as np

from pix import ROOT

RATE = 44100

# Peak levels: voices sit above effects, music below both.
PEAK_VOICE = 0.89
PEAK_SFX = 0.6
PEAK_MUSIC = 0.7


def serial_of(relpath):
    return zlib.crc32(relpath.encode("utf-8")) & 0x7FFFFFFF


def rng(name):
    return np.random.RandomState(zlib.crc32(name.encode("utf-8")) & 0x7FFFFFFF)


def t_axis(seconds):
    return np.arange(int(round(seconds * RATE))) / RATE


def normalise(x, peak):
    m = np.max(np.abs(x))
    return x if m == 0 else x * (peak / m)


def write_wav(path, data):
    """data: float array, mono (n,) or stereo (n, 2), in [-1, 1]."""
    data = np.clip(data, -1.0, 1.0)
    pcm = np.round(data * 32767).astype("<i2")
    ch = 1 if pcm.ndim == 1 else pcm.shape[1]
    with wave.open(path, "wb") as w:
        w.setnchannels(ch)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(pcm.tobytes())


def encode_wav(wav_path, relpath, quality=3):
    out = os.path.join(ROOT, relpath)
    os.makedirs(os.path.dirname(out), exist_ok=True)
    subprocess.run(["oggenc", "-Q", "-q", str(quality), "--serial", str(serial_of(relpath)),
                    "-o", out, wav_path], check=True)
    return out


def save_ogg(relpath, data, quality=3):
    with tempfile.TemporaryDirectory() as tmp:
        wav = os.path.join(tmp, "x.wav")
        write_wav(wav, data)
        encode_wav(wav, relpath, quality)


# ------------------------------------------------------------------ building blocks

def env_adsr(n, a=0.005, d=0.05, s=0.6, r=0.1, hold=None):
    """Attack, decay, sustain level, release (seconds) over n samples."""
    e = np.zeros(n)
    A, D, R = int(a * RATE), int(d * RATE), int(r * RATE)
    H = n - A - D - R if hold is None else int(hold * RATE)
    H = max(0, H)
    i = 0
    if A:
        e[:A] = np.linspace(0, 1, A, endpoint=False)
    i = A
    seg = e[i:i + D]
    seg[:] = np.linspace(1, s, len(seg), endpoint=False)
    i += D
    e[i:i + H] = s
    i += H
    seg = e[i:i + R]
    seg[:] = np.linspace(s, 0, len(seg), endpoint=False)
    return e


def env_exp(n, decay):
    return np.exp(-np.arange(n) / RATE / decay)


def osc(kind, freq, n, phase=0.0, harmonics=12):
    """freq may be a number or an array (a glide)."""
    f = np.broadcast_to(np.asarray(freq, dtype=float), (n,))
    ph = 2 * np.pi * np.cumsum(f) / RATE + phase
    if kind == "sine":
        return np.sin(ph)
    if kind == "tri":
        out = np.zeros(n)
        for k in range(1, harmonics * 2, 2):
            out += ((-1) ** ((k - 1) // 2)) * np.sin(k * ph) / (k * k)
        return out * 8 / np.pi ** 2
    if kind == "square":
        out = np.zeros(n)
        for k in range(1, harmonics * 2, 2):
            out += np.sin(k * ph) / k * (f * k < RATE / 2)
        return out * 4 / np.pi
    if kind == "saw":
        out = np.zeros(n)
        for k in range(1, harmonics + 1):
            out += np.sin(k * ph) / k * (f * k < RATE / 2)
        return out * 2 / np.pi
    raise ValueError(kind)


def band_noise(n, lo, hi, r):
    """White noise kept between lo and hi Hz (by masking its spectrum)."""
    x = r.standard_normal(n)
    spectrum = np.fft.rfft(x)
    freqs = np.fft.rfftfreq(n, 1 / RATE)
    spectrum[(freqs < lo) | (freqs > hi)] = 0
    y = np.fft.irfft(spectrum, n)
    m = np.max(np.abs(y))
    return y / m if m else y


def lowpass(x, cutoff, circular=True):
    """Spectral low-pass; circular, so a loop stays seamless."""
    n = len(x)
    spectrum = np.fft.rfft(x, axis=0)
    freqs = np.fft.rfftfreq(n, 1 / RATE)
    gain = 1 / np.sqrt(1 + (freqs / cutoff) ** 4)
    if spectrum.ndim == 2:
        gain = gain[:, None]
    return np.fft.irfft(spectrum * gain, n, axis=0)


def reverb(x, seconds=1.2, mix=0.25, seed="reverb", stereo=False):
    """Circular convolution with a decaying noise tail: loops stay seamless."""
    n = len(x)
    r = rng(seed)
    ln = min(n, int(seconds * RATE))
    if x.ndim == 1:
        ir = r.standard_normal(ln) * np.exp(-np.arange(ln) / RATE / (seconds / 5))
        ir /= np.sqrt(np.sum(ir ** 2))
        h = np.zeros(n)
        h[:ln] = ir
        wet = np.fft.irfft(np.fft.rfft(x) * np.fft.rfft(h), n)
        return x * (1 - mix) + wet * mix
    out = np.zeros_like(x)
    for ch in range(x.shape[1]):
        ir = r.standard_normal(ln) * np.exp(-np.arange(ln) / RATE / (seconds / 5))
        ir /= np.sqrt(np.sum(ir ** 2))
        h = np.zeros(n)
        h[:ln] = ir
        wet = np.fft.irfft(np.fft.rfft(x[:, ch]) * np.fft.rfft(h), n)
        out[:, ch] = x[:, ch] * (1 - mix) + wet * mix
    return out


def fade_edges(x, ms=5):
    n = int(ms / 1000 * RATE)
    if len(x) > 2 * n and n > 0:
        ramp = np.linspace(0, 1, n)
        x = x.copy()
        x[:n] *= ramp
        x[-n:] *= ramp[::-1]
    return x


def midi(note):
    return 440.0 * 2 ** ((note - 69) / 12)
