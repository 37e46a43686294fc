// LoadSchemeFile on any file: a failed load leaves the scheme as it was, and a
// loaded one encodes back to what the file layout says it holds.
#include "fuzzsupport.h"

#include "scheme/colourscheme.h"

#include <algorithm>
#include <cstring>

namespace {

using namespace tintora;

// Worked out from the file layout, not from the decoder: the header written
// fresh, the name up to its first zero ("STYLE" when empty), transparencies
// above 15 as 15, colours as they stand.
SchemeImage Canonical(const SchemeImage &in)
{
    SchemeImage out{};
    out[1] = 'S';
    out[3] = 'C';
    out[5] = 'H';
    int length = 0;
    while (length < kMaxNameLength && in[9 + 2 * length] != 0) {
        out[9 + 2 * length] = in[9 + 2 * length];
        ++length;
    }
    if (length == 0) {
        for (int k = 0; k < 5; ++k)
            out[9 + 2 * k] = std::uint8_t("STYLE"[k]);
    }
    out[51] = 0x3F;
    for (int offset = 52; offset < kSchemeImageSize; offset += 4) {
        std::copy_n(in.begin() + offset, 3, out.begin() + offset);
        out[offset + 3] = std::min<std::uint8_t>(in[offset + 3], 15);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::ScratchPath("spcolor.sch");
    fuzz::WriteScratch(path, data, size);

    SchemeImage front{};
    std::copy_n(data, std::min<std::size_t>(size, kSchemeImageSize), front.begin());
    const SchemeFileRead read = ReadSchemeImage(path);
    FUZZ_CHECK(read.outcome == LoadOutcome::Loaded);
    FUZZ_CHECK(read.image == front);

    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    scheme.name = "BEFORE";
    const ColourScheme before = scheme;
    const LoadOutcome outcome = LoadSchemeFile(scheme, path).outcome;

    if (!IsSchemeImage(front)) {
        FUZZ_CHECK(outcome == LoadOutcome::NotScheme);
        FUZZ_CHECK(scheme.entries == before.entries && scheme.name == before.name);
        return 0;
    }
    FUZZ_CHECK(outcome == LoadOutcome::Loaded);
    FUZZ_CHECK(scheme.name.size() <= kMaxNameLength && !scheme.name.contains('\0'));
    const SchemeImage written = EncodeScheme(scheme);
    const SchemeImage expected = Canonical(front);
    FUZZ_CHECK(written == expected);
    // A whole file in the form the program writes comes back byte for byte.
    if (size == std::size_t(kSchemeImageSize) && front == expected)
        FUZZ_CHECK(std::memcmp(written.data(), data, size) == 0);
    return 0;
}
