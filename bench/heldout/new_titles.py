#!/usr/bin/python3
"""Titles made like the corpus's picture streams, but with fonts, sizes, styles
and texts the corpus does not have: recognition measured on them shows what
a new title gets, not what the corpus taught us. Built with the corpus's own
tools (bench/heldout/generate.sh)."""

from corpuslib import font_path


def timeline(lines, t0=1500, gap=400):
    out, t = [], t0
    for l in lines:
        n = sum(len(x) for x in l)
        dur = max(1200, min(5200, 700 + 55 * n))
        out.append((t, t + dur, l))
        t += dur + gap
    return out


H01_LINES = [
    ["The train leaves at a quarter past six."],
    ["Then we have forty minutes."],
    ["Did you pack the maps?"],
    ["Both of them, and the compass."],
    ["<i>(whistle blows)</i>"],
    ["Quick! Platform number nine."],
    ["Excuse me, is this seat free?"],
    ["It is. Please, sit down."],
    ["You're travelling north as well?"],
    ["Only as far as Jedburgh."],
    ["My sister keeps a bakery there,", "just behind the abbey."],
    ["Then you must know the bridge."],
    ["Everybody knows the bridge."],
    ["It fell into the river in 1947."],
    ["<i>\"Nobody was hurt,\" they say.</i>"],
    ["But somebody was hurt, weren't they?"],
    ["Why do you ask about that?"],
    ["Because my grandfather was there."],
    ["- Tickets, please.", "- Here you are."],
    ["Thank you, sir. Change at Kelso."],
    ["How long is the wait at Kelso?"],
    ["Twelve minutes, if we're on time."],
    ["We're never on time."],
    ["<i>(brakes squeal)</i>"],
    ["What was that?"],
    ["Sheep on the line, probably."],
    ["Look - the fog is getting thicker."],
    ["I can hardly see the fields."],
    ["Your grandfather... what was his name?"],
    ["Walter Quinn. He drove the mail van."],
    ["The mail van went over with the bridge."],
    ["He swam out. He never talked about it."],
    ["My mother did. Every single winter."],
    ["<i>Some stories wait for the right listener.</i>"],
    ["Here's my stop. Goodbye, Mr. Quinn."],
    ["How did you know my name?"],
]

H02_LINES = [
    ["Welcome back to the kitchen!"],
    ["Today: a simple apple tart."],
    ["You need 250 g of flour,", "125 g of butter and an egg."],
    ["Rub the butter into the flour", "until it looks like sand."],
    ["Add the egg and a spoon of water."],
    ["Don't knead it too much."],
    ["Wrap it and let it rest for 30 minutes."],
    ["Meanwhile, peel six apples."],
    ["Cut them into thin, even slices."],
    ["<i>Thin slices cook evenly.</i>"],
    ["Roll the pastry to 3 mm."],
    ["Lift it over the rolling pin", "and lay it in the tin."],
    ["Prick the base with a fork."],
    ["Now arrange the apples in a ring."],
    ["Overlap them, like roof tiles."],
    ["Brush with melted butter", "and sprinkle some sugar."],
    ["Bake at 190 degrees for 35 minutes."],
    ["<i>(oven timer rings)</i>"],
    ["Look at that golden edge!"],
    ["Glaze it with warm jam."],
    ["Let it cool for a quarter of an hour."],
    ["Serve it with cream, or just as it is."],
    ["Next week: quiche and a green salad."],
    ["Thanks for watching. Bon appétit!"],
]

H03_LINES = [
    ["Station log, day 212."],
    ["Wind from the west, 40 knots."],
    ["Temperature minus 31 degrees."],
    ["The generator stopped twice today."],
    ["Jonas fixed the fuel valve again."],
    ["We are rationing the coffee."],
    ["<i>[radio static]</i>"],
    ["Base, this is Halley Seven. Over."],
    ["Halley Seven, we read you. Go ahead."],
    ["Requesting a weather window", "for the supply flight."],
    ["Negative. Not before Thursday."],
    ["Copy that. Thursday. Out."],
    ["Four more days of tinned fish."],
    ["Kai found penguin tracks", "near the northern hut."],
    ["Strange, so far from the sea."],
    ["<i>Something is walking out there.</i>"],
    ["We checked the cameras at midnight."],
    ["Nothing but snow and shadows."],
    ["Day 213: the tracks are back."],
    ["Bigger this time. Much bigger."],
    ["Jonas wants to follow them."],
    ["I said no. We stay together."],
    ["<i>(door creaks)</i>"],
    ["Who left the outer door open?"],
    ["Nobody answers. Jonas is gone."],
    ["His boots are still by the heater."],
    ["Log ends here. Going outside."],
]

CASES = [
    {
        "name": "h01_pal_serif_dejavu",
        "description": "PAL, a train dialogue of 36 subtitles as pictures in DejaVu Serif 28 px with "
                       "DejaVu Serif Italic for sounds and quotes; outline 2 px.",
        "format": "PAL", "duration_ms": 0, "audio": "ac3",
        "streams": [{"lang": "en", "mode": "image", "subs": timeline(H01_LINES),
                     "style": {"font": font_path("DejaVuSerif.ttf"),
                               "font_italic": font_path("DejaVuSerif-Italic.ttf"),
                               "size": 28, "kind": "outline", "outline": 2}}],
    },
    {
        "name": "h02_pal_condensed_shadow",
        "description": "PAL, a cookery programme of 24 subtitles as pictures in DejaVu Sans Condensed "
                       "32 px and its oblique, a drop shadow instead of an outline.",
        "format": "PAL", "duration_ms": 0, "audio": "ac3",
        "streams": [{"lang": "en", "mode": "image", "subs": timeline(H02_LINES),
                     "style": {"font": font_path("DejaVuSansCondensed.ttf"),
                               "font_italic": font_path("DejaVuSansCondensed-Oblique.ttf"),
                               "size": 32, "kind": "shadow", "shadow": (3, 3)}}],
    },
    {
        "name": "h03_ntsc_sans_small",
        "description": "NTSC, a station log of 27 subtitles as pictures in Liberation Sans 22 px and "
                       "its italic, outline 3 px.",
        "format": "NTSC", "duration_ms": 0, "audio": "ac3",
        "streams": [{"lang": "en", "mode": "image", "subs": timeline(H03_LINES),
                     "style": {"font": font_path("LiberationSans-Regular.ttf"),
                               "font_italic": font_path("LiberationSans-Italic.ttf"),
                               "size": 22, "kind": "outline", "outline": 3}}],
    },
]
for c in CASES:
    c["duration_ms"] = c["streams"][0]["subs"][-1][1] + 2000
