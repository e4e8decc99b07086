"""Voice lines: spoken by espeak-ng with a distinct voice per character, then
shaped with SoX (pitch, tone, room) and encoded as mono OGG at 44.1 kHz."""
import os
import subprocess
import tempfile

from audio import encode_wav

VA = "Assets/Audio/VA/"

# espeak-ng voice, pitch, speed, word gap; then SoX effects
VOICES = {
    "Thief": (["-v", "en-us+f4", "-p", "62", "-s", "175"],
              ["pitch", "120", "highpass", "120", "treble", "+3", "reverb", "15", "50", "40"]),
    "Mage": (["-v", "en-gb-x-rp+m3", "-p", "42", "-s", "150"],
             ["pitch", "-120", "bass", "+3", "chorus", "0.6", "0.8", "40", "0.4", "0.3", "2", "-s",
              "reverb", "30", "50", "60"]),
    "Boss": (["-v", "en-gb+m1", "-p", "20", "-s", "135"],
             ["pitch", "-450", "overdrive", "6", "bass", "+4", "lowpass", "5000", "reverb", "45", "60", "80"]),
}

LINES = {
    "Thief_Jump": "Hup!", "Thief_Jump2": "Hah!",
    "Thief_Damage": "Ow!", "Thief_Damage2": "Argh!",
    "Thief_Confused": "Huh?", "Thief_Confused2": "What?!",
    "Thief_Death": "No... not like this...",
    "Thief_Attack": "Take that!", "Thief_Attack2": "Hyah!", "Thief_Laugh": "Ha ha ha!",
    "Thief_Dash": "Too slow!", "Thief_Dash2": "Catch me!",
    "Thief_Dagger": "Knives out!", "Thief_Dagger2": "Heads up!",
    "Thief_AOE": "Dance with me!", "Thief_AOE2": "Round we go!",
    "Thief_Swap": "My turn.", "Thief_Swap2": "Leave it to me.",
    "Mage_Jump": "Hmm!", "Mage_Jump2": "Up!",
    "Mage_Sigh": "Haaah...", "Mage_Sigh2": "Sigh... really?",
    "Mage_Damage": "Ugh!", "Mage_Damage2": "Oof!",
    "Mage_Annoyed": "How rude.", "Mage_Annoyed2": "Must you?",
    "Mage_Death": "The light... fades...",
    "Mage_Attack": "Begone!", "Mage_Attack2": "Away with you!",
    "Mage_Shield": "Shield!", "Mage_Shield2": "Stay behind me!",
    "Mage_Zap": "Lightning!", "Mage_Zap2": "Feel the storm!",
    "Mage_Ice": "Freeze!", "Mage_Ice2": "Be still!",
    "Mage_Swap": "Allow me.", "Mage_Swap2": "Step aside.",
    "Boss_Attack": "Hah!", "Boss_Damage": "Gah!", "Boss_Damage2": "Insolent!", "Boss_Hmph": "Hmm.",
    "Boss_Death": "Impossible... my works...",
    "Boss_Laugh": "Ha ha ha ha!", "Boss_Laugh3": "Heh heh heh.", "Boss_Laugh4": "Moo ah ha ha!",
    "Boss_Laugh5": "Ha ha ha. How amusing.",
    "Boss_Sarcastic": "Oh, how frightening.", "Boss_Thereyouare": "There you are.",
    "Boss_Dash": "Mine!", "Boss_Dash2": "Out of my way!",
    "Boss_Shield": "You cannot touch me.", "Boss_Shield2": "Futile.",
    "Boss_Heal": "I am renewed.", "Boss_Heal2": "Not yet!",
    "Boss_Summon": "Rise, my servants!", "Boss_Summon2": "Seize them!",
    "Boss_SummonRare": "Come forth, my magnificent machines!",
}


def speak(name, text, tmp):
    who = name.split("_")[0]
    esp, fx = VOICES[who]
    raw = os.path.join(tmp, name + "_raw.wav")
    out = os.path.join(tmp, name + ".wav")
    subprocess.run(["espeak-ng"] + esp + ["-w", raw, text], check=True)
    # -R: repeatable (fixed seeds), -D: no dither, so the output is the same every run
    subprocess.run(["sox", "-R", "-D", raw, "-r", "44100", "-c", "1", "-b", "16", out, "gain", "-8"] + fx +
                   ["silence", "1", "0.01", "0.5%", "reverse", "silence", "1", "0.01", "0.5%", "reverse",
                    "pad", "0.02", "0.15", "norm", "-1"], check=True)
    return out


def generate():
    with tempfile.TemporaryDirectory() as tmp:
        for name, text in LINES.items():
            wav = speak(name, text, tmp)
            encode_wav(wav, VA + name + ".ogg", quality=3)
