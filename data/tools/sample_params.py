# -*- coding: utf-8 -*-
"""Parameter table of the imaginary KD drive family (types KDA1, KDB2, KDC3).

Every entry describes one row of a definition file (.inv).  The generator
(gen_sample_data.py) writes the rows of each model folder in the order of
PARAMS, so user parameters (numbers beginning with "0", plus the option
card numbers A0xx/C0xx of KDC3 placed among them) come first and all
maintenance parameters (numbers beginning with "F") come after them.

Value notation used below:
  default  int                 factory value (DIndex 0)
           "D:xxxx"            DIndex 1: factory value of parameter xxxx
           {model/type: v}     per-model value, key "*" for the rest
  low      int                 lower limit (LIndex 0)
           "L:xxxx"            LIndex 1: lower limit = value of xxxx
           "N:xxxx"            LIndex -1: lower limit = minus value of xxxx
  high     int                 upper limit (HIndex 0)
           "H:xxxx"            HIndex 1: upper limit = value of xxxx
Options:
  byte=4          32-bit value        mem="RAM"     RAM write
  flag=1|2        transfer flag       quick=1       Quick display (KDA1)
  short=True      line of 16 fields (Quick left out)
  tmul="" / mul=None   write the field empty (reader gives "#" / "1")
  only={...}      models or types that have the parameter (default: all)
"""

MODELS = ["KDA1(V100)", "KDA1(V110)", "KDB2(V820)", "KDC3(V200)"]

PARAMS = []


def p(no, title, en, ja, unit, default, low, high, tmul="#", mul=1, **opt):
    PARAMS.append(dict(no=no, title=title, en=en, ja=ja, unit=unit,
                       default=default, low=low, high=high, tmul=tmul,
                       mul=mul, **opt))


ALL_BUT_A1 = {"KDB2", "KDC3"}

# --- Basic parameters ---------------------------------------------------
p("0000", "FC", "Panel operating frequency", "パネル運転周波数", "Hz",
  0, "L:0013", "H:0012", "#.##", 100, mem="RAM", quick=1)
p("0001", "AU1", "Automatic acceleration/deceleration", "自動加減速", "-",
  0, 0, 2, quick=1)
p("0002", "AU2", "Automatic torque boost", "自動トルクブースト", "-", 0, 0, 2)
p("0003", "CMOd", "Command mode selection", "運転指令モード選択", "-",
  1, 0, 2, quick=1)
p("0004", "FMOd", "Frequency setting mode selection 1", "周波数設定モード選択1", "-",
  {"KDA1": 0, "*": 1}, 0, 9, quick=1)
p("0005", "FMSL", "Meter selection", "メータ選択", "-", 0, 0, 19)
p("0006", "FM", "Meter adjustment", "メータ調整", "-", 640, 0, 1280)
p("0007", "tyP", "Default setting", "標準設定モード選択", "-", 0, 0, 8, mem="RAM")
p("0008", "Fr", "Forward/reverse run selection (panel)", "パネル正転/逆転選択", "-",
  0, 0, 3, quick=1)
p("0009", "ACC", "Acceleration time 1", "加速時間1", "s",
  "D:F010", 1, 36000, "#.#", 10, quick=1)
p("0010", "dEC", "Deceleration time 1", "減速時間1", "s",
  "D:F010", 1, 36000, "#.#", 10, quick=1)
p("0011", "FH", "Maximum frequency", "最高周波数", "Hz",
  {"KDA1": 8000, "*": 6000}, 3000, 50000, "#.##", 100, quick=1)
p("0012", "UL", "Upper limit frequency", "上限周波数", "Hz",
  6000, "L:0013", "H:0011", "#.##", 100, quick=1)
p("0013", "LL", "Lower limit frequency", "下限周波数", "Hz",
  0, 0, "H:0012", "#.##", 100, quick=1)
p("0014", "vL", "Base frequency 1", "基底周波数1", "Hz",
  6000, 2500, 50000, "#.##", 100, quick=1)
p("0015", "Pt", "V/f control mode selection", "V/f制御モード選択", "-",
  {"KDA1": 2, "*": 0}, 0, 6, quick=1)
p("0016", "vb", "Manual torque boost 1", "トルクブースト量1", "%",
  60, 0, 300, "#.#", 10, quick=1)
p("0017", "OLM", "Motor electronic-thermal protection characteristic",
  "モータ電子サーマル保護特性選択", "-", 0, 0, 7, quick=1)
for i in range(1, 8):
    p("%04d" % (17 + i), "Sr%d" % i, "Preset-speed frequency %d" % i,
      "多段速運転周波数%d" % i, "Hz", 0, "L:0013", "H:0012", "#.##", 100,
      quick=1 if i <= 3 else 0)
p("0025", "PSEL", "Panel frequency memory selection", "パネル周波数記憶選択", "-",
  1, 0, 1)
p("0026", "EASY", "Easy setting mode", "かんたん設定モード", "-", 0, 0, 1)
p("0099", "SErC", "Series code", "シリーズコード", "-",
  {"KDC3": 2, "*": 1}, 0, 99, flag=1)

# --- Terminal functions -------------------------------------------------
p("0100", "LF", "Low-speed signal output frequency", "低速度信号出力周波数", "Hz",
  0, 0, "H:0011", "#.##", 100)
p("0101", "vF", "Speed reach setting frequency", "速度到達設定周波数", "Hz",
  0, 0, "H:0011", "#.##", 100)
p("0102", "vFb", "Speed reach detection band", "速度到達検出幅", "Hz",
  250, 0, "H:0011", "#.##", 100)
p("0103", "ALF1", "Always-active function selection 1", "常時ON機能選択1", "-",
  0, 0, 135)
p("0104", "ALF2", "Always-active function selection 2", "常時ON機能選択2", "-",
  0, 0, 135)
p("0105", "FrPr", "Priority when forward and reverse are both on",
  "正転・逆転同時入力時の優先選択", "-", 1, 0, 1)
p("0106", "InPr", "Input terminal priority selection", "入力端子優先選択", "-",
  0, 0, 1)
p("0107", "VIAF", "VIA terminal function selection", "VIA端子機能選択", "-",
  0, 0, 2)
p("0108", "InRt", "Input terminal response time", "入力端子応答時間", "ms",
  2, 1, 100)
p("0109", "LOGI", "Sink/source logic selection", "シンク/ソースロジック選択", "-",
  0, 0, 1)
_IN = [("F", 2), ("R", 4), ("RES", 8), ("S1", 10), ("S2", 12), ("S3", 14),
       ("VIB", 16), ("VIA", 0)]
for i, (term, dflt) in enumerate(_IN, 1):
    p("%04d" % (109 + i), "In%d" % i,
      "Input terminal function selection %d (%s)" % (i, term),
      "入力端子機能選択%d(%s)" % (i, term), "-", dflt, 0, 135, tmul="", mul=None)
