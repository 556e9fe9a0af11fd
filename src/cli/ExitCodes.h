#pragma once

// Exit codes of the vkr command-line tool.
namespace ExitCode {
constexpr int Ok = 0;
constexpr int ExchangeFailed = 1;  // a drive did not answer one or more exchanges
constexpr int Refused = 2;         // a file was refused (other type, special set-up, bad layout)
constexpr int Usage = 3;           // unknown command or option, missing argument
constexpr int LoadFailed = 4;      // the drive data or language file could not be loaded
constexpr int PortFailed = 5;      // the serial port could not be opened
constexpr int FileFailed = 6;      // an output file could not be written
constexpr int Differs = 7;         // the drive holds or echoed another value than the one compared or sent
constexpr int EntryRejected = 9;   // a value outside the parameter's limits or data size was not sent, or an entry was refused or set to its limit
}  // namespace ExitCode
