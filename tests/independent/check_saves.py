#!/usr/bin/env python3
"""Plays town key-script cases through qvr-script and reads the save each
leaves behind with read_save.py, which knows only the file's byte layout.
The values asserted are the ones the town's rules give for the case.
Usage: check_saves.py QVR_SCRIPT BIN_DIR CASES_DIR"""

import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import read_save  # noqa: E402

SHORT = {"class": "classCode", "race": "race", "align": "alignment", "sex": "sex",
         "floor": "floor", "group": "groupNo", "age": "age", "days": "ageDays",
         "str": "strength", "iq": "iq", "piety": "piety", "vit": "vitality",
         "agi": "agility", "luck": "luck", "level": "level", "hp": "hp",
         "maxhp": "maxHp", "cond": "conditions", "exp": "exp", "gold": "gold",
         "special": "specialFlags"}


def header_lines(script):
    """The (name, value) pairs of a case's comment lines before its first
    step."""
    for line in script.splitlines():
        line = line.strip()
        if not line:
            continue
        if not line.startswith("#"):
            break
        name, _, value = line[1:].strip().partition(":")
        yield name, value


def starting_save(script):
    """The save a case's `# character:` and `# stock:` header lines ask for."""
    image = bytearray(read_save.SAVE_BYTES)
    for name, value in header_lines(script):
        if name == "character":
            words = value.split()
            slot = int(words[0])
            entry = {"rosterNo": slot, "name": words[1], "level": 1, "hp": 10, "maxHp": 10}
            for word in words[2:]:
                key, _, v = word.partition("=")
                if key in ("items", "flags"):
                    slots = [0] + [int(x) for x in v.split(",")]
                    entry["items" if key == "items" else "itemFlags"] = slots + [0] * (13 - len(slots))
                elif key == "ac":
                    entry["ac"] = entry["baseAc"] = int(v)
                else:
                    entry[SHORT[key]] = int(v)
            read_save.write_entry(image, slot, entry)
        elif name == "kills":
            for word in value.split():
                monster, _, count = word.partition("=")
                read_save.struct.pack_into("<i", image, read_save.MONSTER_TALLY_AT + 4 * int(monster),
                                           int(count))
        elif name in ("item", "monster"):
            raise AssertionError("this reader cannot give a case its own %ss" % name)
        elif name == "stock":
            for word in value.split():
                item, _, count = word.partition("=")
                read_save.struct.pack_into("<i", image, read_save.STOCK_AT + 4 * int(item), int(count))
    return image


# QVR2.DAT ends with the fusion table (61 rows by 9 columns of 16-bit
# numbers, column by column) and the traders' table (21 rows of 28 bytes).
RECIPE_COLUMNS, RECIPE_ROWS, TRADERS_BYTES = 9, 61, 21 * 28


def case_content(script, built):
    """The build's content with the case's `# recipe:` lines as its whole
    fusion table."""
    content = bytearray(built)
    rows = []
    for name, value in header_lines(script):
        if name == "recipe":
            rows.append([int(v) for v in value.split()])
    if rows:
        base = len(content) - TRADERS_BYTES - 2 * RECIPE_COLUMNS * RECIPE_ROWS
        content[base:base + 2 * RECIPE_COLUMNS * RECIPE_ROWS] = bytes(2 * RECIPE_COLUMNS * RECIPE_ROWS)
        for values in rows:
            row, cells = values[0], values[1:]
            for column, v in enumerate(cells):
                read_save.struct.pack_into("<h", content, base + 2 * (column * RECIPE_ROWS + row), v)
    return content


def play(runner, bin_dir, cases, case, append=""):
    with open(os.path.join(cases, case + ".qvrs"), encoding="utf-8") as f:
        script = f.read()
    with open(os.path.join(cases, case + ".expected"), encoding="utf-8") as f:
        expected = f.read()
    with tempfile.TemporaryDirectory() as folder:
        for name in ("TEXTS.DAT", "EVENTS.DAT"):
            shutil.copy(os.path.join(bin_dir, name), folder)
        with open(os.path.join(bin_dir, "QVR2.DAT"), "rb") as f:
            built = f.read()
        with open(os.path.join(folder, "QVR2.DAT"), "wb") as f:
            f.write(case_content(script, built))
        with open(os.path.join(folder, "QVR1.DAT"), "wb") as f:
            f.write(starting_save(script))
        path = os.path.join(folder, "case.qvrs")
        with open(path, "w", encoding="utf-8") as f:
            f.write(script + append)
        seed = "1"
        for line in script.splitlines():
            if line.startswith("# seed:"):
                seed = line.split(":", 1)[1].strip()
        run = subprocess.run([runner, "--game-dir", folder, "--seed", seed, "--time", "12:00:00", path],
                             capture_output=True, text=True, encoding="utf-8", timeout=60)
        if run.returncode != 0:
            raise AssertionError("%s: exit %d: %s" % (case, run.returncode, run.stderr))
        # The run must have gone the way its transcript says, else the numbers
        # below mean nothing. Music is not set up here, so its lines differ.
        def events(text):
            return [line for line in text.split("\n") if not line.startswith("MUSIC ")]
        expected_events, events_seen = events(expected.rstrip("\n")), events(run.stdout)
        if events_seen[:len(expected_events)] != expected_events:
            raise AssertionError("%s: the transcript differs from %s.expected" % (case, case))
        if append and "SAVE" not in events_seen[len(expected_events):]:
            raise AssertionError("%s: the appended steps did not save" % case)
        with open(os.path.join(folder, "QVR1.DAT"), "rb") as f:
            save = read_save.read_save(f.read())
    LAST_RUN["save"], LAST_RUN["transcript"] = save, run.stdout
    return {c["name"]: c for c in save["roster"]}, save["itemStock"]