_OUT = [("RY", 4), ("OUT1", 6), ("OUT2", 10), ("FL", 11)]
for i, (term, dflt) in enumerate(_OUT, 1):
    p("%04d" % (129 + i), "Ou%d" % i,
      "Output terminal function selection %d (%s)" % (i, term),
      "出力端子機能選択%d(%s)" % (i, term), "-", dflt, 0, 255, tmul="", mul=None)
p("0134", "OLOG", "Output terminal logic selection", "出力端子ロジック選択", "-",
  0, 0, 3)
for i, (term, _d) in enumerate(_OUT, 1):
    base = 135 + 2 * i
    p("%04d" % base, "ON%d" % i, "Output terminal %d on-delay time" % i,
      "出力端子%d ONディレイ時間" % i, "s", 0, 0, 600, "#.#", 10)
    p("%04d" % (base + 1), "OF%d" % i, "Output terminal %d off-delay time" % i,
      "出力端子%d OFFディレイ時間" % i, "s", 0, 0, 600, "#.#", 10)
p("0160", "FCAB", "Frequency command agreement detection band",
  "周波数指令一致検出幅", "Hz", 250, 0, "H:0011", "#.##", 100)
p("0161", "vF2", "Speed reach setting frequency 2", "速度到達設定周波数2", "Hz",
  0, 0, "H:0011", "#.##", 100)
p("0162", "PLS", "Pulse train input selection", "パルス列入力選択", "-", 0, 0, 1,
  only=ALL_BUT_A1)
p("0163", "PLSF", "Pulse train input frequency at maximum", "パルス列最大入力周波数",
  "kHz", 100, 10, 300, "#.#", 10, only=ALL_BUT_A1)
p("0164", "FP", "Pulse train output adjustment", "パルス列出力調整", "-",
  48, 1, 2000)

# --- Second motor --------------------------------------------------------
p("0170", "vL2", "Base frequency 2", "基底周波数2", "Hz",
  6000, 2500, 50000, "#.##", 100)
p("0171", "vLv2", "Base frequency voltage 2", "基底周波数電圧2", "%",
  1000, 500, 1200, "#.#", 10)
p("0172", "vb2", "Manual torque boost 2", "トルクブースト量2", "%",
  "D:0016", 0, 300, "#.#", 10)
p("0173", "tHr2", "Motor electronic-thermal protection level 2",
  "モータ電子サーマル保護レベル2", "%", 100, 10, 100)
p("0174", "Pt2", "V/f control mode selection 2", "V/f制御モード選択2", "-",
  0, 0, 1)
p("0175", "ACC2M", "Acceleration time (motor 2)", "加速時間(モータ2)", "s",
  "D:0500", 1, 36000, "#.#", 10)
p("0176", "dEC2M", "Deceleration time (motor 2)", "減速時間(モータ2)", "s",
  "D:0501", 1, 36000, "#.#", 10)
p("0177", "OLM2", "Motor electronic-thermal characteristic 2",
  "モータ電子サーマル保護特性選択2", "-", 0, 0, 7)
p("0180", "Mt2C", "Motor 2 rated current", "モータ2定格電流", "A",
  "D:0415", 1, 9999, "#.#", 10)
p("0181", "Mt2S", "Motor 2 rated speed", "モータ2定格回転数", "min-1",
  "D:0417", 100, 60000)
p("0182", "Mt2N", "Motor 2 no-load current", "モータ2無負荷電流", "%", 40, 10, 90)
p("0183", "Mt2P", "Motor 2 rated capacity", "モータ2定格容量", "kW",
  "D:0405", 1, 50000, "#.##", 100)
p("0184", "Mt2p", "Motor 2 number of poles", "モータ2極数", "-", 4, 2, 16)
p("0185", "StC2", "Stall prevention level 2", "ストール防止レベル2", "%",
  150, 10, 199)

# --- Frequency settings --------------------------------------------------
p("0200", "FMCH", "Frequency priority selection", "周波数優先選択", "-", 0, 0, 1)
_AIN = [("VIA", 201, None), ("VIB", 210, None), ("VIC", 216, ALL_BUT_A1)]
for name, base, only in _AIN:
    sigd = name == "VIB"
    opt = {} if only is None else {"only": only}
    p("%04d" % base, "%s1" % name, "%s input point 1 setting" % name,
      "%s入力ポイント1設定" % name, "%", 0, -100 if sigd else 0, 100, **opt)
    p("%04d" % (base + 1), "%sf1" % name, "%s input point 1 frequency" % name,
      "%s入力ポイント1周波数" % name, "Hz", 0,
      "N:0011" if sigd else 0, "H:0011", "#.##", 100, **opt)
    p("%04d" % (base + 2), "%s2" % name, "%s input point 2 setting" % name,
      "%s入力ポイント2設定" % name, "%", 100, -100 if sigd else 0, 100, **opt)
    p("%04d" % (base + 3), "%sf2" % name, "%s input point 2 frequency" % name,
      "%s入力ポイント2周波数" % name, "Hz", 6000,
      "N:0011" if sigd else 0, "H:0011", "#.##", 100, **opt)
    p("%04d" % (base + 4), "%sFL" % name, "%s input filter" % name,
      "%s入力フィルタ" % name, "ms", 10, 2, 1000, **opt)
    p("%04d" % (base + 5), "%sB" % name, "%s input bias" % name,
      "%s入力バイアス" % name, "%", 0, -1000, 1000, "#.x", 10, **opt)
p("0207", "FMD2", "Frequency setting mode selection 2", "周波数設定モード選択2", "-",
  1, 0, 9)
p("0208", "FSWF", "Frequency switching frequency", "周波数指令切換周波数", "Hz",
  100, 10, "H:0011", "#.##", 100)
p("0209", "AIFS", "Analog input filter selection", "アナログ入力フィルタ選択", "-",
  0, 0, 3)
p("0240", "StF", "Starting frequency", "始動周波数", "Hz", 50, 50, 1000, "#.##", 100)
p("0241", "RnF", "Operation starting frequency", "運転開始周波数", "Hz",
  0, 0, "H:0011", "#.##", 100)
p("0242", "RnFb", "Operation starting frequency hysteresis", "運転開始周波数ヒステリシス",
  "Hz", 0, 0, "H:0011", "#.##", 100)
p("0243", "StoF", "Stop frequency", "停止周波数", "Hz", 0, 0, 3000, "#.##", 100)
p("0250", "dbF", "DC braking starting frequency", "直流制動開始周波数", "Hz",
  0, 0, "H:0011", "#.##", 100)
