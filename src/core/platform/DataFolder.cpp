#include "core/platform/DataFolder.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/CodePage.h"

namespace vardo {
namespace {

namespace fs = std::filesystem;

std::atomic<DataFolder::StepHook> g_stepHook{nullptr};

void Step() {
    if (const DataFolder::StepHook hook = g_stepHook.load(std::memory_order_relaxed))
        hook();
}

std::string Reason(int error) {
    return std::error_code(error, std::generic_category()).message();
}

std::string Message(std::string_view what, const fs::path& path, int error) {
    std::string text(what);
    text += ' ';
    text += path.string();
    text += " (";
    text += Reason(error);
    text += ").";
    return text;
}

Status FailWith(std::string_view what, const fs::path& path, int error) {
    return Status::Fail(Failure::Io, Message(what, path, error));
}

constexpr std::string_view kCannotRead = "Nie można odczytać pliku";
constexpr std::string_view kCannotWrite = "Nie można zapisać pliku";
constexpr std::string_view kCannotDelete = "Nie można usunąć pliku";
constexpr std::string_view kCannotCopy = "Nie można skopiować pliku";
constexpr std::string_view kCannotRename = "Nie można zmienić nazwy pliku";
constexpr std::string_view kCannotCreateFolder = "Nie można utworzyć folderu";
constexpr std::string_view kCannotRemoveFolder = "Nie można usunąć folderu";
constexpr std::string_view kCannotList = "Nie można odczytać zawartości folderu";

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

std::vector<std::string_view> Components(std::string_view name) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || IsSeparator(name[i])) {
            const auto part = name.substr(start, i - start);
            if (!part.empty() && part != ".")
                parts.push_back(part);
            start = i + 1;
        }
    }
    return parts;
}

bool EntryExists(const fs::path& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The entry of `dir` that `component` names ignoring case; the exact spelling wins, then the byte-wise
// smallest of several case variants (possible on Linux), so the choice does not depend on directory order.
std::optional<std::string> MatchEntry(const fs::path& dir, std::string_view component) {
    const std::string wanted(component);
    if (EntryExists(dir.empty() ? fs::path(wanted) : dir / wanted))
        return wanted;
    DIR* handle = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!handle)
        return std::nullopt;
    const std::string folded = codepage::CaseFold(component);
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(handle)) {
        const std::string_view entryName(entry->d_name);
        if (entryName == "." || entryName == "..")
            continue;
        if (codepage::CaseFold(entryName) == folded && (!best || entryName < *best))
            best = std::string(entryName);
    }
    ::closedir(handle);
    return best;
}

// 0, or why an existing file must not be written. Renaming over a file needs only the folder's permission, and
// the superuser passes access() for any file, so a file without write permission bits counts as read-only too.
int NotWritableReason(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return 0; // a missing file is created; a folder fails on its own
    if ((st.st_mode & 0222) == 0)
        return EACCES;
    return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
}

bool IsAbsolute(std::string_view name) {
    return !name.empty() && name.front() == '/';
}

