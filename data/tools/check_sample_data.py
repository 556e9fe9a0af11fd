#!/usr/bin/env python3
# -*- coding: utf-8 -*-
"""Checks the sample drive data and language files against their formats.

    python3 data/tools/check_sample_data.py

Prints one line per problem and exits with 1 when there is any."""

import configparser
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
DAT = os.path.join(DATA, "dat")
LNG = os.path.join(DATA, "lng")

FIXED = ["0000", "0998", "0999", "FB91", "FB07", "FB05", "FB58", "FB72", "FE08",
         "FE10", "FE11", "FE12", "FE13", "FE14", "FE70", "FE71", "FE73",
         "FA10", "FA11", "FC10", "FC90", "FC91"]
TMULS = {"#", "#.#", "#.##", "#.###", "#.x", "#.xx", "#.xxx", "#.#x", "#.#xx", "#.##x"}
WHITE = " \t\r\n\v\f"
problems = []


def bad(text):
    problems.append(text)


def split_fields(line):
    """The definition-file splitter: a double quote toggles quoting (two in
    a row give an apostrophe), commas outside quotes end a field, white
    space outside quotes is dropped."""
    fields, cur, quoted, i = [], [], False, 0
    while i < len(line):
        c = line[i]
        if c == '"':
            if i + 1 < len(line) and line[i + 1] == '"':
                cur.append("'")
            else:
                quoted = not quoted
        elif c == "," and not quoted:
            fields.append("".join(cur))
            cur = []
        elif c in WHITE and not quoted:
            pass
        else:
            cur.append(c)
        i += 1
    fields.append("".join(cur))
    return fields


def read_lines(path, encoding):
    raw = open(path, "rb").read()
    if b"\n" in raw.replace(b"\r\n", b""):
        bad("%s: line end other than CR LF" % path)
    if not raw.endswith(b"\r\n"):
        bad("%s: last line has no CR LF" % path)
    return raw.decode(encoding).split("\r\n")[:-1]


def read_ini(path, encoding):
    ini = configparser.ConfigParser(interpolation=None, strict=True,
                                    delimiters=("=",), comment_prefixes=(";",))
    ini.optionxform = str
    ini.read_string("\n".join(read_lines(path, encoding)))
    return ini


def has_japanese(text):
    return any(ord(ch) > 0x3000 for ch in text)


def load_inv(path, encoding):
    rows = []
    for n, line in enumerate(read_lines(path, encoding), 1):
        if len(line) < 7:
            bad("%s:%d: short line ends the definitions" % (path, n))
            break
        f = split_fields(line)
        if len(f) not in (16, 17):
            bad("%s:%d: %d fields" % (path, n, len(f)))
            continue
        if len(f) == 16:
            f.append("0")
        rows.append(f)
    return rows