p("0251", "dbC", "DC braking current", "直流制動電流", "%", 50, 0, 100)
p("0252", "dbt", "DC braking time", "直流制動時間", "s", 10, 0, 200, "#.#", 10)
p("0253", "dbSt", "DC braking at start selection", "始動時直流制動選択", "-", 0, 0, 1)
p("0254", "MtL", "Motor shaft fixing control", "モータ軸固定制御", "-", 0, 0, 1)
p("0256", "SLtM", "Time limit for lower-limit operation", "下限周波数連続運転時間",
  "s", 0, 0, 6000, "#.#", 10)
p("0260", "JOG", "Jog run frequency", "寸動運転周波数", "Hz",
  500, "L:0013", 2000, "#.##", 100)
p("0261", "JOGS", "Jog stop pattern", "寸動停止パターン", "-", 0, 0, 2)
p("0262", "JOGP", "Panel jog run mode", "パネル寸動運転モード", "-", 0, 0, 1)
for i in range(1, 4):
    p("%04d" % (268 + 2 * i), "JP%d" % i, "Jump frequency %d" % i,
      "ジャンプ周波数%d" % i, "Hz", 0, 0, "H:0011", "#.##", 100)
    p("%04d" % (269 + 2 * i), "JB%d" % i, "Jump frequency band %d" % i,
      "ジャンプ周波数幅%d" % i, "Hz", 0, 0, 3000, "#.##", 100)
for i in range(8, 16):
    p("%04d" % (279 + i), "Sr%d" % i, "Preset-speed frequency %d" % i,
      "多段速運転周波数%d" % i, "Hz", 0, "L:0013", "H:0012", "#.##", 100)
p("0295", "SrMd", "Preset-speed operation mode", "多段速運転モード選択", "-", 0, 0, 1)

# --- Operation mode ------------------------------------------------------
p("0300", "CF", "PWM carrier frequency", "PWMキャリア周波数", "kHz",
  120, 20, 160, "#.#", 10)
p("0301", "ArSt", "Auto-restart control selection", "瞬停再始動制御選択", "-",
  0, 0, 4)
p("0302", "UvC", "Regenerative power ride-through control", "瞬停ノンストップ制御",
  "-", 0, 0, 2)
p("0303", "rEtr", "Retry selection (number of times)", "リトライ選択(回数)", "-",
  0, 0, 10)
p("0304", "dbr", "Dynamic braking selection", "回生制動選択", "-", 0, 0, 2)
p("0305", "OvS", "Overvoltage limit operation", "過電圧制限動作", "-", 2, 0, 3)
p("0306", "Oty", "Base frequency voltage selection", "基底周波数電圧選択", "-",
  1, 0, 3)
p("0307", "SuCy", "Supply voltage correction", "電源電圧補正", "-", 3, 0, 3)
p("0308", "dbrR", "Dynamic braking resistance", "回生制動抵抗値", "ohm",
  {"KDA1": 2000, "*": 500}, 10, 10000, "#.#", 10)
p("0309", "dbrP", "Dynamic braking resistor capacity", "回生制動抵抗容量", "kW",
  {"KDA1": 12, "*": 40}, 1, 6000, "#.##", 100)
p("0310", "UvCt", "Non-stop control time", "瞬停ノンストップ制御時間", "s",
  20, 0, 100, "#.#", 10)
p("0311", "rEvP", "Reverse-run prohibition", "逆転禁止選択", "-", 0, 0, 2)
p("0312", "rAnd", "Random mode", "ランダムモード", "-", 0, 0, 1)
p("0316", "CFCM", "Carrier frequency control mode", "キャリア周波数制御モード",
  "-", 1, 0, 3)
p("0320", "drP", "Drooping gain", "ドルーピングゲイン", "%", 0, 0, 1000, "#.#", 10,
  only=ALL_BUT_A1)
p("0323", "drPF", "Drooping insensitive torque band", "ドルーピング不感帯トルク",
  "%", 100, 0, 1000, "#.#", 10, only=ALL_BUT_A1)
for i, (en, ja, unit, d, lo, hi, tm, mu) in enumerate([
        ("Brake release frequency", "ブレーキ開放周波数", "Hz", 300, 0, 2000, "#.##", 100),
        ("Brake release current", "ブレーキ開放電流", "%", 100, 0, 150, "#", 1),
        ("Brake release time", "ブレーキ開放時間", "s", 5, 0, 250, "#.##", 100),
        ("Brake close frequency", "ブレーキ投入周波数", "Hz", 300, 0, 2000, "#.##", 100),
        ("Brake close time", "ブレーキ投入時間", "s", 10, 0, 250, "#.##", 100)]):
    p("%04d" % (340 + i), "BrK%d" % (i + 1), en, ja, unit, d, lo, hi, tm, mu,
      only={"KDA1(V110)", "KDB2", "KDC3"})
p("0359", "PIdC", "PID control selection", "PID制御選択", "-", 0, 0, 2)
p("0360", "PIdF", "PID feedback input selection", "PIDフィードバック入力選択", "-",
  0, 0, 4)
p("0361", "PIdD", "PID delay filter", "PID遅延フィルタ", "-", 0, 0, 255)
p("0362", "PIdP", "PID proportional gain", "PID比例ゲイン", "-",
  300, 10, 10000, "#.xxx", 1000)
p("0363", "PIdI", "PID integral gain", "PID積分ゲイン", "-",
  200, 10, 10000, "#.#xx", 1000)
p("0364", "PIdU", "PID deviation upper limit", "PID偏差上限", "%",
  1000, 0, 1000, "#.#", 10)
p("0365", "PIdL", "PID deviation lower limit", "PID偏差下限", "%",
  1000, 0, 1000, "#.#", 10)
p("0366", "PIdd", "PID differential gain", "PID微分ゲイン", "-",
  0, 0, 2550, "#.##x", 1000)
p("0367", "PIdH", "Process upper limit", "プロセス上限値", "Hz",
  6000, 0, "H:0011", "#.##", 100)
p("0368", "PIdS", "Process lower limit", "プロセス下限値", "Hz",
  0, 0, "H:0011", "#.##", 100)
p("0369", "PIdW", "PID control waiting time", "PID制御待機時間", "s", 0, 0, 2400)
p("0370", "PIdO", "PID output upper limit", "PID出力上限", "Hz",
  6000, 0, "H:0011", "#.##", 100)
p("0371", "PIdM", "PID output lower limit", "PID出力下限", "Hz",
  0, 0, "H:0011", "#.##", 100)
p("0372", "PIdr", "PID reverse action selection", "PID逆動作選択", "-", 0, 0, 1)
p("0373", "PIdA", "PID deviation alarm level", "PID偏差アラームレベル", "%",
  100, 0, 1000, "#.#", 10)

p("0380", "LLH", "Light-load high-speed operation selection", "軽負荷高速運転選択",
  "-", 0, 0, 4)
