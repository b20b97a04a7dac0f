#!/usr/bin/env python3
"""Regenerates the 21 voice clips in resources/clips/ with espeak-ng and sox.

Each clip is one Mandarin syllable, spoken by espeak-ng's pinyin voice (so the
tone is exact), trimmed to the voiced stretch, given a fixed lead-in and tail,
levelled to the same RMS loudness and written as a plain 44-byte-header PCM
wave. Clips 3 and 14 are 44100 Hz stereo, the rest 22050 Hz mono: the player
must take both formats back to back.

Usage: tools/make_clips.py [output-dir]
"""
import array
import math
import os
import struct
import subprocess
import sys
import tempfile

# (pinyin, hanzi) by clip number; clip 10 is both the number ten and the
# third syllable of the time preamble, clip 17 is never spoken.
SYLLABLES = [
    ("yi1", "一"), ("er4", "二"), ("san1", "三"), ("si4", "四"), ("wu3", "五"),
    ("liu4", "六"), ("qi1", "七"), ("ba1", "八"), ("jiu3", "九"), ("shi2", "十"),
    ("xian4", "现"), ("zai4", "在"), ("ke4", "刻"), ("dian3", "点"),
    ("zheng3", "整"), ("ban4", "半"), ("miao3", "秒"), ("hai2", "还"),
    ("sheng4", "剩"), ("fen1", "分"), ("zhong1", "钟"),
]
STEREO_44K = {3, 14}
LEAD_IN_S = 0.060      # near-silence before the voice
TAIL_S = 0.050         # near-silence after it
TARGET_RMS = 0.12      # of full scale, over the voiced stretch
PEAK_LIMIT = 0.95


def run(*cmd):
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def render(pinyin, rate, channels, workdir):
    spoken = os.path.join(workdir, "spoken.wav")
    raw = os.path.join(workdir, "clip.raw")
    run("espeak-ng", "-v", "cmn-latn-pinyin", "-s", "150", "-w", spoken, pinyin)
    # Trim leading and trailing silence, then pad to a fixed lead-in and tail.
    # -R: repeatable output, -D: no dither noise, so a rerun gives the same bytes.
    run("sox", "-R", "-D", spoken, "-t", "raw", "-e", "signed-integer", "-b", "16", "-L", raw,
        "silence", "1", "0.005", "0.5%", "reverse", "silence", "1", "0.005", "0.5%", "reverse",
        "pad", str(LEAD_IN_S), str(TAIL_S),
        "rate", "-v", str(rate), "channels", str(channels))
    samples = array.array("h")
    with open(raw, "rb") as f:
        samples.frombytes(f.read())
    if sys.byteorder != "little":
        samples.byteswap()
    return samples


def level(samples):
    rms = math.sqrt(sum(s * s for s in samples) / max(1, len(samples))) / 32768.0
    peak = max(abs(s) for s in samples) / 32768.0
    gain = min(TARGET_RMS / rms, PEAK_LIMIT / peak)
    return array.array("h", (max(-32768, min(32767, round(s * gain))) for s in samples))


def wave_bytes(samples, rate, channels):
    if sys.byteorder != "little":
        samples = array.array("h", samples)
        samples.byteswap()
    data = samples.tobytes()
    header = struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + len(data), b"WAVE", b"fmt ", 16, 1,
                         channels, rate, rate * channels * 2, channels * 2, 16, b"data", len(data))
    return header + data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "clips")
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for n, (pinyin, hanzi) in enumerate(SYLLABLES, start=1):
            rate, channels = (44100, 2) if n in STEREO_44K else (22050, 1)
            samples = level(render(pinyin, rate, channels, work))
            with open(os.path.join(out, f"WAV{n}.wav"), "wb") as f:
                f.write(wave_bytes(samples, rate, channels))
            print(f"WAV{n}: {hanzi} {pinyin} {rate} Hz x{channels}, "
                  f"{len(samples) / channels / rate * 1000:.0f} ms")


if __name__ == "__main__":
    main()
