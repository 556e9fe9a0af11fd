# -*- coding: utf-8 -*-
"""Catalogue of the imaginary KD drive family: types, forms, CPU versions,
capacity data, Info.ini settings, monitor items, alarms and trips."""

# type name -> type number (FB07).  KDB2 and KDC3 share 52 and are told
# apart by the series code 0099 ([Type_Ident_52]).
TYPES = [("KDA1", 41), ("KDB2", 52), ("KDC3", 52)]

TYPE_IDENT = {52: ("0099", {1: "KDB2", 2: "KDC3"})}

FREQ_COMM_NO = {"KDA1": "FA01", "KDB2": "FA01", "KDC3": "FA01"}
CPU2 = {"KDA1": "D", "KDB2": "H", "KDC3": "H"}

# form name -> (form number, voltage class V, motor kW x100,
#               rated current A x10, motor current A x10, motor speed,
#               torque boost % x10, carrier kHz x10, standard acc/dec s x10)
FORMS = {
    "KDA1": {
        "-2004P": (1, 200, 40, 33, 26, 1410, 60, 120, 100),
        "-2007P": (2, 200, 75, 48, 34, 1420, 60, 120, 100),
        "-2015P": (3, 200, 150, 80, 62, 1430, 50, 120, 100),
        "-2022P": (4, 200, 220, 110, 89, 1440, 40, 120, 100),
        "-4007P": (12, 400, 75, 23, 17, 1420, 60, 120, 100),
        "-4015P": (13, 400, 150, 41, 31, 1430, 50, 120, 100),
        "-4022P": (14, 400, 220, 55, 45, 1440, 40, 120, 100),
    },
    "KDB2": {
        "-2037P": (21, 200, 370, 175, 146, 1450, 30, 80, 200),
        "-2055P": (22, 200, 550, 275, 215, 1455, 30, 80, 200),
        "-4037P": (31, 400, 370, 95, 73, 1450, 30, 80, 200),
        "-4055P": (32, 400, 550, 143, 108, 1455, 30, 80, 200),
        "-4075P": (33, 400, 750, 170, 145, 1460, 20, 80, 200),
    },
    "KDC3": {
        "-4110P": (41, 400, 1100, 230, 212, 1465, 20, 40, 300),
        "-4150P": (42, 400, 1500, 310, 285, 1470, 20, 40, 300),
        "-4185P": (43, 400, 1850, 380, 350, 1470, 15, 40, 300),
    },
}

# model folder -> forms that have a capacity file there
MODEL_FORMS = {
    "KDA1(V100)": ["-2004P", "-2007P", "-2015P", "-4015P"],
    "KDA1(V110)": ["-2007P", "-2015P", "-2022P", "-4007P", "-4022P"],
    "KDB2(V820)": ["-2037P", "-2055P", "-4037P", "-4055P", "-4075P"],
    "KDC3(V200)": ["-4110P", "-4150P", "-4185P"],
}


def cap_lines(typ, form):
    """Lines "ComNo,value" of the capacity file of one form."""
    no, volt, kw, rated, mcur, speed, boost, carrier, acc = FORMS[typ][form]
    return [
        ("FB05", no), ("FB58", no), ("FE70", rated), ("FE71", volt * 10),
        ("0405", kw), ("0415", mcur), ("0417", speed), ("0016", boost),
        ("0300", carrier), ("F010", acc),
    ]


# Info.ini [Setup] per type ("Quick" is counted by the generator).
SETUP = {
    "KDA1": dict(Disp="0*", MLD_flt=0, MLD_ID="-", SpChk=0, Option1=0,
                 Option2=0, Unit=0),
    "KDB2": dict(Disp="0*", MLD_flt=0, MLD_ID="-", SpChk=1, Option1=1,
                 Option2=0, Unit=0),
    "KDC3": dict(Disp="0*", MLD_flt=1, MLD_ID="KDC3-CFG-01", SpChk=1,
                 Option1=0, Option2=1, Unit=1),
}

