#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// One of the two images of the drive's panel: four display characters in the LED font's
// alphabet (see PanelFont) and the lamp byte.
struct PanelImage {
    enum Lamp : uint8_t {
        FRUN = 0x01,
        FVEC = 0x02,
        FECN = 0x04,
        FMON = 0x08,
        FPRG = 0x10,
        // bit 5 has no lamp
        FPC = 0x40,
        FPF = 0x80,
    };
    static constexpr uint8_t LampMask = 0xDF;

    QString text = QStringLiteral("    ");
    uint8_t lamps = 0;

    bool lit(Lamp lamp) const { return (lamps & lamp) != 0; }
    /// The segment code of display position 0..3 (left to right).
    uint8_t segments(int position) const;
    /// The lit lamps as words, left to right: "RUN VEC ECN MON PRG PC PF".
    QString lampWords() const;
    /// The display as a reader sees it, then the lit lamps: " 50.0 RUN MON".
    QString readable() const;

    bool operator==(const PanelImage &) const = default;
};

// The panel block the drive sends: ten data bytes D0..D9. Image A is D0..D3 shown in the order
// D1, D0, D3, D2; image B is D4..D7 shown as D5, D4, D7, D6. The point of the fourth
// character (bit 7 of D2 and D6) is never shown. D8 is the lamp byte of image B, D9 that of
// image A. The panel alternates the two images, which is how characters and lamps blink.
struct PanelBlock {
    PanelImage a;
    PanelImage b;

    /// The images of ten data bytes; nothing when fewer than ten came.
    static std::optional<PanelBlock> decode(const QByteArray &data);
    /// Image A in the blink phase that shows it (`phaseA`), else image B.
    const PanelImage &image(bool phaseA) const { return phaseA ? a : b; }

    /// What the display shows when the panel could not be read: "coMe" in the A phase and
    /// four spaces in the B phase, so that it blinks; no lamp.
    static PanelImage lineLost(bool phaseA);

    bool operator==(const PanelBlock &) const = default;
};
