#!/usr/bin/env python3
"""Records what a sound server plays and says what was heard when, for the end-to-end tests.

Commands:
  listen RAW TIMES -- RECORDER ARG...
      runs RECORDER (e.g. parec), which must write raw signed 16-bit mono samples at 22050 Hz
      to its output, and stores them in RAW; TIMES gets one line "<wall-clock time> <samples so
      far>" per block read, so that every sample can be put on the wall clock. Ends, and ends
      the recorder, on SIGTERM.
  check RAW TIMES REFERENCE.wav SILENT-FROM EVENT...
      EVENT is "<wall-clock time> heard" (the reference sound must start within half a second
      and be the reference, judged by the length of its non-silent stretch and by the shape of
      its wave), "<time> again" (a "heard" sound that still plays starts over: the first is
      cut off, not mixed with the second) or "<time> silent" (nothing may be heard for the
      following 0.7 s). Nothing else
      may be heard from SILENT-FROM on: not before the first event, and not between the end of
      one event's sound and the next event. Prints one line per event; exit status 1 if any
      check fails.
Standard library only.
"""
import array
import math
import pathlib
import signal
import subprocess
import sys
import time
import wave

RATE = 22050
LOUD = 300  # a sample above this (about -40 dB below full scale) is sound; silence is 0
GAP = int(0.05 * RATE)  # a non-silent stretch ends after this long below LOUD
MAX_DELAY = 0.5  # seconds from the release of the key to the sound
SILENT_SPAN = 0.7


def listen(raw_path, times_path, command):
    recorder = subprocess.Popen(command, stdout=subprocess.PIPE)
    stop = []
    signal.signal(signal.SIGTERM, lambda *_: stop.append(1))
    samples = 0
    with open(raw_path, "wb") as raw, open(times_path, "w") as times:
        while not stop:
            try:
                block = recorder.stdout.read1(4096)
            except InterruptedError:
                continue
            if not block:
                break
            now = time.time()
            raw.write(block)
            raw.flush()
            samples += len(block) // 2
            times.write(f"{now:.6f} {samples}\n")
            times.flush()
    recorder.terminate()
    recorder.wait()