p("0381", "LLHF", "Light-load high-speed switching lower limit", "軽負荷高速切換下限周波数",
  "Hz", 4000, 3000, "H:0012", "#.##", 100)
p("0382", "LLHC", "Light-load detection current", "軽負荷検出電流", "%", 50, 10, 100)
p("0383", "LLHU", "Light-load high-speed upper limit", "軽負荷高速上限周波数", "Hz",
  {"KDA1": 8000, "*": 6000}, 3000, "H:0011", "#.##", 100)
p("0384", "LLHT", "Light-load detection time", "軽負荷検出時間", "s",
  10, 0, 100, "#.#", 10)
p("0385", "LLHr", "Light-load heavy-load detection torque", "重負荷検出トルク", "%",
  1000, 0, 2500, "#.#", 10)

# --- Motor constants and torque ----------------------------------------
p("0400", "AUF", "Auto-tuning", "オートチューニング", "-", 0, 0, 2, mem="RAM")
p("0401", "SLIP", "Slip frequency gain", "すべり周波数ゲイン", "-",
  50, 0, 250, "#.#x", 100)
p("0402", "AtbI", "Automatic torque boost value", "自動トルクブースト値", "%",
  57, 0, 300, "#.#", 10)
p("0405", "MtPr", "Motor rated capacity", "モータ定格容量", "kW",
  40, 1, 50000, "#.##", 100)
p("0406", "Mtpl", "Motor number of poles", "モータ極数", "-", 4, 2, 16)
p("0409", "vLv", "Base frequency voltage 1", "基底周波数電圧1", "%",
  1000, 500, 1200, "#.#", 10)
p("0410", "MtTC", "Motor torque constant", "モータトルク定数", "-",
  1000, 1, 65000, "#.###", 1000, only=ALL_BUT_A1)
p("0412", "MtSl", "Motor characteristic coefficient 1", "モータ固有係数1", "-", 10, 0, 100)
p("0415", "MtCr", "Motor rated current", "モータ定格電流", "A",
  26, 1, 9999, "#.#", 10)
p("0416", "MtNL", "Motor no-load current", "モータ無負荷電流", "%", 40, 10, 90)
p("0417", "MtSp", "Motor rated speed", "モータ定格回転数", "min-1",
  1410, 100, 60000)
p("0418", "SPRG", "Speed control response coefficient", "速度制御応答性係数", "-",
  40, 1, 150, "#.#", 10)
p("0419", "SPSt", "Speed control stability coefficient", "速度制御安定化係数", "-",
  20, 1, 100, "#.#", 10)
p("0420", "TCM", "Torque command selection", "トルク指令選択", "-", 3, 0, 5,
  only=ALL_BUT_A1)
p("0421", "TCF", "Torque command filter", "トルク指令フィルタ", "ms", 200, 10, 200,
  only=ALL_BUT_A1)
p("0422", "TCS", "Synchronized torque bias input", "同期トルクバイアス入力", "-",
  0, 0, 4, only=ALL_BUT_A1)
p("0423", "TCTB", "Tension torque bias input", "張力トルクバイアス入力", "-",
  0, 0, 4, only=ALL_BUT_A1)
p("0424", "TCLS", "Load sharing gain input", "負荷分担ゲイン入力", "-",
  0, 0, 4, only=ALL_BUT_A1)
p("0425", "TCSL", "Speed limit in torque control", "トルク制御時速度制限", "Hz",
  6000, 0, "H:0011", "#.##", 100, only=ALL_BUT_A1)
p("0440", "tL1", "Power running torque limit 1", "力行トルク制限1", "%",
  2500, 0, 2500, "#.#", 10)
p("0441", "tL1r", "Regenerative braking torque limit 1", "回生トルク制限1", "%",
  -2500, -2500, 0, "#.#", 10)
p("0442", "tL2", "Power running torque limit 2", "力行トルク制限2", "%",
  2500, 0, 2500, "#.#", 10)
p("0443", "tL2r", "Regenerative braking torque limit 2", "回生トルク制限2", "%",
  -2500, -2500, 0, "#.#", 10)
p("0444", "tLAC", "Torque limit mode (acceleration)", "トルク制限モード(加速)",
  "-", 0, 0, 1)
p("0445", "tLCS", "Torque limit at constant speed", "定速時トルク制限", "-",
  0, 0, 1)
p("0451", "tBIS", "Torque bias", "トルクバイアス", "%", 0, -2500, 2500, "#.#", 10)
p("0458", "CCG", "Current control proportional gain", "電流制御比例ゲイン", "-",
  1000, 0, 10000, "#.###", 1000)
p("0460", "SCG", "Speed loop proportional gain", "速度ループ比例ゲイン", "-",
  2500, 0, 60000, "#.###", 1000)
p("0461", "SCI", "Speed loop integral time", "速度ループ積分時間", "ms",
  1000, 1, 30000, "#.xx", 100)
p("0470", "VIAG", "VIA input gain", "VIA入力ゲイン", "-", 128, 0, 255)
p("0471", "VIAb", "VIA input bias", "VIA入力バイアス", "-", 128, 0, 255)

p("0480", "SrCH", "Speed search selection", "速度サーチ選択", "-", 0, 0, 3)
p("0481", "SrCC", "Speed search current level", "速度サーチ電流レベル", "%",
  100, 10, 150)
p("0482", "SrCW", "Speed search waiting time", "速度サーチ待ち時間", "s",
  5, 0, 100, "#.#", 10)
p("0483", "SrCv", "Speed search voltage recovery time", "速度サーチ電圧復帰時間",
  "s", 10, 1, 100, "#.#", 10)
p("0484", "SrCt", "Speed search detection time", "速度サーチ検出時間", "ms",
  100, 10, 1000)

# --- Acceleration/deceleration 2 ---------------------------------------
p("0500", "ACC2", "Acceleration time 2", "加速時間2", "s",
  "D:0009", 1, 36000, "#.#", 10)
p("0501", "dEC2", "Deceleration time 2", "減速時間2", "s",
  "D:0010", 1, 36000, "#.#", 10)
p("0502", "ACP1", "Acc/dec 1 pattern", "加減速1パターン", "-", 0, 0, 2)
p("0503", "ACP2", "Acc/dec 2 pattern", "加減速2パターン", "-", 0, 0, 2)
p("0504", "ACSL", "Acc/dec selection (1, 2)", "加減速選択(1・2)", "-", 1, 1, 2)
p("0505", "AC12", "Acc/dec 1 and 2 switching frequency", "加減速1・2切換周波数",
  "Hz", 0, 0, "H:0011", "#.##", 100)
p("0506", "SLA1", "S-pattern lower limit adjustment", "S字下限調整量", "%",
  10, 0, 50)
