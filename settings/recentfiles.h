#pragma once

#include <QStringList>

namespace tintora {

class ProfileFile;

// The schemes last opened or saved on the computer, newest first, kept in tintora.ini as
// [Recent] File1..File8.
class RecentFiles {
public:
    static constexpr int kCapacity = 8;

    // Missing and empty keys are skipped.
    static RecentFiles Read(const ProfileFile &file);
    // All eight keys, empty past the end of the list; false at the first that fails.
    bool write(ProfileFile &file) const;

    // The file goes to the top; an older entry for it is dropped, and the ninth falls off.
    void add(const QString &path);
    void remove(const QString &path);
    const QStringList &paths() const { return paths_; }

private:
    QStringList paths_;
};

}  // namespace tintora