Status WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Status::Fail(Failure::Io, Reason(errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return Status::Ok();
}

bool SyncFolderPath(const fs::path& folder) {
    // A folder that cannot be synced (some file systems refuse) still holds the renamed file.
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::fsync(fd);
    ::close(fd);
    return true;
}

constexpr std::string_view kTempPrefix = ".vardo-";
constexpr std::string_view kTempSuffix = ".tmp";

// The process id in a temporary file's name ".vardo-<pid>-<n>.tmp"; 0 for any other name.
pid_t TempOwner(std::string_view name) {
    if (name.size() <= kTempPrefix.size() + kTempSuffix.size() || name.substr(0, kTempPrefix.size()) != kTempPrefix ||
        name.substr(name.size() - kTempSuffix.size()) != kTempSuffix)
        return 0;
    const std::string_view middle =
        name.substr(kTempPrefix.size(), name.size() - kTempPrefix.size() - kTempSuffix.size());
    const auto dash = middle.find('-');
    if (dash == 0 || dash == std::string_view::npos)
        return 0;
    long pid = 0;
    for (char c : middle.substr(0, dash)) {
        if (c < '0' || c > '9' || pid > 1'000'000'000)
            return 0;
        pid = pid * 10 + (c - '0');
    }
    for (char c : middle.substr(dash + 1))
        if (c < '0' || c > '9')
            return 0;
    return static_cast<pid_t>(pid);
}

fs::path TempPathFor(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const std::string name = std::string(kTempPrefix) + std::to_string(::getpid()) + "-" +
                             std::to_string(counter.fetch_add(1)) + std::string(kTempSuffix);
    return target.has_parent_path() ? target.parent_path() / name : fs::path(name);
}

// Replaces `target` by a file that `fill` writes into a fresh temporary file of the same folder; the target
// is touched only by the final rename. `mode` gives the permissions of the new file when set.
template <class Fill>
Status ReplaceFile(const fs::path& target, std::optional<mode_t> mode, Fill fill) {
    if (!mode) {
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0)
            mode = st.st_mode & 07777;
    }
    const fs::path temp = TempPathFor(target);
    Step();
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return Status::Fail(Failure::Io, Reason(errno));
    if (mode)
        ::fchmod(fd, *mode);
    Status status = fill(fd);
    if (status && ::fsync(fd) != 0)
        status = Status::Fail(Failure::Io, Reason(errno));
    if (::close(fd) != 0 && status)
        status = Status::Fail(Failure::Io, Reason(errno));
    if (status)
        Step();
    if (status && ::rename(temp.c_str(), target.c_str()) != 0)
        status = Status::Fail(Failure::Io, Reason(errno));
    if (!status) {
        ::unlink(temp.c_str());
        return status;
    }
    SyncFolderPath(target.parent_path());
    return Status::Ok();
}

Status CopyFile(const fs::path& from, const fs::path& to) {
    const auto fail = [&](const std::string& reason) {
        return Status::Fail(Failure::Io, std::string(kCannotCopy) + " " + from.string() + " do " + to.string() + " (" +
                                             reason + ").");
    };
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return fail(Reason(errno));
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(in);
        return fail(Reason(error));
    }
    const Status status = ReplaceFile(to, static_cast<mode_t>(st.st_mode & 0777), [&](int out) {
        std::string buffer(1 << 16, '\0');
        for (;;) {
            const ssize_t got = ::read(in, buffer.data(), buffer.size());
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                return Status::Fail(Failure::Io, Reason(errno));
            }
            if (got == 0)
                break;
            if (Status written = WriteAll(out, std::string_view(buffer.data(), static_cast<std::size_t>(got)));
                !written)
                return written;
        }
        // Like a copy on Windows, the copy keeps the time the original was last written.
        const timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out, times);
        return Status::Ok();
    });
    ::close(in);
    return status ? status : fail(status.message());
}

} // namespace

DataFolder::DataFolder(std::filesystem::path root) : m_root(std::move(root)) {}

DataFolder DataFolder::Sub(std::string_view name) const {
    return DataFolder(Resolve(name));
}

std::filesystem::path DataFolder::Resolve(std::string_view name) const {
    if (IsAbsolute(name))
        return fs::path(std::string(name));
    fs::path current = m_root;
    bool existing = true;
    for (const auto component : Components(name)) {
        if (existing) {
            if (auto match = MatchEntry(current, component)) {
                current /= *match;
                continue;
            }
            existing = false;
        }
        current /= std::string(component);
    }
    return current;
}

bool DataFolder::Exists(std::string_view name) const {
    struct stat st {};
    return ::stat(Resolve(name).c_str(), &st) == 0;
}

