// Activation of any record file: at most bit 6 of byte 83 changes, the length
// never does, and the verdict says what happened to the file.
#include "fuzzsupport.h"

#include "phone/activation.h"
#include "tests/scheme/recordingmessages.h"

namespace {

// The words do not matter here, only that every report is made.
class NoWords : public tintora::CommandWords {
public:
    QString text(const tintora::CommandNote &) const override { return {}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace tintora;
    const QString path = fuzz::ScratchPath("0032_0001.seem");
    fuzz::WriteScratch(path, data, size);
    const QByteArray before(reinterpret_cast<const char *>(data), qsizetype(size));

    RecordingMessages messages;
    const ActivationResult result = ActivateRecordFile(messages, NoWords(), path);
    const QByteArray after = fuzz::ReadScratch(path);

    FUZZ_CHECK(after.size() == before.size());
    for (qsizetype i = 0; i < after.size(); ++i) {
        const auto changed = std::uint8_t(after[i] ^ before[i]);
        FUZZ_CHECK(changed == 0 || (i == kStyleOffset && changed == kStyleBit));
    }
    const bool wasSet = before.size() > kStyleOffset && (before[kStyleOffset] & kStyleBit);
    const bool isSet = after.size() > kStyleOffset && (after[kStyleOffset] & kStyleBit);
    FUZZ_CHECK(result.changed == (isSet && !wasSet));
    switch (result.verdict()) {
    case ActivationVerdict::Activated:
        FUZZ_CHECK(!wasSet && isSet);
        break;
    case ActivationVerdict::AlreadyActivated:
        FUZZ_CHECK(wasSet);
        break;
    case ActivationVerdict::NotActivated:
        FUZZ_CHECK(after == before);
        break;
    }
    if (result.reported)
        FUZZ_CHECK(!messages.informed.isEmpty());
    return 0;
}