p("0507", "SLA2", "S-pattern upper limit adjustment", "S字上限調整量", "%",
  10, 0, 50)
p("0508", "ACLM", "Minimum acc/dec time", "最小加減速時間", "s",
  1, 1, 100, "#.#", 10)
p("0510", "ACC3", "Acceleration time 3", "加速時間3", "s",
  "D:F010", 1, 36000, "#.#", 10, only=ALL_BUT_A1)
p("0511", "dEC3", "Deceleration time 3", "減速時間3", "s",
  "D:F010", 1, 36000, "#.#", 10, only=ALL_BUT_A1)
p("0512", "ACP3", "Acc/dec 3 pattern", "加減速3パターン", "-", 0, 0, 2,
  only=ALL_BUT_A1)

# --- Protection -----------------------------------------------------------
p("0600", "tHr1", "Motor electronic-thermal protection level 1",
  "モータ電子サーマル保護レベル1", "%", 100, 10, 100, quick=1)
p("0601", "StC1", "Stall prevention level 1", "ストール防止レベル1", "%",
  150, 10, 199, quick=1)
p("0602", "tHrM", "Inverter trip retention selection", "インバータトリップ保持選択",
  "-", 0, 0, 1)
p("0603", "EMG", "Emergency stop selection", "非常停止選択", "-", 0, 0, 2)
p("0604", "EMdb", "Emergency DC braking time", "非常停止時直流制動時間", "s",
  10, 0, 200, "#.#", 10)
p("0605", "OPh", "Output phase failure detection mode", "出力欠相検出モード", "-",
  0, 0, 5)
p("0606", "OLrd", "Motor 150%-overload time limit", "モータ150%過負荷時間",
  "s", 300, 10, 2400)
p("0607", "OLr2", "Motor overload reduction frequency", "モータ過負荷低減周波数",
  "Hz", 1500, 0, 3000, "#.##", 100)
p("0608", "InPh", "Input phase failure detection mode", "入力欠相検出モード", "-",
  1, 0, 1)
p("0609", "LCH", "Low current detection hysteresis", "小電流検出ヒステリシス", "%",
  10, 1, 20)
p("0610", "LCtr", "Low current trip selection", "小電流トリップ選択", "-", 0, 0, 1)
p("0611", "LCL", "Low current detection current", "小電流検出電流", "%", 0, 0, 100)
p("0612", "LCt", "Low current detection time", "小電流検出時間", "s", 0, 0, 255)
p("0613", "SCin", "Short-circuit detection at start", "始動時短絡検出", "-", 0, 0, 3)
p("0615", "OTtr", "Over-torque trip selection", "過トルクトリップ選択", "-", 0, 0, 1)
p("0616", "OTL1", "Over-torque detection level (power running)",
  "過トルク検出レベル(力行)", "%", 1500, 0, 2500, "#.#", 10)
p("0617", "OTL2", "Over-torque detection level (regenerative)",
  "過トルク検出レベル(回生)", "%", 1500, 0, 2500, "#.#", 10)
p("0618", "OTt", "Over-torque detection time", "過トルク検出時間", "s",
  5, 0, 100, "#.#", 10)
p("0619", "OTH", "Over-torque detection hysteresis", "過トルク検出ヒステリシス",
  "%", 100, 0, 1000, "#.#", 10)
p("0620", "FANC", "Cooling fan control selection", "冷却ファン制御選択", "-",
  0, 0, 1)
p("0621", "CUMt", "Cumulative operation time alarm setting", "累積運転時間アラーム設定",
  "h", 6100, 0, 9999999, "#.#", 10, byte=4)
p("0622", "ABNC", "Abnormal speed detection time", "異常速度検出時間", "s",
  1, 1, 100, "#.#", 10, only=ALL_BUT_A1)
p("0623", "ABNB", "Overspeed detection frequency band", "過速度検出周波数幅", "Hz",
  0, 0, 3000, "#.##", 100, only=ALL_BUT_A1)
p("0624", "ABNL", "Speed drop detection frequency band", "速度低下検出周波数幅", "Hz",
  0, 0, 3000, "#.##", 100, only=ALL_BUT_A1)
p("0626", "OvL", "Overvoltage stall protection level", "過電圧ストール保護レベル",
  "%", 1340, 1000, 1500, "#.#", 10)
p("0627", "UvL", "Undervoltage trip selection", "不足電圧トリップ選択", "-",
  0, 0, 2)
p("0628", "UvT", "Undervoltage detection time", "不足電圧検出時間", "s",
  30, 1, 1000, "#.##", 100)
p("0629", "UvLv", "Regenerative power ride-through level", "瞬停ノンストップ制御レベル",
  "%", 750, 550, 1000, "#.#", 10)
p("0630", "BrkT", "Braking answer waiting time", "ブレーキ応答待ち時間", "s",
  0, 0, 100, "#.#", 10)
p("0631", "PtcS", "PTC thermal selection", "PTCサーマル選択", "-", 0, 0, 2)
p("0633", "AIbr", "Analog input break detection level", "アナログ入力断線検出レベル",
  "%", 0, 0, 100)
p("0634", "Tamb", "Annual average ambient temperature", "年間平均周囲温度", "-",
  3, 1, 6)
p("0635", "RelT", "Rush current suppression relay delay", "突入電流抑制リレー遅延",
  "s", 0, 0, 25, "#.#", 10)
p("0640", "StCA", "Stall prevention during acceleration", "加速中ストール防止", "-",
  0, 0, 1)
p("0641", "StCd", "Stall prevention during deceleration", "減速中ストール防止", "-",
  0, 0, 1)

p("0690", "PrLF", "Cooling fan replacement alarm time", "冷却ファン交換アラーム時間",
  "h", 3000, 0, 9999, "#.#", 10)
p("0691", "PrLC", "Capacitor replacement alarm time", "コンデンサ交換アラーム時間",
  "h", 5000, 0, 9999, "#.#", 10)
p("0692", "PrLR", "Relay operation count alarm", "リレー動作回数アラーム", "-",
  100, 0, 1000)
p("0693", "PrLS", "Number of starts alarm", "始動回数アラーム", "-", 100, 0, 1000)
p("0694", "PrLX", "Parts replacement alarm clear", "部品交換アラームクリア", "-",
  0, 0, 1, mem="RAM")

# --- Panel and display --------------------------------------------------
p("0700", "PrtA", "Parameter write protect selection", "パラメータ書込み禁止選択",
  "-", 0, 0, 1, short=True)
p("0701", "dSPU", "Current/voltage display unit selection", "電流・電圧単位選択", "-",
  0, 0, 1, quick=1)
p("0702", "FrUM", "Free unit display multiplier", "自由単位倍率", "-",
  0, 0, 20000, "#.xx", 100)
