#pragma once

#include "commandcontext.h"
#include "workmode.h"

#include <cstdint>

namespace tintora {

// The switch that makes the phone accept custom colour styles: bit 6 of byte 83
// of seem 0x32, record 1.
constexpr int kStyleSeem = 0x32;
constexpr int kStyleRecord = 1;
constexpr int kStyleOffset = 83;
constexpr std::uint8_t kStyleBit = 0x40;

enum class ActivationVerdict { Activated, AlreadyActivated, NotActivated };

struct ActivationResult {
    bool read = false;     // the record was read (phone) or the record file (computer)
    bool changed = false;  // the switch was clear and has been set
    bool written = false;  // the record or the record file was written back
    bool reported = false;  // the report box was shown; not after an input/output error
    bool restarted = false;  // the phone was told to restart after the reboot prompt
    // The write's reply or its reading back was lost: the record may have
    // changed, so no restart follows.
    bool uncertain = false;

    ActivationVerdict verdict() const;
};

// spcolorsch1Click: the branch of the work mode.
ActivationResult ActivateCommand(CommandContext &context, WorkMode workMode);

// Sets the switch in the phone's record, reports, and offers a restart when it
// changed the switch.
ActivationResult ActivateOnPhone(CommandContext &context);

// Asks for a record file, then ActivateRecordFile.
ActivationResult ActivateFromComputer(CommandContext &context);

// Sets the switch in a copy of the record kept in a computer file; an empty
// path is a cancelled dialog. The report names the file. A file that cannot be
// opened, or is a colour scheme, is reported with the reason; one too short
// to hold the switch, or far too long to be a record (over a megabyte), is
// left alone; any other file is written back whole with only that bit
// changed, replaced as a whole or not at all. Needs no phone.
ActivationResult ActivateRecordFile(Messages &messages, const CommandWords &words, const QString &path);

}  // namespace tintora