bool DataFolder::IsFolder(std::string_view name) const {
    struct stat st {};
    return ::stat(Resolve(name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Result<std::string> DataFolder::ReadAll(std::string_view name) const {
    const fs::path path = Resolve(name);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Result<std::string>::Fail(Failure::Io, Message(kCannotRead, path, errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return Result<std::string>::Fail(Failure::Io, Message(kCannotRead, path, error));
    }
    std::string content;
    content.reserve(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return Result<std::string>::Fail(Failure::Io, Message(kCannotRead, path, error));
        }
        if (got == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return content;
}

Status DataFolder::WriteAtomic(std::string_view name, std::string_view bytes) const {
    const fs::path path = Resolve(name);
    if (const int error = NotWritableReason(path); error != 0)
        return FailWith(kCannotWrite, path, error);
    const Status status = ReplaceFile(path, std::nullopt, [&](int fd) { return WriteAll(fd, bytes); });
    if (!status)
        return Status::Fail(Failure::Io,
                            std::string(kCannotWrite) + " " + path.string() + " (" + status.message() + ").");
    return status;
}

Status DataFolder::WriteAt(std::string_view name, std::uint64_t offset, std::string_view bytes) const {
    const fs::path path = Resolve(name);
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) - bytes.size())
        return FailWith(kCannotWrite, path, EFBIG);
    if (const int error = NotWritableReason(path); error != 0)
        return FailWith(kCannotWrite, path, error);
    Step();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return FailWith(kCannotWrite, path, errno);
    auto position = static_cast<off_t>(offset);
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), position);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return FailWith(kCannotWrite, path, error);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        position += written;
    }
    if (::close(fd) != 0)
        return FailWith(kCannotWrite, path, errno);
    return Status::Ok();
}

Status DataFolder::Append(std::string_view name, std::string_view bytes) const {
    const fs::path path = Resolve(name);
    if (const int error = NotWritableReason(path); error != 0)
        return FailWith(kCannotWrite, path, error);
    Step();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return FailWith(kCannotWrite, path, errno);
    const Status status = WriteAll(fd, bytes);
    const bool closed = ::close(fd) == 0;
    if (!status)
        return Status::Fail(Failure::Io,
                            std::string(kCannotWrite) + " " + path.string() + " (" + status.message() + ").");
    if (!closed)
        return FailWith(kCannotWrite, path, errno);
    return Status::Ok();
}

Status DataFolder::Copy(std::string_view from, std::string_view to) const {
    return CopyFile(Resolve(from), Resolve(to));
}

Status DataFolder::Remove(std::string_view name) const {
    const fs::path path = Resolve(name);
    Step();
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return FailWith(kCannotDelete, path, errno);
    return Status::Ok();
}

Status DataFolder::Rename(std::string_view from, std::string_view to) const {
    const fs::path source = Resolve(from);
    fs::path target = Resolve(to);
    if (target == source) {
        // A change of case only: the target resolved to the source itself, so give it the new spelling.
        const auto parts = Components(to);
        if (!parts.empty())
            target = target.parent_path() / std::string(parts.back());
    }
    Step();
    if (::rename(source.c_str(), target.c_str()) == 0) {
        SyncFolderPath(target.parent_path());
        return Status::Ok();
    }
    const int error = errno;
    struct stat st {};
    if (error == EXDEV && ::stat(source.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        // Another file system: copy, then delete the original only once the copy is complete.
        if (Status copied = CopyFile(source, target); !copied)
            return copied;
        if (::unlink(source.c_str()) != 0)
            return FailWith(kCannotDelete, source, errno);
        return Status::Ok();
    }
    return Status::Fail(Failure::Io, std::string(kCannotRename) + " " + source.string() + " na " + target.string() +
                                         " (" + Reason(error) + ").");
}

Status DataFolder::CreateFolder(std::string_view name) const {
    const fs::path path = Resolve(name);
    Step();
    std::error_code ec;
    fs::create_directories(path, ec);
    if (!ec && !fs::is_directory(path, ec) && !ec)
        ec = std::make_error_code(std::errc::not_a_directory);
    if (ec)
        return FailWith(kCannotCreateFolder, path, ec.value());
    return Status::Ok();
}

Status DataFolder::RemoveFolder(std::string_view name, bool recursive) const {
    const fs::path path = Resolve(name);
    if (Components(name).empty())
        return FailWith(kCannotRemoveFolder, path, EINVAL); // never the root itself by accident
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return errno == ENOENT ? Status::Ok() : FailWith(kCannotRemoveFolder, path, errno);
    if (!S_ISDIR(st.st_mode))
        return FailWith(kCannotRemoveFolder, path, ENOTDIR);
    Step();
    if (recursive) {
        std::error_code ec;
        fs::remove_all(path, ec);
        if (ec)
            return FailWith(kCannotRemoveFolder, path, ec.value());
    } else if (::rmdir(path.c_str()) != 0) {
        return FailWith(kCannotRemoveFolder, path, errno);
    }
    return Status::Ok();
}

Result<std::uint64_t> DataFolder::Size(std::string_view name) const {
    const fs::path path = Resolve(name);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return Result<std::uint64_t>::Fail(Failure::Io, Message(kCannotRead, path, errno));
    if (S_ISDIR(st.st_mode))
        return Result<std::uint64_t>::Fail(Failure::Io, Message(kCannotRead, path, EISDIR));
    return static_cast<std::uint64_t>(st.st_size);
}

Result<DataFolder::FileTime> DataFolder::ModificationTime(std::string_view name) const {
    const fs::path path = Resolve(name);
    std::error_code ec;
    const FileTime time = fs::last_write_time(path, ec);
    if (ec)
        return Result<FileTime>::Fail(Failure::Io, Message(kCannotRead, path, ec.value()));
    return time;
}

Result<std::vector<std::string>> DataFolder::List(std::string_view folder) const {
    const fs::path path = Resolve(folder);
    DIR* handle = ::opendir(path.empty() ? "." : path.c_str());
    if (!handle)
        return Result<std::vector<std::string>>::Fail(Failure::Io, Message(kCannotList, path, errno));
    std::vector<std::string> names;
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(handle);
        if (!entry) {
            error = errno;
            break;
        }
        const std::string_view entryName(entry->d_name);
        if (entryName != "." && entryName != "..")
            names.emplace_back(entryName);
    }
    ::closedir(handle);
    if (error != 0)
        return Result<std::vector<std::string>>::Fail(Failure::Io, Message(kCannotList, path, error));
    std::sort(names.begin(), names.end());
    return names;
}