LAST_RUN = {}


FAILURES = []


def expect(case, who, field, got, want):
    if got != want:
        FAILURES.append("%s: %s %s is %r, the rules give %r" % (case, who, field, got, want))


def check(case, roster, wants):
    for who, fields in wants.items():
        if who not in roster:
            FAILURES.append("%s: %s is not in the saved roster" % (case, who))
            continue
        for field, want in fields.items():
            expect(case, who, field, roster[who][field], want)
        c = roster[who]
        # Spell points never exceed their pools; no one here has a spell.
        for s in range(3):
            for level in range(10):
                if c["mp"][s][level] > c["maxMp"][s][level]:
                    FAILURES.append("%s: %s mp[%d][%d] above its pool" % (case, who, s, level))
        if any(k for school in c["spellKnown"] for row in school for k in row):
            FAILURES.append("%s: %s knows a spell nobody taught" % (case, who))


def main(argv):
    runner, bin_dir, cases = argv[1:4]

    # 20 + 80 + 80 + 500 spent; every unit of 22, 23 and 24 sold, so the
    # stock holds none of them and the buyer carries all four.
    case = "shop_buy_last_unit"
    roster, stock = play(runner, bin_dir, cases, case, append="\nclose\n")
    check(case, roster, {"ＡＮＮ": {"gold": 320, "level": 1, "hp": 10, "maxHp": 10,
                                   "conditions": 0}})
    expect(case, "shop", "itemStock", stock, {})
    if "ＡＮＮ" in roster:
        expect(case, "ＡＮＮ", "items", sorted(i for i in roster["ＡＮＮ"]["items"] if i),
               [22, 23, 24, 24])

    # Two weeks of the single room (100 gold, 14 days, +6 hp), a level
    # (maxHp 12 -> 16 and hp with it, vitality -1, agility +1), then a free
    # night in the dog house (1 day); ＢＥＴＨ's stays were all refused.
    case = "inn_stay_level_gain"
    roster, _ = play(runner, bin_dir, cases, case)
    check(case, roster, {
        "ＡＬＡＮ": {"gold": 400, "level": 2, "maxHp": 16, "hp": 13, "age": 25, "ageDays": 15,
                    "exp": 1000, "vitality": 13, "agility": 11, "conditions": 0},
        "ＢＥＴＨ": {"gold": 40, "level": 1, "hp": 10, "maxHp": 10, "age": 18, "ageDays": 20,
                    "conditions": 0}})
    if "ＡＬＡＮ" in roster:
        expect(case, "ＡＬＡＮ", "mp", roster["ＡＬＡＮ"]["mp"], roster["ＡＬＡＮ"]["maxMp"])

    # ＣＥＤ pays level 3 x 250 for ＢＥＴＨ's raise: she lives with full
    # hit points, one death more and a point less of vitality; ＤＡＮＡ,
    # never paid for, is still stone.
    case = "temple_raise_succeeds"
    roster, _ = play(runner, bin_dir, cases, case)
    check(case, roster, {
        "ＡＬＡＮ": {"gold": 100, "conditions": 0},
        "ＣＥＤ": {"gold": 4250, "conditions": 0},
        "ＢＥＴＨ": {"conditions": 0, "hp": 24, "maxHp": 24, "rip": 1, "vitality": 14,
                    "level": 3, "gold": 0},
        "ＤＡＮＡ": {"conditions": 8192, "vitality": 9, "level": 4}})

    # Two battles on floor 1 and a chest: the tallies count every monster
    # the transcript saw fall and every item the chest handed over, and the
    # leader's second level is on disk.
    case = "first_expedition"
    roster, _ = play(runner, bin_dir, cases, case)
    check(case, roster, {"ＡＬＡ": {"level": 2}})
    party = set(roster)
    said = [line[4:] for line in LAST_RUN["transcript"].split("\n") if line.startswith("SAY ")]
    fallen = sum(1 for line in said if line.endswith("は\\n死んだ・・・")
                 and line.split("は\\n")[0] not in party)
    found = sum(1 for line in LAST_RUN["transcript"].split("\n")
                if line.startswith("MSG ") and line.endswith("を手に入れた"))
    expect(case, "save", "monsters tallied", sum(LAST_RUN["save"]["monsterTally"].values()), fallen)
    expect(case, "save", "items tallied", sum(LAST_RUN["save"]["itemTally"].values()), found)
    if fallen == 0 or found == 0:
        FAILURES.append("%s: the run fought nothing or found nothing" % case)

    # Row 1 takes the short sword and the scrap and makes the broadsword,
    # tallied once; the katana and the orb make a samurai of the seeds'
    # race and alignment in slot 7, resisting what every one of them does.
    case = "fusion_and_creation_saved"
    roster, _ = play(runner, bin_dir, cases, case)
    check(case, roster, {"ＡＬＡＮ": {"items": [126] + [0] * 11},
                         "ＭＵＲＡ": {"slot": 7, "rosterNo": 7, "classCode": 256, "race": 512,
                                     "alignment": 2, "sex": 1, "level": 1, "age": 1,
                                     "ageDays": 1, "floor": 0}})
    if "ＭＵＲＡ" in roster:
        res = roster["ＭＵＲＡ"]["res"]
        expect(case, "ＭＵＲＡ", "res 15, 17, 18", [res[15], res[17], res[18]], [100, 100, 100])
    expect(case, "save", "broadswords tallied", LAST_RUN["save"]["itemTally"].get("126"), 1)

    for failure in FAILURES:
        print(failure)
    print("%d disagreements" % len(FAILURES))
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
