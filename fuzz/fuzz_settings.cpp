// tintora.ini as anyone may have edited it: every key the program reads, in
// Windows-1251 or UTF-8, then a write of one key that must change that key
// alone and read back as written.
#include "fuzzsupport.h"

#include "settings/profilefile.h"
#include "settings/settings.h"

namespace {

using namespace tintora;

struct Everything {
    QString language;
    Settings settings;
    bool operator==(const Everything &other) const
    {
        const PreviewSettings &a = settings.preview, &b = other.settings.preview;
        return language == other.language && a.ProviderName == b.ProviderName
               && a.ClockFormat == b.ClockFormat && a.DateFormat == b.DateFormat
               && a.PressedSoftKey == b.PressedSoftKey && a.ChoosedDate == b.ChoosedDate
               && settings.SpColorPath == other.settings.SpColorPath;
    }
};

Everything ReadEverything(const ProfileFile &file)
{
    return {ReadLanguage(file), ReadSettings(file)};
}

void CheckText(const QString &value)
{
    FUZZ_CHECK(value.size() <= ProfileFile::kMaxTextLength);
    FUZZ_CHECK(!value.contains('\n'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::ScratchPath("tintora.ini");
    fuzz::WriteScratch(path, data, size);
    ProfileFile file(path);

    const Everything before = ReadEverything(file);
    CheckText(before.settings.preview.ProviderName);
    CheckText(before.settings.SpColorPath);
    const StoredPreviewSettings stored = ReadStoredPreviewSettings(file);
    FUZZ_CHECK(stored.ProviderName == before.settings.preview.ProviderName);
    FUZZ_CHECK(std::uint16_t(stored.ChoosedDate) == before.settings.preview.ChoosedDate);
    // Reading never writes.
    FUZZ_CHECK(fuzz::ReadScratch(path) == QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));

    // Cyrillic that Windows-1251 holds, so the file's own code page is used.
    const QString name = QString::fromUtf8("Fuzz Билайн");
    FUZZ_CHECK(file.writeString("Options", "ProviderName", name));
    Everything expected = before;
    expected.settings.preview.ProviderName = name;
    FUZZ_CHECK(ReadEverything(file) == expected);

    FUZZ_CHECK(WriteLanguage(file, QStringLiteral("English")));
    expected.language = QStringLiteral("English");
    FUZZ_CHECK(ReadEverything(file) == expected);

    FUZZ_CHECK(file.writeInt("Options", "ChoosedDate", 17));
    expected.settings.preview.ChoosedDate = 17;
    FUZZ_CHECK(ReadEverything(file) == expected);
    return 0;
}