int DataFolder::RemoveStaleTemporaries(std::string_view folder) const {
    const auto names = List(folder);
    if (!names)
        return 0;
    int removed = 0;
    for (const std::string& name : names.value()) {
        const pid_t owner = TempOwner(name);
        // A process that still runs may be about to rename its file into place.
        if (owner <= 0 || (::kill(owner, 0) == 0 || errno == EPERM))
            continue;
        std::error_code ec;
        const fs::path path = Resolve(folder) / name;
        if (fs::is_regular_file(path, ec) && fs::remove(path, ec))
            ++removed;
    }
    return removed;
}

Status DataFolder::SyncFolder(std::string_view name) const {
    const fs::path path = Resolve(name);
    if (!SyncFolderPath(path))
        return FailWith(kCannotList, path, errno);
    return Status::Ok();
}

Result<std::uint64_t> DataFolder::Checksum(std::string_view name) const {
    const fs::path path = Resolve(name);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Result<std::uint64_t>::Fail(Message(kCannotRead, path, errno));
    // Eight bytes at a time, mixed by multiplication; the tail and the length are mixed in at the end.
    std::uint64_t hash = 0x9E3779B97F4A7C15ull;
    std::uint64_t length = 0;
    std::string buffer(1 << 16, '\0');
    std::size_t pending = 0; // bytes at the front of buffer not yet hashed (fewer than 8)
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data() + pending, buffer.size() - pending);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return Result<std::uint64_t>::Fail(Message(kCannotRead, path, error));
        }
        if (got == 0)
            break;
        length += static_cast<std::uint64_t>(got);
        const std::size_t available = pending + static_cast<std::size_t>(got);
        const std::size_t whole = available / 8 * 8;
        for (std::size_t i = 0; i < whole; i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, buffer.data() + i, 8);
            hash = (hash ^ word) * 0x100000001B3ull;
            hash ^= hash >> 29;
        }
        pending = available - whole;
        std::memmove(buffer.data(), buffer.data() + whole, pending);
    }
    ::close(fd);
    std::uint64_t tail = 0;
    std::memcpy(&tail, buffer.data(), pending);
    hash = (hash ^ tail ^ (length << 3)) * 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    return hash;
}

void DataFolder::SetStepHook(StepHook hook) {
    g_stepHook.store(hook, std::memory_order_relaxed);
}

} // namespace vardo
