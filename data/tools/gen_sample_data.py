#!/usr/bin/env python3
# -*- coding: utf-8 -*-
"""Writes the sample drive data (data/dat) and the language files (data/lng)
of the imaginary KD drive family from the tables in this folder.

    python3 data/tools/gen_sample_data.py

All files end their lines with CR LF.  English files are pure ASCII
(valid windows-1252), Japanese files and every Info.ini are Shift-JIS
(cp932); Info.ini holds Japanese text only in its "(Jap)" sections.
"""

import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import sample_catalog as cat                      # noqa: E402
import sample_lang_messages as msg                # noqa: E402
import sample_lang_sections as sec                # noqa: E402
import sample_params as prm                       # noqa: E402

DATA = os.path.dirname(HERE)
DAT = os.path.join(DATA, "dat")
LNG = os.path.join(DATA, "lng")

TYPE_NO = dict(cat.TYPES)
LANGS = (("Eng", "ascii"), ("Jap", "cp932"))


def write_lines(path, lines, encoding):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    data = "".join(line + "\r\n" for line in lines).encode(encoding)
    with open(path, "wb") as f:
        f.write(data)


def model_type(model):
    return model.split("(")[0]


def model_cpu(model):
    return model[model.index("(") + 1:-1]          # "V100"


def applies(param, model):
    only = param.get("only")
    return only is None or model in only or model_type(model) in only


def pick(value, model):
    """A per-model value: dict keyed by model, type or "*"."""
    if isinstance(value, dict):
        for key in (model, model_type(model), "*"):
            if key in value:
                return value[key]
        raise KeyError(model)
    return value


def model_params(model):
    return [q for q in prm.PARAMS if applies(q, model)]


def factory_default(param, model, first_caps):
    """(DIndex, Default text) of a row."""
    d = pick(param["default"], model)
    if d == "TYPENO":
        d = TYPE_NO[model_type(model)]
    elif d == "CPUNO":
        d = int(model_cpu(model)[1:])
    if param["no"] in first_caps:
        d = first_caps[param["no"]]
    if isinstance(d, str) and d.startswith("D:"):
        return "1", d[2:]
    return "0", str(d)


def limit(value):
    """(indicator, value text) of a limit."""
    if isinstance(value, str):
        tag, ref = value.split(":")
        return {"H": "1", "L": "1", "N": "-1"}[tag], ref
    return "0", str(value)


SAFE = re.compile(r"^[A-Za-z0-9_.+%\-]*$")


def field(text):
    """Quote a name or title unless it is a plain token (blanks outside
    quotes are dropped by the reader)."""
    return text if SAFE.match(text) else '"%s"' % text


def inv_line(param, model, lang, first_caps):
    dindex, default = factory_default(param, model, first_caps)
    hindex, high = limit(param["high"])
    lindex, low = limit(param["low"])
    signed = lindex == "-1" or (lindex == "0" and int(low) < 0)
    name = param["en"] if lang == "Eng" else param["ja"]
    tmul = param["tmul"]
    mul = "" if param["mul"] is None else str(param["mul"])
    quick = param.get("quick", 0) if cat.SETUP_QUICK.get(model_type(model)) else 0
    fields = [
        param["no"], dindex, default, field(name), field(param["title"]),
        field(param["unit"]), str(param.get("byte", 2)), "1" if signed else "0",
        hindex, high, lindex, low, tmul, mul, param.get("mem", ""),
        str(param.get("flag", 0)),
    ]
    if not param.get("short"):
        fields.append(str(quick))
    return ",".join(fields)


def first_cap_values(model):
    typ = model_type(model)
    return dict(cat.cap_lines(typ, cat.MODEL_FORMS[model][0]))


def user_rows(params):
    """Rows up to the last one whose number begins with "0"."""
    last = max(i for i, q in enumerate(params) if q["no"].startswith("0"))
    return params[:last + 1]


def check_order(model, params):
    users = user_rows(params)
    assert all(not q["no"].startswith("F") for q in users), model
    assert all(q["no"].startswith("F") for q in params[len(users):]), model


def write_model(model):
    typ = model_type(model)
    folder = os.path.join(DAT, model)
    params = model_params(model)
    check_order(model, params)
    caps = first_cap_values(model)
    for lang, enc in LANGS:
        lines = [inv_line(q, model, lang, caps) for q in params]
        write_lines(os.path.join(folder, "%s(%s).inv" % (typ, lang)), lines, enc)
    for form in cat.MODEL_FORMS[model]:
        lines = ["%s,%d" % kv for kv in cat.cap_lines(typ, form)]
        write_lines(os.path.join(folder, "%s%s.cap" % (typ, form)), lines, "ascii")
    write_lines(os.path.join(folder, "Info.ini"), info_lines(model, params), "cp932")


def quick_count(model, params):
    if not cat.SETUP_QUICK.get(model_type(model)):
        return 0
    return sum(1 for q in user_rows(params) if q.get("quick") and not q.get("short"))


