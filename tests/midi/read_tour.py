#!/usr/bin/python3
"""Reads a tour file with mido, a MIDI library of its own, and prints what a player would meet:
the file's type, resolution and tempo, then per marker its text, the controllers, program change
and notes after it on which channels, and the seconds until the next marker (or the end)."""
import json
import sys

import mido

# Marker texts are UTF-8, as the tour writes them.
midi = mido.MidiFile(sys.argv[1], charset="utf-8")
tempo = None
stops = []
now = 0
for message in midi.tracks[0]:
    now += message.time
    if message.type == "set_tempo":
        tempo = message.tempo
    elif message.type == "marker":
        stops.append({"text": message.text, "start": now, "events": []})
    elif not message.is_meta:
        stops[-1]["events"].append(message.bytes())
end = now
for i, stop in enumerate(stops):
    following = stops[i + 1]["start"] if i + 1 < len(stops) else end
    stop["seconds"] = mido.tick2second(following - stop["start"], midi.ticks_per_beat, tempo)
    del stop["start"]
print(json.dumps({"type": midi.type, "ticks_per_beat": midi.ticks_per_beat, "tempo": tempo,
                  "tracks": len(midi.tracks), "stops": stops}))