# Info.ini [Def Comms] per type
DEF_COMMS = {
    "KDA1": [("Protocol", "0"), ("Baudrate", "3"), ("Parity", "1"),
             ("InvNo", "0"), ("Para_Protocol", "0829"),
             ("Para_Baudrate", "0800"), ("Para_Parity", "0801"),
             ("Para_InvNo", "0802"), ("Protocol_B", "0"),
             ("Baudrate_B", "3"), ("Parity_B", "0"), ("InvNo_B", "0")],
    "KDB2": [("Protocol", "0"), ("Baudrate", "4"), ("Parity", "1"),
             ("InvNo", "0"), ("Para_Protocol", "Fixed"),
             ("Para_Baudrate", "0800"), ("Para_Parity", "0801"),
             ("Para_InvNo", "0802"), ("Protocol_B", "0"),
             ("Baudrate_B", "3"), ("Parity_B", "0"), ("InvNo_B", "0")],
    "KDC3": [("Protocol", "1"), ("Baudrate", "4"), ("Parity", "1"),
             ("InvNo", "1"), ("Para_Protocol", "0829"),
             ("Para_Baudrate", "0820"), ("Para_Parity", "0821"),
             ("Para_InvNo", "0856"), ("Protocol_B", "0"),
             ("Baudrate_B", "3"), ("Parity_B", "0"), ("InvNo_B", "0")],
}

# Monitor items: (code, English name, Japanese name, normal unit, alt unit, types)
_ALL = ("KDA1", "KDB2", "KDC3")
MONITOR = [
    ("FD00", "Output frequency", "出力周波数", "(Hz)", "(-)", _ALL),
    ("FD02", "Frequency command", "周波数指令値", "(Hz)", "(-)", _ALL),
    ("FD03", "Output current", "出力電流", "(%)", "(A)", _ALL),
    ("FD05", "Output voltage", "出力電圧", "(%)", "(V)", _ALL),
    ("FD04", "DC bus voltage", "直流電圧", "(%)", "(V)", _ALL),
    ("FD16", "Torque", "トルク", "(%)", "(-)", _ALL),
    ("FD18", "Motor load factor", "モータ負荷率", "(%)", "(-)", _ALL),
    ("FD29", "Input power", "入力電力", "(kW)", "(-)", _ALL),
    ("FD30", "Output power", "出力電力", "(kW)", "(-)", ("KDB2", "KDC3")),
    ("FD22", "PID feedback", "PIDフィードバック", "(Hz)", "(-)", ("KDB2", "KDC3")),
    ("FD23", "Heatsink temperature", "冷却フィン温度", "(degC)", "(-)", ("KDC3",)),
    ("FD06-0", "Input terminal F", "入力端子F", "(-)", "(-)", _ALL),
    ("FD06-1", "Input terminal R", "入力端子R", "(-)", "(-)", _ALL),
    ("FD06-2", "Input terminal RES", "入力端子RES", "(-)", "(-)", _ALL),
    ("FD06-3", "Input terminal S1", "入力端子S1", "(-)", "(-)", _ALL),
    ("FD06-12", "Input terminal VIA (contact)", "入力端子VIA(接点)", "(-)", "(-)", _ALL),
    ("FD07-0", "Output terminal RY", "出力端子RY", "(-)", "(-)", _ALL),
    ("FD07-1", "Output terminal OUT1", "出力端子OUT1", "(-)", "(-)", _ALL),
    ("FD07-10", "Fault relay FL", "故障リレーFL", "(-)", "(-)", _ALL),
]

