#!/usr/bin/env python3
"""Reads a QVR1.DAT save image with nothing but its published byte layout,
so that a test can hold the game's own saves against the rules without
trusting the game's reader. Usage: read_save.py QVR1.DAT  (writes JSON)."""

import json
import struct
import sys

SAVE_BYTES = 46586
ROSTER_AT = 404
ENTRY_BYTES = 750
ENTRIES = 51
STOCK_AT = 44022
ITEMS = 641
MONSTERS = 701
# The two tallies lie just before the stock: monsters ever defeated, items
# ever found in chests.
MONSTER_TALLY_AT = STOCK_AT - 4 * ITEMS - 4 * MONSTERS
ITEM_TALLY_AT = STOCK_AT - 4 * ITEMS
NAME_MASK = 0x3A5C

# (field, offset, struct code, count) inside one roster entry.
FIELDS = [
    ("rosterNo", 0, "i", 1), ("level", 4, "i", 1), ("nameCodes", 8, "h", 51),
    ("maxLevel", 112, "i", 1), ("race", 116, "h", 1), ("classCode", 118, "h", 1),
    ("sex", 120, "h", 1), ("alignment", 122, "h", 1), ("age", 124, "h", 1),
    ("ageDays", 126, "h", 1), ("conditions", 128, "i", 1), ("groupNo", 132, "h", 1),
    ("position", 134, "h", 1), ("floor", 136, "h", 1), ("posX", 138, "h", 1),
    ("posY", 140, "h", 1), ("gold", 142, "i", 1), ("exp", 146, "i", 1),
    ("marks", 150, "i", 1), ("baseAc", 154, "i", 1), ("ac", 158, "i", 1),
    ("rip", 162, "i", 1), ("hp", 166, "i", 1), ("maxHp", 170, "i", 1),
    ("strength", 174, "h", 1), ("iq", 176, "h", 1), ("piety", 178, "h", 1),
    ("vitality", 180, "h", 1), ("agility", 182, "h", 1), ("luck", 184, "h", 1),
    ("classMark", 186, "h", 1), ("regen", 188, "h", 1), ("items", 190, "h", 13),
    ("itemFlags", 216, "h", 13), ("spellKnown", 242, "h", 150), ("mp", 542, "h", 30),
    ("maxMp", 602, "h", 30), ("res", 662, "h", 34), ("wardBits", 730, "i", 1),
    ("slayBits", 734, "i", 1), ("meleeCount", 738, "i", 1),
    ("specialFlags", 742, "i", 1), ("steps", 746, "f", 1),
]


def decode_name(codes):
    """Codes 1..50, each a Shift_JIS value under the mask; a 0 is a gap."""
    raw = bytearray()
    for code in codes[1:]:
        if code == 0:
            continue
        value = (code & 0xFFFF) ^ NAME_MASK
        raw += bytes([value >> 8, value & 0xFF]) if value > 0xFF else bytes([value])
    return raw.decode("cp932")


def encode_name(name):
    """The other way, for writing a starting save: 50 masked codes."""
    codes = []
    for ch in name:
        b = ch.encode("cp932")
        value = b[0] if len(b) == 1 else (b[0] << 8) | b[1]
        masked = value ^ NAME_MASK
        codes.append(masked - 0x10000 if masked > 0x7FFF else masked)
    if len(codes) > 50:
        raise ValueError("name longer than 50 characters: " + name)
    return [0] + codes + [0] * (50 - len(codes))


def read_entry(image, index):
    base = ROSTER_AT + index * ENTRY_BYTES
    entry = {}
    for name, offset, code, count in FIELDS:
        values = struct.unpack_from("<%d%s" % (count, code), image, base + offset)
        entry[name] = values[0] if count == 1 else list(values)
    if struct.unpack_from("<h", image, base + 110)[0] != 0:
        raise ValueError("roster entry %d: stored name text is not empty" % index)
    entry["name"] = decode_name(entry["nameCodes"])
    return entry


def write_entry(image, index, entry):
    """Puts the given fields of one entry into a save image (bytearray)."""
    base = ROSTER_AT + index * ENTRY_BYTES
    entry = dict(entry)
    if "name" in entry:
        entry["nameCodes"] = encode_name(entry.pop("name"))
    layout = {name: (offset, code, count) for name, offset, code, count in FIELDS}
    for name, value in entry.items():
        offset, code, count = layout[name]
        values = value if count > 1 else [value]
        struct.pack_into("<%d%s" % (count, code), image, base + offset, *values)


def schools(run):
    """A run of 30 Integers (school fastest) as [school][level]."""
    return [[run[s + 3 * level] for level in range(10)] for s in range(3)]


def read_save(image):
    if len(image) != SAVE_BYTES:
        raise ValueError("save is %d bytes, not %d" % (len(image), SAVE_BYTES))
    roster = []
    for index in range(1, ENTRIES):
        c = read_entry(image, index)
        if c["rosterNo"] == 0:
            continue
        known = c["spellKnown"]
        roster.append({
            "slot": index, "rosterNo": c["rosterNo"], "name": c["name"],
            "level": c["level"], "gold": c["gold"], "hp": c["hp"], "maxHp": c["maxHp"],
            "age": c["age"], "ageDays": c["ageDays"], "conditions": c["conditions"],
            "rip": c["rip"], "exp": c["exp"], "vitality": c["vitality"],
            "agility": c["agility"], "items": c["items"][1:],
            "itemFlags": c["itemFlags"][1:], "classCode": c["classCode"], "race": c["race"],
            "alignment": c["alignment"], "sex": c["sex"], "strength": c["strength"],
            "iq": c["iq"], "piety": c["piety"], "luck": c["luck"], "ac": c["ac"],
            "baseAc": c["baseAc"], "floor": c["floor"], "res": c["res"],
            "mp": schools(c["mp"]), "maxMp": schools(c["maxMp"]),
            # [school][level][slot], from s + 3*l + 30*k
            "spellKnown": [[[known[s + 3 * level + 30 * k] for k in range(5)]
                            for level in range(10)] for s in range(3)],
        })
    stock = struct.unpack_from("<%di" % ITEMS, image, STOCK_AT)
    monsters = struct.unpack_from("<%di" % MONSTERS, image, MONSTER_TALLY_AT)
    found = struct.unpack_from("<%di" % ITEMS, image, ITEM_TALLY_AT)
    return {"roster": roster,
            "itemStock": {str(i): n for i, n in enumerate(stock) if n != 0},
            "monsterTally": {str(i): n for i, n in enumerate(monsters) if n != 0},
            "itemTally": {str(i): n for i, n in enumerate(found) if n != 0}}


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: read_save.py QVR1.DAT\n")
        return 2
    with open(argv[1], "rb") as f:
        image = f.read()
    json.dump(read_save(image), sys.stdout, ensure_ascii=False, indent=1)
    sys.stdout.write("\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