p("0703", "FrUS", "Free unit selection", "自由単位選択", "-", 0, 0, 2)
p("0705", "FrUG", "Free unit display gradient", "自由単位傾き特性", "-", 1, 0, 1)
p("0706", "FrUB", "Free unit display bias", "自由単位バイアス", "Hz",
  0, 0, "H:0011", "#.##", 100)
p("0707", "StP1", "Change step selection 1", "変化ステップ選択1", "Hz",
  0, 0, "H:0011", "#.##", 100)
p("0708", "StP2", "Change step selection 2", "変化ステップ選択2", "-", 0, 0, 255)
p("0709", "StdM", "Standard monitor hold function", "標準モニタ保持機能", "-",
  0, 0, 1)
p("0710", "IdSP", "Initial panel display selection", "初期パネル表示選択", "-",
  0, 0, 34)
p("0711", "StMd", "Status monitor 1 display selection", "ステータスモニタ1表示選択",
  "-", 1, 0, 34)
p("0712", "StM2", "Status monitor 2 display selection", "ステータスモニタ2表示選択",
  "-", 2, 0, 34)
p("0713", "StM3", "Status monitor 3 display selection", "ステータスモニタ3表示選択",
  "-", 3, 0, 34)
p("0714", "StM4", "Status monitor 4 display selection", "ステータスモニタ4表示選択",
  "-", 4, 0, 34)
p("0719", "CLr", "Operation command clear selection", "運転指令クリア選択", "-",
  1, 0, 1)
p("0720", "PoSO", "Position command offset", "位置指令オフセット", "pls",
  0, -2000000, 2000000, byte=4, only=ALL_BUT_A1)
p("0721", "StpP", "Panel stop pattern", "パネル停止パターン", "-", 0, 0, 1)
p("0730", "PNLf", "Panel frequency setting prohibition", "パネル周波数設定禁止", "-",
  0, 0, 1)
p("0731", "MntC", "Maintenance interval counter", "メンテナンス周期カウンタ", "-",
  0, 0, 4000000000, byte=4)
p("0732", "PNLL", "Local/remote key prohibition", "ローカル/リモートキー禁止", "-",
  0, 0, 1)
p("0733", "PNLr", "Panel run/stop key prohibition", "パネル運転/停止キー禁止", "-",
  0, 0, 1)
p("0734", "PNLE", "Panel emergency stop prohibition", "パネル非常停止禁止", "-",
  0, 0, 1)
p("0735", "PNLR", "Panel reset prohibition", "パネルリセット禁止", "-", 0, 0, 1)
p("0738", "PASS", "Password setting", "パスワード設定", "-", 0, 0, 9999, mem="RAM")
p("0739", "PASV", "Password verification", "パスワード照合", "-", 0, 0, 9999,
  mem="RAM")
p("0740", "trAC", "Trace selection", "トレース選択", "-", 0, 0, 2)
p("0741", "trCY", "Trace cycle", "トレース周期", "-", 2, 0, 5)
p("0742", "trd1", "Trace data 1", "トレースデータ1", "-", 0, 0, 49)
p("0743", "trd2", "Trace data 2", "トレースデータ2", "-", 1, 0, 49)
p("0744", "trd3", "Trace data 3", "トレースデータ3", "-", 2, 0, 49)
p("0745", "trd4", "Trace data 4", "トレースデータ4", "-", 3, 0, 49)
p("0748", "PWRC", "Integral power display clear", "積算電力表示クリア", "-",
  0, 0, 1, short=True)
p("0749", "PWRU", "Integral power display unit", "積算電力表示単位", "-", 1, 0, 4)

p("0760", "FMB", "FM output bias", "FM出力バイアス", "%", 0, -1000, 1000, "#.#", 10)
p("0761", "FMG", "FM output gradient", "FM出力傾き特性", "-", 1, 0, 1)
p("0762", "AMSL", "AM terminal meter selection", "AM端子メータ選択", "-", 2, 0, 19)
p("0763", "AM", "AM terminal meter adjustment", "AM端子メータ調整", "-", 640, 0, 1280)
p("0764", "AMB", "AM output bias", "AM出力バイアス", "%", 0, -1000, 1000, "#.#", 10)

# --- Communication -------------------------------------------------------
p("0800", "bAUd", "Communication baud rate", "通信速度", "-", 0, 0, 2, short=True)
p("0801", "PAtY", "Parity", "パリティ", "-", 1, 0, 2, short=True)
p("0802", "Addr", "Inverter number", "インバータ番号", "-", 0, 0, 63)
p("0803", "tOUt", "Communication time-out time", "通信タイムアウト時間", "s",
  0, 0, 1000, "#.#", 10, short=True)
p("0804", "tOAC", "Communication time-out action", "通信タイムアウト時動作", "-",
  8, 0, 8)
p("0805", "SWt", "Send waiting time", "送信待ち時間", "s", 0, 0, 200, "#.##", 100,
  short=True)
p("0806", "MStS", "Inter-drive master/slave setting", "インバータ間マスタ・スレーブ設定",
  "-", 0, 0, 4)
p("0807", "CMSL", "Communication command point selection", "通信指令ポイント選択",
  "-", 0, 0, 1)
p("0811", "CMP1", "Communication command point 1 setting", "通信指令ポイント1設定",
  "%", 0, 0, 100)
p("0812", "CMF1", "Communication command point 1 frequency", "通信指令ポイント1周波数",
  "Hz", 0, 0, "H:0011", "#.##", 100)
p("0813", "CMP2", "Communication command point 2 setting", "通信指令ポイント2設定",
  "%", 100, 0, 100)
p("0814", "CMF2", "Communication command point 2 frequency", "通信指令ポイント2周波数",
  "Hz", 6000, 0, "H:0011", "#.##", 100)
p("0820", "bAU2", "Baud rate (second port)", "通信速度(第2ポート)", "-", 1, 0, 2)
p("0821", "PAt2", "Parity (second port)", "パリティ(第2ポート)", "-", 1, 0, 2)
p("0825", "CMEr", "Communication error detection delay", "通信異常検出遅延時間",
  "s", 1, 0, 100, "#.#", 10)
p("0829", "PrtC", "Protocol selection", "プロトコル選択", "-", 0, 0, 1)
p("0830", "MOdW", "Modbus response wait time", "Modbus応答待ち時間", "ms",
  0, 0, 200)
p("0850", "OPC1", "Option card setting 1", "オプションカード設定1", "-",
  0, 0, 255, flag=2)
p("0851", "OPC2", "Option card setting 2", "オプションカード設定2", "-",
  0, 0, 255, flag=2)
p("0852", "OPC3", "Option card setting 3", "オプションカード設定3", "-",
  0, 0, 255, flag=2)
p("0853", "OPCt", "Option card time-out", "オプションカードタイムアウト", "s",
  10, 0, 1000, "#.#", 10, flag=2)
