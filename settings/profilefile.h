#pragma once

#include <QString>

namespace tintora {

// A Windows-style INI file, used like the private-profile functions: nothing
// is cached, each read parses the file and each write rewrites it at once.
// A write changes only its own key; every other line stays byte for byte.
// Section and key names match without regard to case. Text is Windows-1251,
// except that a line of valid UTF-8 is read as UTF-8; a value is written in
// Windows-1251 when it can be, else in UTF-8.
class ProfileFile {
public:
    static constexpr int kMaxTextLength = 2047;
    // A larger file is no settings file anyone wrote: it is neither read (every
    // key gives its default) nor rewritten, so reading it costs no memory or
    // time and nothing of it is lost.
    static constexpr qint64 kMaxFileSize = 1 << 20;

    explicit ProfileFile(QString path);

    const QString &path() const { return path_; }
    bool isTooLarge() const;

    // A missing file, section or key gives def; reading never creates the file.
    QString readString(const QString &section, const QString &key, const QString &def) const;
    // The whole value, after an optional sign: decimal that fits 32 bits, or
    // hexadecimal of up to 32 bits after "0x", "0X" or "$". Anything else
    // ("12abc", "0x", "one", a number too large) gives def.
    int readInt(const QString &section, const QString &key, int def) const;

    // False when the file cannot be written; it is then left as it was.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool writeInt(const QString &section, const QString &key, int value);
    // The system's reason for the last write that failed.
    const QString &lastError() const { return lastError_; }

private:
    QString path_;
    QString lastError_;
};


}  // namespace tintora
