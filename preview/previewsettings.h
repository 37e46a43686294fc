#pragma once

#include <QString>

#include <cstdint>

namespace tintora {

// The preview options held in memory; the settings file fills them.
struct PreviewSettings {
    QString ProviderName;
    std::uint8_t ClockFormat = 0;
    std::uint8_t DateFormat = 0;
    std::uint8_t PressedSoftKey = 0;
    std::uint16_t ChoosedDate = 0;
    bool operator==(const PreviewSettings &) const = default;
};

}  // namespace tintora
