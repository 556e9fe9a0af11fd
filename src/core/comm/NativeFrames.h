#pragma once

#include "CommSettings.h"
#include "FrameItem.h"

#include <QByteArray>

// Frames of the drive maker's own protocol. Request: 0x2F, [number byte], ["L" for a 32-bit
// parameter], command "R"/"W"/"P", two address bytes, [data, big-endian: 2 bytes or 4 with
// "L"], check value = low 8 bits of the sum of all bytes before it. The reply has the layout of
// a write request. Pure functions: no port, no clock.

/// Shapes of the request that only drive detection uses.
struct NativeFrameForm {
    bool longMarker = true;  // false: always the 16-bit form, whatever the parameter's width
    bool startByte = true;   // false: the resynchronising second try without 0x2F
};

/// The request frame for `command` ('R', 'W' or 'P'); `data` is used by writes only.
QByteArray BuildNativeRequest(const FrameItem &item, char command, const QString &data,
                              const CommSettings &settings, NativeFrameForm form = {});
/// Expected reply length: 7/8 for 16-bit, 10/11 for 32-bit (without/with number byte),
/// 15 for a read of a block item.
int NativeReplyLength(const FrameItem &item, char command, const CommSettings &settings);
/// True when at least `expected` bytes arrived and the check value over the first
/// expected - 1 bytes matches, or whatever arrived for a block item.
bool NativeReplyValid(const QByteArray &reply, int expected, const FrameItem &item);
/// True when the reply answers this request: its command byte and communication number are
/// those of the request (a late reply to an earlier request, or noise that happens to pass
/// the 8-bit sum, is not). Block items are not compared: the panel image has a layout of its
/// own. Expects a reply of at least the expected length.
bool NativeReplyAnswers(const QByteArray &reply, const FrameItem &item, char command, const CommSettings &settings);
/// The data of a reply, unsigned: 16 bits, or 32 bits for a 32-bit parameter; 0 when the reply
/// is too short to hold it.
uint32_t NativeReplyValue(const QByteArray &reply, const FrameItem &item, const CommSettings &settings);

/// Low 8 bits of the sum of `count` bytes from the start.
uint8_t NativeCheckValue(const QByteArray &bytes, int count);
