#include "simulatedphone.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace p2ksim {
namespace fs = std::filesystem;

namespace {

constexpr int kFailure = -1;
constexpr std::size_t kRecordSize = 255;

// Windows keeps paths wide, where fopen cannot take them.
std::FILE *OpenFile(const fs::path &path, const char *mode)
{
#if defined(_WIN32)
    const std::wstring wideMode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

std::optional<fs::path> Root()
{
    const char *root = std::getenv("P2KSIM_ROOT");
    if (!root || !*root)
        return std::nullopt;
    return fs::path(root);
}

// The first integer of a control file, or the fallback when there is none.
long ReadNumber(const fs::path &file, long fallback)
{
    std::ifstream in(file);
    long value = 0;
    if (in >> value)
        return value;
    return fallback;
}

bool Listed(const fs::path &failFile, const char *name)
{
    std::ifstream in(failFile);
    std::string line;
    while (std::getline(in, line)) {
        const auto first = line.find_first_not_of(" \t\r");
        const auto last = line.find_last_not_of(" \t\r");
        if (first != std::string::npos && line.compare(first, last - first + 1, name) == 0)
            return true;
    }
    return false;
}

// A phone path under the root; none for an empty path or one that climbs out.
std::optional<fs::path> PhoneFile(const fs::path &root, const std::string &phonePath)
{
    fs::path result = root;
    bool any = false;
    std::string part;
    std::istringstream parts(phonePath);
    while (std::getline(parts, part, '/')) {
        if (part.empty() || part == ".")
            continue;
        if (part == ".." || part.find('\\') != std::string::npos)
            return std::nullopt;
        result /= part;
        any = true;
    }
    if (!any)
        return std::nullopt;
    return result;
}

std::optional<fs::path> RecordFile(const fs::path &root, int seem, int record)
{
    if (seem < 0 || seem > 0xFFFF || record < 0 || record > 0xFFFF)
        return std::nullopt;
    std::array<char, 32> name{};
    std::snprintf(name.data(), name.size(), "%04X_%04X.seem", seem, record);
    return root / "seem" / name.data();
}

bool InRecord(int offset, int count)
{
    return offset >= 0 && count > 0 && static_cast<std::size_t>(offset) + count <= kRecordSize;
}

// A record file's bytes, at least the record's 255: a missing file reads as
// zeros, a short one is padded. A longer one keeps its tail, so writing a
// record never cuts off what a person put there.
std::vector<std::uint8_t> ReadRecord(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> record(std::istreambuf_iterator<char>(in), {});
    if (record.size() < kRecordSize)
        record.resize(kRecordSize, 0);
    return record;
}

}  // namespace

std::optional<fs::path> SimulatedPhone::begin(const std::string &call, const char *name,
                                              bool transfer)
{
    const auto root = Root();
    if (!root)
        return std::nullopt;
    std::ofstream(*root / "calls.log", std::ios::app | std::ios::binary) << call << '\n';
    if (Listed(*root / "fail", name))
        return std::nullopt;
    if (transfer && ReadNumber(*root / "status", 1) == 0)
        return std::nullopt;
    return root;
}

int SimulatedPhone::init(int arg)
{
    return begin("P2K_Init " + std::to_string(arg), "P2K_Init", false) ? 0 : kFailure;
}

int SimulatedPhone::getStatus()
{
    const auto root = Root();
    if (!root)
        return 0;
    if (!begin("P2K_GetStatus", "P2K_GetStatus", false))
        return kFailure;
    return static_cast<int>(ReadNumber(*root / "status", 1));
}

int SimulatedPhone::restart()
{
    const auto root = begin("P2K_Restart", "P2K_Restart", true);
    if (!root)
        return kFailure;
    std::ofstream(*root / "restarted", std::ios::app) << "restarted\n";
    return 0;
}

// Opens the one current file for reading and writing from its start; a missing
// file is created empty (its folder must exist), as the phone does.
int SimulatedPhone::fileCreate(const char *path, int mode)
{
    const std::string phonePath = path ? path : "";
    const auto root = begin("File_Create " + phonePath + " " + std::to_string(mode),
                            "File_Create", true);
    if (!root)
        return kFailure;
    closeCurrent();
    const auto target = PhoneFile(*root, phonePath);
    std::error_code error;
    if (!target || fs::is_directory(*target, error))
        return kFailure;
    file_ = OpenFile(*target, "r+b");
    if (!file_ && !fs::exists(*target, error))
        file_ = OpenFile(*target, "w+b");
    if (!file_)
        return kFailure;
    filePath_ = *target;
    writtenEnd_ = -1;
    return 0;
}

int SimulatedPhone::fileRead(std::uint8_t *buffer, int count)
{
    if (!begin("File_Read " + std::to_string(count), "File_Read", true) || !file_ || !buffer ||
        count < 0)
        return kFailure;
    std::fseek(file_, 0, SEEK_CUR);  // a read may follow a write
    return static_cast<int>(std::fread(buffer, 1, count, file_));
}

int SimulatedPhone::fileWrite(const std::uint8_t *buffer, int count)
{
    if (!begin("File_Write " + std::to_string(count), "File_Write", true) || !file_ ||
        !buffer || count < 0)
        return kFailure;
    std::fseek(file_, 0, SEEK_CUR);  // a write may follow a read
    const std::size_t written = std::fwrite(buffer, 1, count, file_);
    std::fflush(file_);
    writtenEnd_ = std::ftell(file_);
    return written == static_cast<std::size_t>(count) ? count : kFailure;
}

// Releases the current file even when told to fail, so no call leaks it.
int SimulatedPhone::fileClose()
{
    const bool allowed = begin("File_Close", "File_Close", true).has_value();
    const bool open = file_ != nullptr;
    closeCurrent();
    return allowed && open ? 0 : kFailure;
}

int SimulatedPhone::volInfo(std::uint16_t *)
{
    const auto root = begin("File_VolInfo", "File_VolInfo", true);
    if (!root)
        return kFailure;
    return static_cast<int>(ReadNumber(*root / "free", 1000000));
}

std::optional<fs::path> SimulatedPhone::beginSeem(const char *name, int seem, int record,
                                                  int offset, int count,
                                                  const std::uint8_t *buffer)
{
    std::ostringstream call;
    call << name << " 0x" << std::hex << seem << std::dec << ' ' << record << ' ' << offset
         << ' ' << count;
    const auto root = begin(call.str(), name, true);
    const auto file = root ? RecordFile(*root, seem, record) : std::nullopt;
    if (!file || !buffer || !InRecord(offset, count))
        return std::nullopt;
    return file;
}

int SimulatedPhone::seemRead(int seem, int record, int offset, int count, std::uint8_t *buffer)
{
    const auto file = beginSeem("Seem_Read", seem, record, offset, count, buffer);
    if (!file)
        return kFailure;
    const std::vector<std::uint8_t> bytes = ReadRecord(*file);
    std::copy_n(bytes.begin() + offset, count, buffer);
    return count;
}

int SimulatedPhone::seemWrite(int seem, int record, int offset, int count, std::uint8_t *buffer)
{
    const auto file = beginSeem("Seem_Write", seem, record, offset, count, buffer);
    if (!file)
        return kFailure;
    std::vector<std::uint8_t> bytes = ReadRecord(*file);
    std::copy_n(buffer, count, bytes.begin() + offset);
    std::error_code error;
    fs::create_directories(file->parent_path(), error);
    std::ofstream out(*file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    out.close();
    return out ? 0 : kFailure;
}

void SimulatedPhone::closeCurrent()
{
    if (!file_)
        return;
    std::fclose(file_);
    file_ = nullptr;
    if (writtenEnd_ >= 0) {
        std::error_code error;
        fs::resize_file(filePath_, static_cast<std::uintmax_t>(writtenEnd_), error);
    }
    writtenEnd_ = -1;
}

}  // namespace p2ksim
