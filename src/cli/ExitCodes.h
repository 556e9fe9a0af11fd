#pragma once

// Exit codes of the vkr command-line tool, one meaning per number across all commands. The
// constants and the list that "vkr --help" prints come from this one table.
#define VKR_EXIT_CODES(X)                                                                                   \
    X(Ok, 0, "success")                                                                                     \
    X(ExchangeFailed, 1, "a drive did not answer one or more exchanges")                                    \
    X(Refused, 2, "a file was refused or could not be read, or a question was cancelled")                   \
    X(Usage, 3, "unknown command or option, missing or invalid option value or argument")                   \
    X(LoadFailed, 4, "the data folder, the drive data or the language file could not be loaded")            \
    X(PortFailed, 5, "the serial port could not be opened or is in use")                                    \
    X(FileFailed, 6, "an output file could not be written")                                                 \
    X(Differs, 7, "the drive holds or echoed another value than the one compared or sent")                  \
    X(Tripped, 8, "the drive tripped during a monitoring run that was to stop on a trip")                   \
    X(EntryRejected, 9, "a value or entry beyond the parameter's limits or data size was refused")

namespace ExitCode {

#define VKR_EXIT_CODE_CONSTANT(name, number, meaning) constexpr int name = number;
VKR_EXIT_CODES(VKR_EXIT_CODE_CONSTANT)
#undef VKR_EXIT_CODE_CONSTANT

struct Meaning {
    int code;
    const char *text;
};

#define VKR_EXIT_CODE_MEANING(name, number, meaning) Meaning{number, meaning},
constexpr Meaning Meanings[] = {VKR_EXIT_CODES(VKR_EXIT_CODE_MEANING)};
#undef VKR_EXIT_CODE_MEANING

}  // namespace ExitCode