p("0856", "NETA", "Network address", "ネットワークアドレス", "-", 1, 1, 247,
  only={"KDC3"})
p("0857", "NETb", "Network baud rate", "ネットワーク通信速度", "-", 2, 0, 5,
  only={"KDC3"})

# --- Option card parameters of KDC3 (configuration file groups 1 and 2) --
for i, (en, ja, d, hi) in enumerate([
        ("Option input terminal function 1", "オプション入力端子機能1", 0, 135),
        ("Option input terminal function 2", "オプション入力端子機能2", 0, 135),
        ("Option input terminal function 3", "オプション入力端子機能3", 0, 135),
        ("Option output terminal function 1", "オプション出力端子機能1", 254, 255),
        ("Option analog output selection", "オプションアナログ出力選択", 0, 31)], 1):
    p("A%03d" % i, "A%03d" % i, en, ja, "-", d, 0, hi, only={"KDC3"})
for i, (en, ja, unit, d, lo, hi, tm, mu) in enumerate([
        ("Encoder pulse number", "エンコーダパルス数", "pls", 1024, 1, 9999, "#", 1),
        ("Encoder filter", "エンコーダフィルタ", "ms", 10, 0, 100, "#.#", 10),
        ("Encoder rotation direction", "エンコーダ回転方向", "-", 0, 0, 1, "#", 1),
        ("Speed detection gain", "速度検出ゲイン", "%", 1000, 500, 1500, "#.#", 10)], 1):
    p("C%03d" % i, "C%03d" % i, en, ja, unit, d, lo, hi, tm, mu, only={"KDC3"})

# --- Application functions ----------------------------------------------
p("0900", "APLC", "Application code", "アプリケーションコード", "-", 0, 0, 255)
p("0901", "FIrE", "Forced fire-speed control", "強制火災運転制御", "-", 0, 0, 1)
p("0902", "FIrF", "Forced fire-speed frequency", "強制火災運転周波数", "Hz",
  5000, "L:0013", "H:0012", "#.##", 100)
p("0903", "TRAV", "Traverse selection", "トラバース選択", "-", 0, 0, 1,
  only=ALL_BUT_A1)
p("0904", "TRAc", "Traverse acceleration time", "トラバース加速時間", "s",
  250, 1, 1200, "#.#", 10, only=ALL_BUT_A1)
p("0905", "TRAd", "Traverse deceleration time", "トラバース減速時間", "s",
  250, 1, 1200, "#.#", 10, only=ALL_BUT_A1)
p("0906", "TRAS", "Traverse step", "トラバースステップ", "%", 100, 0, 250, "#.#", 10,
  only=ALL_BUT_A1)
p("0910", "PMM", "PM motor control selection", "PMモータ制御選択", "-", 0, 0, 1,
  only={"KDB2"})
p("0911", "PMSt", "PM step-out detection current", "PM脱調検出電流レベル", "%",
  100, 10, 150, only={"KDB2"})
p("0912", "PMSd", "PM step-out detection time", "PM脱調検出時間", "s",
  0, 0, 250, "#.##", 100, only={"KDB2"})
p("0913", "PMdI", "PM d-axis inductance", "PM d軸インダクタンス", "mH",
  100, 1, 65000, "#.##", 100, only={"KDB2"})
p("0914", "PMqI", "PM q-axis inductance", "PM q軸インダクタンス", "mH",
  100, 1, 65000, "#.##", 100, only={"KDB2"})
p("0915", "PMoS", "PM speed offset", "PM速度オフセット", "Hz",
  0, "N:0011", "H:0011", "#.##", 100, only={"KDB2"})
p("0920", "SPdO", "Speed reference offset", "速度指令オフセット", "Hz",
  0, "N:0011", "H:0011", "#.##", 100)
p("0921", "AIOF", "Analog output offset", "アナログ出力オフセット", "%",
  0, -1000, 1000, "#.#", 10)
p("0930", "LAng", "Panel language selection", "パネル言語選択", "-", 0, 0, 1)
p("0998", "SUP1", "Region set-up", "仕向け設定", "-", 1, 0, 3, flag=1)
p("0999", "SUP2", "Application set-up", "用途設定", "-", 2, 0, 9, flag=1)

# --- Maintenance parameters ----------------------------------------------
_MNT = [
    ("Current detection gain (U phase)", "電流検出ゲイン(U相)", "%", 1000, 500, 1500, "#.#", 10, {}),
    ("Current detection gain (W phase)", "電流検出ゲイン(W相)", "%", 1000, 500, 1500, "#.#", 10, {}),
    ("DC voltage detection gain", "直流電圧検出ゲイン", "%", 1000, 500, 1500, "#.#", 10, {}),
    ("Output voltage correction gain", "出力電圧補正ゲイン", "%", 1000, 500, 1500, "#.#", 10, {}),
    ("Dead-time compensation amount", "デッドタイム補償量", "us", 30, 0, 100, "#.#", 10, {}),
    ("Dead-time compensation start frequency", "デッドタイム補償開始周波数", "Hz", 50, 0, 1000, "#.##", 100, {}),
    ("Overcurrent trip level (hardware)", "過電流トリップレベル(ハード)", "%", 2200, 1000, 3000, "#.#", 10, {}),
    ("Overcurrent stall level (hardware)", "過電流ストールレベル(ハード)", "%", 1800, 1000, 3000, "#.#", 10, {}),
    ("Inverter overload characteristic", "インバータ過負荷特性選択", "-", 0, 0, 3, "#", 1, {}),
    ("Standard acceleration/deceleration time", "標準加減速時間", "s", 100, 1, 36000, "#.#", 10, {}),
    ("Cooling fan test", "冷却ファンテスト", "-", 0, 0, 1, "#", 1, {"mem": "RAM", "title": ""}),
    ("Test mode selection", "テストモード選択", "-", 0, 0, 9, "#", 1, {"mem": "RAM", "title": ""}),
    ("EEPROM initialisation", "EEPROM初期化", "-", 0, 0, 1, "#", 1, {"mem": "RAM", "title": ""}),
    ("Main circuit capacitor life alarm level", "主回路コンデンサ寿命アラームレベル", "%", 850, 500, 1000, "#.#", 10, {"title": ""}),
    ("Cooling fan life alarm level", "冷却ファン寿命アラームレベル", "h", 3000, 0, 6000, "#.#", 10, {"title": ""}),
    ("Inverter thermal time constant", "インバータ熱時定数", "s", 60, 1, 600, "#", 1, {}),
    ("Heatsink overheat trip level", "冷却フィン過熱トリップレベル", "degC", 95, 60, 120, "#", 1, {}),
    ("Heatsink overheat alarm level", "冷却フィン過熱アラームレベル", "degC", 85, 50, 120, "#", 1, {}),
    ("Current offset (U phase)", "電流オフセット(U相)", "-", 0, -500, 500, "#", 1, {}),
    ("Total power-on time", "累積通電時間", "h", 0, 0, 99999999, "#.#", 10, {"byte": 4, "flag": 1}),
    ("Current offset (W phase)", "電流オフセット(W相)", "-", 0, -500, 500, "#", 1, {}),
    ("Voltage detection offset", "電圧検出オフセット", "-", 0, -500, 500, "#", 1, {}),
    ("Carrier frequency upper limit", "キャリア周波数上限", "kHz", 160, 20, 160, "#.#", 10, {}),
    ("Carrier frequency lower limit", "キャリア周波数下限", "kHz", 20, 20, 160, "#.#", 10, {}),
    ("Regenerative braking duty limit", "回生制動デューティ制限", "%", 30, 0, 100, "#", 1, {}),
    ("Soft-start relay delay", "突入防止リレー遅延時間", "ms", 100, 0, 1000, "#", 1, {}),
    ("Input phase failure detection level", "入力欠相検出レベル", "%", 200, 50, 500, "#.#", 10, {}),
    ("Ground fault detection level", "地絡検出レベル", "%", 500, 100, 1000, "#.#", 10, {}),
    ("Factory test code", "工場検査コード", "-", 0, 0, 65535, "#", 1, {"flag": 1}),
    ("Production lot number", "製造ロット番号", "-", 0, 0, 99999999, "#", 1, {"byte": 4, "flag": 1}),
]
for i, (en, ja, unit, d, lo, hi, tm, mu, opt) in enumerate(_MNT, 1):
    no = "F%03d" % i
    opt = dict(opt)
    title = opt.pop("title", no)
    p(no, title, en, ja, unit, d, lo, hi, tm, mu, **opt)