def info_lines(model, params):
    typ = model_type(model)
    setup = dict(cat.SETUP[typ])
    out = ["[Info]", "Type=%s" % typ, "Cpu=%s" % model_cpu(model), "", "[Setup]"]
    out.append("Disp=%s" % setup.pop("Disp"))
    out.append("Quick=%d" % quick_count(model, params))
    out += ["%s=%s" % kv for kv in setup.items()]
    have = {q["no"] for q in params}
    out += ["", "[Disp CV]"]
    out += ["%s=%s" % (no, cv) for no, cv in sorted(prm.DISP_CV.items()) if no in have]
    out += ["", "[Def Comms]"]
    out += ["%s=%s" % kv for kv in cat.DEF_COMMS[typ]]
    items = [m for m in cat.MONITOR if typ in m[5]]
    for lang, col in (("Eng", 1), ("Jap", 2)):
        out += ["", "[%s Monitor (%s)]" % (typ, lang)]
        out += ["%s=%s" % (m[0], m[col]) for m in items]
    out += ["", "[%s Monitor Unit]" % typ]
    out += ["%02d%s=%s" % (i, m[3], m[4]) for i, m in enumerate(items, 1)]
    for lang, col in (("Eng", 0), ("Jap", 1)):
        out += ["", "[%s Alarm (%s)]" % (typ, lang)]
        out += ["Bit%d=%s" % (i, a[col]) for i, a in enumerate(cat.ALARMS)]
    trips = [t for t in cat.TRIPS if typ in t[3]]
    for lang, col in (("Eng", 1), ("Jap", 2)):
        out += ["", "[%s Trip (%s)]" % (typ, lang)]
        out += ["%d=%s" % (t[0], t[col]) for t in trips]
    return out


def catalogue_lines():
    out = ["[Type]"] + ["%s=%d" % t for t in cat.TYPES]
    for typ, _no in cat.TYPES:
        out += ["", "[%s]" % typ]
        forms = sorted(cat.FORMS[typ].items(), key=lambda kv: kv[1][0])
        out += ["%s=%d" % (f, v[0]) for f, v in forms]
    for model in cat.MODEL_FORMS:
        cpu = int(model_cpu(model)[1:])
        if cpu > 799:
            typ = model_type(model)
            out += ["", "[%s]" % model]
            out += ["%s=%d" % (f, cat.FORMS[typ][f][0]) for f in cat.MODEL_FORMS[model]]
    for typeno, (ident, names) in sorted(cat.TYPE_IDENT.items()):
        out += ["", "[Type_Ident_%d]" % typeno, "Ident=%s" % ident]
        out += ["Typ_%d=%s" % kv for kv in sorted(names.items())]
    out += ["", "[Freq Comm No]"] + ["%s=%s" % kv for kv in cat.FREQ_COMM_NO.items()]
    out += ["", "[CPU2]"] + ["%s=%s" % kv for kv in cat.CPU2.items()]
    return out


def ini_value(text):
    """Values keep leading or trailing blanks only inside double quotes."""
    return '"%s"' % text if text != text.strip() else text


def language_lines(col):
    out = ["[General]"]
    for k in range(msg.LAST_MESSAGE + 1):
        entry = msg.MESSAGES.get(k)
        text = entry[col] if entry else "-"
        out.append("Message%d=%s" % (k + 1, ini_value(text)))
    for name, keys in sec.SECTIONS:
        out += ["", "[%s]" % name]
        if name == "InverterInfo":
            for en_key, ja_key, en_val, ja_val in sec.INVERTER_INFO:
                key = en_key if col == 1 else ja_key
                val = en_val if col == 1 or ja_val is None else ja_val
                out.append("%s=%s" % (key, val))
            continue
        out += ["%s=%s" % (key, ini_value(texts[col - 1])) for key, *texts in keys]
    return out


def messages_md():
    out = [
        "# Language messages",
        "",
        "Language message k is the k-th value (counted from 0) of the [General]",
        "section of a language file, that is key Message<k+1> in a complete file.",
        "English.ini and Japanese.ini list Message1 to Message%d in order; numbers"
        % (msg.LAST_MESSAGE + 1),
        "not used by the tool hold \"-\" so that the numbering never shifts.",
        "",
        "| number | key | meaning | English text |",
        "|---|---|---|---|",
    ]
    for k in sorted(msg.MESSAGES):
        meaning, en, _ja = msg.MESSAGES[k]
        out.append("| %d | Message%d | %s | %s |" % (
            k, k + 1, meaning.replace("|", "/"), ini_value(en).replace("|", "/")))
    unused = [k for k in range(msg.LAST_MESSAGE + 1) if k not in msg.MESSAGES]
    out += ["", "Unused numbers (written as \"-\"): " + ", ".join(map(str, unused)) + "."]
    return out


def main():
    for model in cat.MODEL_FORMS:
        write_model(model)
    write_lines(os.path.join(DAT, "Inverter.ini"), catalogue_lines(), "ascii")
    write_lines(os.path.join(LNG, "English.ini"), language_lines(1), "cp1252")
    write_lines(os.path.join(LNG, "Japanese.ini"), language_lines(2), "cp932")
    with open(os.path.join(LNG, "MESSAGES.md"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(messages_md()) + "\n")


if __name__ == "__main__":
    main()