def check_inv(model, lang, rows, info, caps):
    where = "%s %s" % (model, lang)
    nos = [r[0] for r in rows]
    index = {no: i for i, no in enumerate(nos)}
    if len(index) != len(nos):
        bad("%s: duplicate communication numbers" % where)
    for no in FIXED:
        if no not in index:
            bad("%s: fixed number %s missing" % (where, no))
    last_user = max(i for i, no in enumerate(nos) if no.startswith("0"))
    if any(no.startswith("F") for no in nos[:last_user + 1]):
        bad("%s: maintenance row before the last user row" % where)
    if not all(no.startswith("F") for no in nos[last_user + 1:]):
        bad("%s: user row after the maintenance rows" % where)

    def factory(no, depth=0):
        r = rows[index[no]]
        if r[1] == "0":
            return int(caps.get(no, r[2]))
        if depth > 5:
            raise ValueError("loop")
        return factory(r[2], depth + 1)

    for r in rows:
        no, dindex, default, name, title, unit, byte, sign, hindex, high, lindex, low, \
            tmul, mul, mem, flag, quick = r
        if not re.match(r"^[0-9A-F]{4}$", no):
            bad("%s %s: bad number" % (where, no))
        if dindex == "1" and default not in index:
            bad("%s %s: DIndex reference %s unknown" % (where, no, default))
        if hindex == "1" and high not in index:
            bad("%s %s: HIndex reference unknown" % (where, no))
        if lindex in ("1", "-1") and low not in index:
            bad("%s %s: LIndex reference unknown" % (where, no))
        if (tmul or "#") not in TMULS:
            bad("%s %s: TMul %r" % (where, no, tmul))
        if (mul or "1") not in ("1", "10", "100", "1000"):
            bad("%s %s: Mul %r" % (where, no, mul))
        if mem not in ("", "RAM") or flag not in ("0", "1", "2") or quick not in ("0", "1"):
            bad("%s %s: memory/flag/quick" % (where, no))
        if byte not in ("2", "4"):
            bad("%s %s: byte %s" % (where, no, byte))
        try:
            v = factory(no)
            hi = factory(high) if hindex == "1" else int(high)
            lo = int(low) if lindex == "0" else factory(low) * int(lindex)
        except (KeyError, ValueError) as e:
            bad("%s %s: cannot resolve (%s)" % (where, no, e))
            continue
        if not lo <= v <= hi:
            bad("%s %s: factory value %d outside %d..%d" % (where, no, v, lo, hi))
        limit = 2 ** 32 if byte == "4" else 2 ** 16
        if (lo < 0 and not (-limit // 2 <= lo and hi < limit // 2)) or hi >= limit:
            bad("%s %s: limits do not fit %s bytes" % (where, no, byte))
        if lang == "Jap" and no[0] != "F" and not has_japanese(name):
            bad("%s %s: name not Japanese" % (where, no))
    for no in info["Disp CV"]:
        if no not in index:
            bad("%s: [Disp CV] %s not defined" % (where, no))
    quick_rows = sum(1 for r in rows[:last_user + 1] if r[16] == "1")
    if int(info["Setup"]["Quick"]) not in (0, quick_rows):
        bad("%s: [Setup] Quick %s, %d quick rows" % (where, info["Setup"]["Quick"], quick_rows))
    cap_r = [r[0] for r in rows if r[1] == "1" and r[2] in caps]
    if not cap_r:
        bad("%s: no capacity-dependent reference" % where)
    return index


def check_model(model, catalogue):
    typ = model[:model.index("(")]
    cpu = model[model.index("(") + 2:-1]
    folder = os.path.join(DAT, model)
    info = read_ini(os.path.join(folder, "Info.ini"), "cp932")
    for sect, keys in (("Info", ["Type", "Cpu"]),
                       ("Setup", ["Disp", "Quick", "MLD_flt", "MLD_ID", "SpChk",
                                  "Option1", "Option2", "Unit"]),
                       ("Def Comms", ["Protocol", "Baudrate", "Parity", "InvNo",
                                      "Para_Protocol", "Para_Baudrate", "Para_Parity",
                                      "Para_InvNo", "Protocol_B", "Baudrate_B",
                                      "Parity_B", "InvNo_B"])):
        for key in keys:
            if not info.has_option(sect, key):
                bad("%s Info.ini: [%s] %s missing" % (model, sect, key))
    if info["Info"]["Type"] != typ or info["Info"]["Cpu"] != "V" + cpu:
        bad("%s Info.ini: [Info] does not name the folder" % model)
    items = list(info["%s Monitor (Eng)" % typ])
    if list(info["%s Monitor (Jap)" % typ]) != items:
        bad("%s: monitor sections differ" % model)
    if len(info["%s Monitor Unit" % typ]) != len(items):
        bad("%s: unit section length" % model)
    for lang in ("Eng", "Jap"):
        if len(info["%s Alarm (%s)" % (typ, lang)]) != 16:
            bad("%s: alarm section %s has not 16 names" % (model, lang))
        trips = list(info["%s Trip (%s)" % (typ, lang)])
        if not trips or trips[0] != "0":
            bad("%s: trip section %s does not start with 0" % (model, lang))
    for sect in info.sections():
        text = "".join(k + v for k, v in info[sect].items())
        if has_japanese(text) != sect.endswith("(Jap)"):
            bad("%s Info.ini: Japanese text in [%s]" % (model, sect))
    forms = sorted(f[len(typ):-4] for f in os.listdir(folder) if f.endswith(".cap"))
    if len(forms) < 3:
        bad("%s: fewer than three forms" % model)
    first_caps = None
    for form in forms:
        if form not in catalogue[typ]:
            bad("%s: form %s not in the catalogue" % (model, form))
        caps = {}
        for line in read_lines(os.path.join(folder, typ + form + ".cap"), "ascii"):
            f = split_fields(line)
            caps[f[0]] = f[-1]
        if caps.get("FB05") != catalogue[typ].get(form):
            bad("%s%s: FB05 differs from the form number" % (typ, form))
        if int(caps["FE71"]) // 1000 != int(form[1]):
            bad("%s%s: rated voltage does not fit the form" % (typ, form))
        first_caps = first_caps or caps
    indexes = {}
    for lang, enc in (("Eng", "ascii"), ("Jap", "cp932")):
        path = os.path.join(folder, "%s(%s).inv" % (typ, lang))
        rows = load_inv(path, enc)
        if lang == "Jap" and not has_japanese(open(path, "rb").read().decode("cp932")):
            bad("%s: no Japanese" % path)
        indexes[lang] = check_inv(model, lang, rows, info, first_caps)
        byno = {r[0]: r for r in rows}
        for form in forms:
            for line in read_lines(os.path.join(folder, typ + form + ".cap"), "ascii"):
                no, value = split_fields(line)
                r = byno.get(no)
                if r and r[8] == "0" and r[10] == "0" \
                        and not int(r[11]) <= int(value) <= int(r[9]):
                    bad("%s%s: %s outside its limits" % (typ, form, line))
        if byno["FB07"][2] != catalogue["Type"][typ]:
            bad("%s %s: FB07 is not the type number" % (model, lang))
        if byno["FE08"][2] != cpu:
            bad("%s %s: FE08 is not the CPU number" % (model, lang))
        for form in forms:
            for l in read_lines(os.path.join(folder, typ + form + ".cap"), "ascii"):
                if split_fields(l)[0] not in indexes[lang]:
                    bad("%s%s: %s not in the definitions" % (typ, form, l))
        for item in items:
            if item[:4] not in indexes[lang]:
                bad("%s: monitor item %s not defined" % (model, item))
    if list(indexes["Eng"]) != list(indexes["Jap"]):
        bad("%s: Eng and Jap rows differ" % model)
    return int(cpu)


def check_language(name, encoding):
    path = os.path.join(LNG, name)
    ini = read_ini(path, encoding)
    keys = list(ini["General"])
    if keys != ["Message%d" % i for i in range(1, len(keys) + 1)]:
        bad("%s: [General] keys not Message1.. in order" % name)
    if len(keys) < 110:
        bad("%s: message table too short" % name)
    for sect in ("Main", "Parameter", "RS232C", "PrintSet", "Print", "KeyPad", "Monitor",
                 "PrintMon", "InverterInfo", "Options", "Maintenance", "About",
                 "Working", "WorkingRep"):
        if not ini.has_section(sect):
            bad("%s: [%s] missing" % (name, sect))
    if encoding == "cp932" and not has_japanese(open(path, "rb").read().decode("cp932")):
        bad("%s: no Japanese" % name)
    return ini


def main():
    catalogue = read_ini(os.path.join(DAT, "Inverter.ini"), "ascii")
    models = sorted(d for d in os.listdir(DAT) if d[:2].upper() == "KD")
    cpus = [check_model(m, catalogue) for m in models]
    if not any(c > 799 for c in cpus):
        bad("no CPU version above 799")
    for m, c in zip(models, cpus):
        if c > 799 and not catalogue.has_section(m):
            bad("Inverter.ini: [%s] missing" % m)
    for sect in ("Freq Comm No", "CPU2"):
        if not catalogue.has_section(sect):
            bad("Inverter.ini: [%s] missing" % sect)
    en = check_language("English.ini", "cp1252")
    ja = check_language("Japanese.ini", "cp932")
    if en["General"]["Message1"] != "Confirmation" \
            or en["General"]["Message3"] != "Usable serial port is not found." \
            or en["General"]["Message86"] != "VKR410T is closed." \
            or en["General"]["Message93"] != "Not found the Last Inverter data file." \
            or en["General"]["Message94"] != "Not found Inverter data file.":
        bad("English.ini: fixed messages differ")
    if list(en["General"]) != list(ja["General"]):
        bad("language files: different message tables")
    for p in problems:
        print(p)
    print("%d model folders, %d problems" % (len(models), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