def read_samples(path):
    samples = array.array("h")
    data = pathlib.Path(path).read_bytes()
    samples.frombytes(data[: len(data) // 2 * 2])
    if sys.byteorder != "little":
        samples.byteswap()
    return samples


def read_wav(path):
    with wave.open(str(path), "rb") as w:
        if w.getnchannels() != 1 or w.getsampwidth() != 2 or w.getframerate() != RATE:
            raise ValueError(f"{path}: expected 16-bit mono at {RATE} Hz")
        samples = array.array("h")
        samples.frombytes(w.readframes(w.getnframes()))
    if sys.byteorder != "little":
        samples.byteswap()
    return samples


def start_time(times_path):
    """The wall-clock time of sample 0. A block is read some time after its last sample was
    recorded, never before, so the block read soonest gives the best (latest) estimate."""
    best = None
    for line in pathlib.Path(times_path).read_text().split("\n"):
        if line:
            now, count = line.split()
            t0 = float(now) - int(count) / RATE
            best = t0 if best is None else min(best, t0)
    return best


def first_loud(samples, start, end):
    for i in range(max(start, 0), min(end, len(samples))):
        if abs(samples[i]) > LOUD:
            return i
    return None


def stretch_end(samples, start):
    """The sample after the last loud one of the non-silent stretch that begins at start."""
    last = start
    i = start
    while i < len(samples) and i - last <= GAP:
        if abs(samples[i]) > LOUD:
            last = i
        i += 1
    return last + 1


def correlation(a, a_start, b, b_start, length, step=1):
    sab = saa = sbb = 0.0
    for i in range(0, length, step):
        x = a[a_start + i]
        y = b[b_start + i]
        sab += x * y
        saa += x * x
        sbb += y * y
    return sab / math.sqrt(saa * sbb) if saa and sbb else 0.0


def best_correlation(reference, ref_onset, length, recorded, onset):
    """How alike the reference and the recording are, past their first 20 ms (a stream that
    starts on a running sink may lose a few milliseconds of its attack on the way to the
    monitor), aligned at their onsets give or take 14 ms: first every fourth sample, then around
    the best of those every sample."""
    skip = int(0.02 * RATE)
    ref_start = ref_onset + skip
    start = onset + skip
    length = min(length - skip, len(reference) - ref_start, len(recorded) - start - 310)
    lags = [lag for lag in range(-300, 301, 4) if start + lag >= 0]
    coarse = max(
        lags, key=lambda lag: correlation(reference, ref_start, recorded, start + lag, length, 4)
    )
    return max(
        correlation(reference, ref_start, recorded, start + lag, length)
        for lag in range(coarse - 3, coarse + 4)
        if start + lag >= 0
    )


def restart_at(reference, ref_onset, length, recorded, start, end):
    """Where in recorded[start:end] the reference begins, past its first 20 ms as in
    best_correlation: every eighth position and sample first, then every one around the best."""
    skip = int(0.02 * RATE)
    length = min(length - skip, len(recorded) - end - skip)

    def alike(position, step):
        return correlation(reference, ref_onset + skip, recorded, position + skip, length, step)

    coarse = max(range(start, end, 8), key=lambda position: alike(position, 8))
    return max(range(coarse - 7, coarse + 8), key=lambda position: alike(position, 1))


def check(raw_path, times_path, reference_path, silent_from, events):
    recorded = read_samples(raw_path)
    t0 = start_time(times_path)
    reference = read_wav(reference_path)
    ref_onset = first_loud(reference, 0, len(reference))
    ref_length = stretch_end(reference, ref_onset) - ref_onset
    index = lambda t: int(round((t - t0) * RATE))
    failed = False

    def fail(message):
        nonlocal failed
        failed = True
        print(f"FAIL: {message}")

    if index(silent_from) < 0:
        fail("the recording began after the time that should be silent")
    quiet_from = index(silent_from)  # nothing may be heard from here until the next event
    for number, event in enumerate(events):
        at, what = event.split()
        at = float(at)
        cut = number + 1 < len(events) and events[number + 1].endswith(" again")
        if what == "again":
            # The same sound again while the first still plays: it starts over. Find where the
            # recording is the reference from its start, then ask that it matches closely (the
            # first copy, had it gone on, would be mixed in) and ends on time.
            onset = restart_at(reference, ref_onset, ref_length, recorded, index(at - 0.02),
                               index(at + MAX_DELAY))
            delay = (onset - index(at)) / RATE
            length = stretch_end(recorded, onset) - onset
            best = best_correlation(reference, ref_onset, ref_length, recorded, onset)
            quiet_from = onset + length
            print(
                f"again: started over {delay * 1000:.0f} ms after the key, "
                f"{length / RATE * 1000:.0f} ms long, wave correlation {best:.3f}"
            )
            if delay > MAX_DELAY or best < 0.99 or abs(length - ref_length) > 0.03 * RATE:
                fail("the sound did not start over at the second key")
            continue
        if index(at + (SILENT_SPAN if what == "silent" else MAX_DELAY + 1.0)) > len(recorded):
            fail(f"the recording ends too early for the event at {at:.3f}")
            break
        # A sound cannot come before its key; a little slack for the two clocks' reading.
        quiet_to = index(at + SILENT_SPAN if what == "silent" else at - 0.02)
        loud = first_loud(recorded, quiet_from, quiet_to)
        if loud is not None:
            fail(f"sound {(loud - index(at)) / RATE:+.3f} s from a key, where all was to be quiet")
            quiet_from = stretch_end(recorded, loud)
            continue
        print(f"silent for {(quiet_to - quiet_from) / RATE:.2f} s", end="")
        if what == "silent":
            print(", up to 0.7 s after the key")
            quiet_from = quiet_to
            continue
        onset = first_loud(recorded, quiet_to, index(at + MAX_DELAY + 1.0))
        if onset is None:
            print()
            fail(f"nothing heard within {MAX_DELAY + 1.0} s of the key")
            continue
        delay = (onset - index(at)) / RATE
        length = stretch_end(recorded, onset) - onset
        quiet_from = onset + length
        compared = ref_length
        if cut:
            # Cut off by the next key, which judges what follows; its wave is judged up to that
            # key, if it played long enough for that.
            quiet_from = onset
            compared = index(float(events[number + 1].split()[0])) - onset
        best = None
        if compared >= int(0.05 * RATE):
            best = best_correlation(reference, ref_onset, compared, recorded, onset)
        print(
            f"; heard {delay * 1000:.0f} ms after the key, "
            + ("cut off by the next key" if cut else f"{length / RATE * 1000:.0f} ms long")
            + f" (the file: {ref_length / RATE * 1000:.0f} ms), wave correlation "
            + ("not judged" if best is None else f"{best:.3f}")
        )
        if delay > MAX_DELAY:
            fail(f"the sound came {delay:.3f} s after the key")
        if not cut and abs(length - ref_length) > 0.03 * RATE:
            fail("the sound's length is not the file's")
        if best is not None and best < 0.9:
            fail("the sound's wave is not the file's")
    return 1 if failed else 0


def main(argv):
    if len(argv) >= 5 and argv[1] == "listen" and argv[4] == "--":
        listen(argv[2], argv[3], argv[5:])
        return 0
    if len(argv) >= 7 and argv[1] == "check":
        return check(argv[2], argv[3], argv[4], float(argv[5]), argv[6:])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
