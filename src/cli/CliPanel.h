#pragma once

#include "comm/CommExchange.h"
#include "comm/DriveFrameItems.h"
#include "keypad/KeypadLoop.h"

class CliDrive;
class CliLine;

// The keypad's polling loop on the command line's line, shared by "vkr panel" and "vkr key".
struct CliPanel {
    CliPanel(CliDrive &drive, CliLine &line);

    DriveFrameItems items;
    CommExchange exchange;
    KeypadLoop loop;
};