# Alarm word bits 0..15
ALARMS = [
    ("Overcurrent alarm", "過電流アラーム"),
    ("Overvoltage alarm", "過電圧アラーム"),
    ("Inverter overload alarm", "インバータ過負荷アラーム"),
    ("Overheat alarm", "過熱アラーム"),
    ("Communication alarm", "通信アラーム"),
    ("Main circuit undervoltage", "主回路不足電圧"),
    ("Motor overload alarm", "モータ過負荷アラーム"),
    ("Low current alarm", "小電流アラーム"),
    ("Over-torque alarm", "過トルクアラーム"),
    ("Braking resistor overload alarm", "制動抵抗過負荷アラーム"),
    ("Cumulative operation time alarm", "累積運転時間アラーム"),
    ("Parts replacement alarm", "部品交換アラーム"),
    ("PID deviation alarm", "PID偏差アラーム"),
    ("Analog input break alarm", "アナログ入力断線アラーム"),
    ("Cooling fan alarm", "冷却ファンアラーム"),
    ("Option card alarm", "オプションカードアラーム"),
]

# Trip codes (decimal) with names; code 0 comes first ("no trip").
TRIPS = [
    (0, "No trip", "トリップなし", _ALL),
    (1, "OC1: Overcurrent during acceleration", "OC1:加速中過電流", _ALL),
    (2, "OC2: Overcurrent during deceleration", "OC2:減速中過電流", _ALL),
    (3, "OC3: Overcurrent at constant speed", "OC3:定速中過電流", _ALL),
    (4, "OCL: Load-side overcurrent at start", "OCL:始動時負荷側過電流", _ALL),
    (5, "OCA: Arm overcurrent at start", "OCA:始動時アーム過電流", _ALL),
    (8, "EPHI: Input phase failure", "EPHI:入力欠相", _ALL),
    (9, "EPHO: Output phase failure", "EPHO:出力欠相", _ALL),
    (10, "OP1: Overvoltage during acceleration", "OP1:加速中過電圧", _ALL),
    (11, "OP2: Overvoltage during deceleration", "OP2:減速中過電圧", _ALL),
    (12, "OP3: Overvoltage at constant speed", "OP3:定速中過電圧", _ALL),
    (13, "OL1: Inverter overload", "OL1:インバータ過負荷", _ALL),
    (14, "OL2: Motor overload", "OL2:モータ過負荷", _ALL),
    (15, "OLr: Braking resistor overload", "OLr:制動抵抗過負荷", ("KDB2", "KDC3")),
    (16, "OH: Overheat", "OH:過熱", _ALL),
    (17, "E: Emergency stop", "E:非常停止", _ALL),
    (18, "EEP1: EEPROM fault (write)", "EEP1:EEPROM異常(書込み)", _ALL),
    (19, "EEP2: EEPROM fault (initial read)", "EEP2:EEPROM異常(初期読出し)", _ALL),
    (21, "Err2: Main unit RAM fault", "Err2:本体RAM異常", _ALL),
    (22, "Err3: Main unit ROM fault", "Err3:本体ROM異常", _ALL),
    (23, "Err4: CPU fault", "Err4:CPU異常", _ALL),
    (24, "Err5: Communication time-out", "Err5:通信タイムアウト", _ALL),
    (26, "Err7: Current detector fault", "Err7:電流検出器異常", _ALL),
    (27, "Err8: Option card fault", "Err8:オプションカード異常", ("KDC3",)),
    (30, "UP1: Main circuit undervoltage", "UP1:主回路不足電圧", _ALL),
    (32, "EF2: Ground fault", "EF2:地絡", _ALL),
    (34, "UC: Low current", "UC:小電流", _ALL),
    (37, "Ot: Over-torque", "Ot:過トルク", _ALL),
    (46, "OH2: External thermal trip", "OH2:外部サーマルトリップ", _ALL),
    (47, "E-18: Analog input break", "E-18:アナログ入力断線", _ALL),
    (84, "Etn: Auto-tuning error", "Etn:オートチューニング異常", _ALL),
    (85, "EtyP: Inverter type error", "EtyP:インバータ形式異常", _ALL),
    (90, "SOUt: PM step-out", "SOUt:PM脱調", ("KDB2",)),
]

# Types that offer the Quick display ([Setup] Quick = number of quick rows)
SETUP_QUICK = {"KDA1": True}
