#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#if defined(Q_OS_LINUX)
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace tintora::test {

#if defined(Q_OS_LINUX)

// Files stop growing at a byte count, so a write fails part-way on a real
// file system, even for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

// A file that nobody, root included, may open for writing or replace.
class ImmutableFile {
public:
    explicit ImmutableFile(const QString &path) : path_(path) { set_ = setFlag(true); }
    ~ImmutableFile()
    {
        if (set_)
            setFlag(false);
    }
    // False where the file system keeps no such flag; the test is then skipped.
    bool isSet() const { return set_; }

private:
    bool setFlag(bool on)
    {
        const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }

    QString path_;
    bool set_ = false;
};

// Root passes every permission check; as nobody a test meets them as users do.
constexpr uid_t kNobody = 65534;

// While it lives, a process run as root acts as nobody, so that a folder's permissions
// hold for it; anyone else stays who they are.
class ActingAsNobody {
public:
    ActingAsNobody() : wasRoot_(::geteuid() == 0)
    {
        if (wasRoot_)
            acting_ = ::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0;
    }
    ~ActingAsNobody()
    {
        if (wasRoot_ && (::seteuid(0) != 0 || ::setegid(0) != 0))
            std::abort();
    }
    // False where root could not become nobody (a container that maps no such user).
    bool holds() const { return !wasRoot_ || acting_; }

private:
    bool wasRoot_;
    bool acting_ = false;
};

// For a child about to run a program: root becomes nobody for good. False when it cannot.
inline bool BecomeNobody()
{
    return ::geteuid() != 0 ||
           (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
}

// A small file system of its own at path (a tmpfs, which needs root), to be
// filled to the last byte; unmounted again at the end.
class FullDisk {
public:
    explicit FullDisk(const QString &path) : path_(path)
    {
        QDir().mkpath(path);
        mounted_ = mount("tintora-test", QFile::encodeName(path).constData(), "tmpfs", 0, "size=256k") == 0;
    }
    ~FullDisk()
    {
        if (mounted_)
            umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
    }
    // False without the right to mount (not root, or a container without it).
    bool mounted() const { return mounted_; }
    void fill() const
    {
        QFile filler(QDir(path_).filePath("filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        for (const qsizetype size : {4096, 1}) {
            const QByteArray block(size, 'f');
            while (filler.write(block) > 0) {
            }
        }
    }

private:
    QString path_;
    bool mounted_ = false;
};

#else
// Elsewhere no write can be made to fail part-way, no file immutable and no
// small disk mounted: the flags say so, and a test that needs a failing write
// is left out of that system's run.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long) {}
};

class ImmutableFile {
public:
    explicit ImmutableFile(const QString &) {}
    bool isSet() const { return false; }
};

class FullDisk {
public:
    explicit FullDisk(const QString &) {}
    bool mounted() const { return false; }
    void fill() const {}
};
#endif

}  // namespace tintora::test