# --- Fixed communication numbers the tool relies on -------------------
# (form number, type number, CPU number, rated values come from the catalogue
#  and the capacity files; see gen_sample_data.py)
p("FA01", "FA01", "Frequency command (communication)", "周波数指令(通信)", "Hz",
  0, 0, "H:0011", "#.##", 100, mem="RAM", flag=1)
p("FA10", "FA10", "Panel key strobe", "パネルキーストローブ", "-", 0, 0, 1,
  mem="RAM", flag=1)
p("FA11", "FA11", "Panel key code / operation command", "パネルキーコード/運転指令",
  "-", 0, 0, 65535, mem="RAM", flag=1)
p("FB05", "FB05", "Inverter form number", "インバータ形式番号", "-", 0, 0, 65535,
  flag=1)
p("FB07", "FB07", "Inverter type number", "インバータ機種番号", "-",
  "TYPENO", 0, 65535, flag=1)
p("FB58", "FB58", "Inverter form number (extended)", "インバータ形式番号(拡張)", "-",
  0, 0, 65535, flag=1)
p("FB72", "FB72", "Model variant code", "機種バリエーションコード", "-",
  {"KDA1": 0, "KDB2": 3, "KDC3": 5}, 0, 255, flag=1)
p("FB91", "FB91", "Communication access mode", "通信アクセスモード", "-",
  0, 0, 255, mem="RAM", flag=1)
p("FC10", "FC10", "Panel display image", "パネル表示イメージ", "-", 0, 0, 65535,
  mem="RAM", flag=1)
p("FC90", "FC90", "Trip code", "トリップコード", "-", 0, 0, 255, flag=1)
p("FC91", "FC91", "Alarm word", "アラームワード", "-", 0, 0, 65535, flag=1)
p("FD00", "FD00", "Output frequency", "出力周波数", "Hz", 0, 0, 50000, "#.##", 100,
  flag=1)
p("FD02", "FD02", "Frequency command value", "周波数指令値", "Hz", 0, 0, 50000,
  "#.##", 100, flag=1)
p("FD03", "FD03", "Output current", "出力電流", "%", 0, 0, 65535, "#.##", 100,
  flag=1)
p("FD04", "FD04", "DC bus voltage", "直流電圧", "%", 0, 0, 65535, "#.##", 100,
  flag=1)
p("FD05", "FD05", "Output voltage", "出力電圧", "%", 0, 0, 65535, "#.##", 100,
  flag=1)
p("FD06", "FD06", "Input terminal status", "入力端子状態", "-", 0, 0, 65535,
  flag=1)
p("FD07", "FD07", "Output terminal status", "出力端子状態", "-", 0, 0, 65535,
  flag=1)
p("FD16", "FD16", "Torque", "トルク", "%", 0, -30000, 30000, "#.##", 100, flag=1)
p("FD18", "FD18", "Motor load factor", "モータ負荷率", "%", 0, 0, 65535, "#.#", 10,
  flag=1)
p("FD22", "FD22", "PID feedback value", "PIDフィードバック値", "Hz", 0, 0, 50000,
  "#.##", 100, flag=1, only=ALL_BUT_A1)
p("FD23", "FD23", "Heatsink temperature", "冷却フィン温度", "degC", 0, -40, 200,
  flag=1, only={"KDC3"})
p("FD29", "FD29", "Input power", "入力電力", "kW", 0, 0, 65535, "#.##", 100,
  flag=1)
p("FD30", "FD30", "Output power", "出力電力", "kW", 0, 0, 65535, "#.##", 100,
  flag=1, only=ALL_BUT_A1)
p("FE08", "FE08", "CPU version number", "CPUバージョン番号", "-", "CPUNO", 0, 9999,
  flag=1)
for i in range(4):
    p("FE1%d" % i, "FE1%d" % i,
      "Trip history %d%s" % (i + 1, " (latest)" if i == 0 else ""),
      "過去トリップ%d%s" % (i + 1, "(最新)" if i == 0 else ""), "-", 0, 0, 255,
      flag=1)
p("FE14", "FE14", "Cumulative operation time", "累積運転時間", "100h", 0, 0, 65535,
  flag=1)
p("FE70", "FE70", "Inverter rated current", "インバータ定格電流", "A",
  0, 0, 65535, "#.#", 10, flag=1)
p("FE71", "FE71", "Inverter rated voltage", "インバータ定格電圧", "V",
  0, 0, 65535, "#.#", 10, flag=1)
p("FE73", "FE73", "CPU version (detail)", "CPUバージョン(詳細)", "-",
  {"KDA1(V100)": 100, "KDA1(V110)": 112, "KDB2": 0x8203, "KDC3": 0x2001},
  0, 65535, flag=1)

# Current/voltage parameters: shown in amperes / volts by the C/V display.
DISP_CV = {
    "0171": "V", "0173": "C", "0185": "C", "0251": "C", "0409": "V",
    "0600": "C", "0601": "C", "0611": "C", "0626": "V", "0629": "V",
}
