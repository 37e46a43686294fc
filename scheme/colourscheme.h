#pragma once

#include "element.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace tintora {

// 0x00BBGGRR, the layout the phone file and the drawing code share.
using Colour = std::uint32_t;

constexpr int kElementCount = 63;
constexpr int kSchemeImageSize = 304;
constexpr int kMaxNameLength = 14;

struct SchemeEntry {
    Colour colour = 0;
    std::uint8_t transparency = 0;  // 0 opaque .. 15 invisible
    bool operator==(const SchemeEntry &) const = default;
};

// The name holds Windows-1251 bytes, never a zero byte, at most 14 of them.
struct ColourScheme {
    std::array<SchemeEntry, kElementCount> entries{};
    QByteArray name;

    SchemeEntry &entry(int element) { return entries[element - 1]; }
    const SchemeEntry &entry(int element) const { return entries[element - 1]; }
    SchemeEntry &entry(Element element) { return entry(ElementNumber(element)); }
    const SchemeEntry &entry(Element element) const { return entry(ElementNumber(element)); }
    bool operator==(const ColourScheme &) const = default;
};

using SchemeImage = std::array<std::uint8_t, kSchemeImageSize>;

// Indexed by element number; index 0 is unused.
extern const std::array<int, kElementCount + 1> EntryOffsetTable;
// Bytes 52..303 of the default scheme's image, in file order.
extern const std::array<std::uint8_t, kSchemeImageSize - 52> DefaultSchemeBody;

SchemeEntry DecodeEntry(const SchemeImage &image, int offset);
std::array<std::uint8_t, 4> PackEntry(const SchemeEntry &entry);
bool IsSchemeImage(const SchemeImage &image);
void DecodeScheme(ColourScheme &scheme, const SchemeImage &image);
// May set an empty name to "STYLE", in the scheme as well as the image.
SchemeImage EncodeScheme(ColourScheme &scheme);
void BuildDefaultScheme(ColourScheme &scheme);

enum class LoadOutcome {
    Loaded,
    NotOpened,
    ReadFailed,
    NotScheme,
};

// The front of a file, at most 304 bytes, zero-filled behind a short file, and what became of
// the read, with the values its report shows (ui/wording words them).
struct SchemeFileRead {
    LoadOutcome outcome = LoadOutcome::NotOpened;
    SchemeImage image{};
    int size = 0;  // bytes the file had, up to 304
    // Not opened: refused unopened as a device, a pipe or a socket (IsSpecialFile).
    bool special = false;
    // Not opened or read failed: the system's reason, as it gave it.
    QString reason;
};
// Nothing is decoded: outcome is Loaded, NotOpened or ReadFailed.
SchemeFileRead ReadSchemeImage(const QString &path);
// ReadSchemeImage, then the scheme decoded from a file with the signature; any other file is
// NotScheme. A scheme not Loaded is left as it was.
SchemeFileRead LoadSchemeFile(ColourScheme &scheme, const QString &path);

}  // namespace tintora
