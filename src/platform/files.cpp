#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file being written goes to a file of its own beside the real one, named after the real one,
// the process and a count ("Save1.txt.<pid>.<n>.tmp"), so that two copies of the game writing
// at once never write into the same file.
bool isTemporaryName(const std::string& name, const std::string& fileName) {
    const std::string suffix = ".tmp";
    return name.size() >= fileName.size() + suffix.size() && // "Save1.txt.tmp" of old too
           name.compare(0, fileName.size() + 1, fileName + ".") == 0 &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Creates a new temporary file for the file at target and returns it open for writing and
// locked (the lock tells a starting copy that it is not a leftover), or -1. It is made
// exclusively and never through a link: whatever already lies at its name is left alone and
// another name is tried.
int createTemporary(const std::string& target, std::string& path) {
    static unsigned count = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Built whole, whatever the length of the folder's name: a cut name would land the file
        // elsewhere, where no start-up would clean it.
        const std::string name = target + "." + std::to_string(static_cast<long>(::getpid())) +
                                 "." + std::to_string(count++) + ".tmp";
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        // Where the file system has no locks, the file is still written: starting copies then
        // leave every temporary file alone.
        ::flock(fd, LOCK_EX);
        struct stat info;
        // A copy starting between the creation and the lock may have cleaned it away.
        if (::fstat(fd, &info) == 0 && info.st_nlink > 0) {
            path = name;
            return fd;
        }
        ::unlink(name.c_str());
        ::close(fd);
    }
    return -1;
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Makes the renamed file survive a power cut: the folder's entry is flushed too.
void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Whether the rule lets a write take the place of what lies at path now.
bool mayReplace(const char* path, ReplaceRule rule) {
    if (rule == ReplaceRule::AnythingButAFolder)
        return true; // a folder makes the rename fail
    struct stat named, reached;
    if (::lstat(path, &named) != 0)
        return errno == ENOENT;
    // A link to a regular file is replaced by the file, never written through.
    return ::stat(path, &reached) == 0 && S_ISREG(reached.st_mode);
}

} // namespace

OwnFileRead readOwnFile(const char* path, std::size_t maxBytes, std::string& text) {
    text.clear();
    // Looked at before it is opened: opening a device may itself do something. Only "nothing
    // there" is missing; a name that cannot even be looked at hides a file.
    struct stat named;
    if (::stat(path, &named) != 0)
        return errno == ENOENT || errno == ENOTDIR ? OwnFileRead::Missing : OwnFileRead::Unreadable;
    if (!S_ISREG(named.st_mode))
        return OwnFileRead::Missing;
    // Opened without waiting (a pipe put there meanwhile cannot block) and looked at again.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? OwnFileRead::Missing : OwnFileRead::Unreadable;
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return OwnFileRead::Missing;
    }
    // One byte more than asked for tells a larger file.
    const std::size_t room = maxBytes + 1;
    text.resize(room);
    std::size_t length = 0;
    bool failed = false;
    while (length < room) {
        const ssize_t got = ::read(fd, &text[length], room - length);
        if (got < 0 && errno == EINTR)
            continue;
        failed = got < 0;
        if (got <= 0)
            break;
        length += static_cast<std::size_t>(got);
    }
    ::close(fd);
    // A file whose reading fails is not an empty one: what it holds is still there.
    if (failed) {
        text.clear();
        return OwnFileRead::Unreadable;
    }
    if (length > maxBytes) {
        text.resize(maxBytes);
        return OwnFileRead::TooLarge;
    }
    text.resize(length);
    return OwnFileRead::Read;
}

bool readableFile(const std::string& path) {
    struct stat named;
    return ::stat(path.c_str(), &named) == 0 && S_ISREG(named.st_mode) &&
           ::access(path.c_str(), R_OK) == 0;
}

bool folderWritable(const std::string& path) {
    // A missing folder is made by the write: the nearest one that is there must take it.
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    for (;;) {
        const char* name = folder.empty() ? "." : folder.c_str();
        struct stat info;
        if (::stat(name, &info) == 0)
            return S_ISDIR(info.st_mode) && ::access(name, W_OK | X_OK) == 0;
        if (errno != ENOENT || folder.empty() || folder == folder.parent_path())
            return false;
        folder = folder.parent_path();
    }
}

void reportUnreadable(const std::string& file) {
    static std::mutex guard;
    static std::set<std::string> reported;
    const std::lock_guard<std::mutex> lock(guard);
    if (reported.insert(file).second)
        std::fprintf(stderr, "gobbler: cannot read %s\n", file.c_str());
}

bool replaceOwnFile(const char* path, const std::string& text, ReplaceRule rule) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    std::error_code ignored;
    // A missing folder is made again rather than losing what is written.
    fs::create_directories(target.parent_path(), ignored);
    if (!mayReplace(path, rule))
        return false;

    std::string temporary;
    const int fd = createTemporary(path, temporary);
    if (fd < 0)
        return false;
    // Renamed while still locked, so no starting copy can take it for a leftover.
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0;
    if (!written || std::rename(temporary.c_str(), path) != 0) {
        ::unlink(temporary.c_str());
        ::close(fd);
        return false;
    }
    ::close(fd);
    syncFolder(target.parent_path());
    return true;
}

void removeLeftovers(const char* path) {
    namespace fs = std::filesystem;
    const fs::path file(path);
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const std::string fileName = file.filename().string();
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const fs::path found = entry->path();
        if (!isTemporaryName(found.filename().string(), fileName))
            continue;
        const int fd =
            ::open(found.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened, named;
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(found.c_str(), &named) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            ::unlink(found.c_str());
        ::close(fd);
    }
}
