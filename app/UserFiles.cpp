#include "app/UserFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace millcalc {
namespace {

std::string withoutTrailingSlash(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

// An absolute folder from a variable, or empty.
std::string absoluteFolder(const char* value)
{
    if (!value || value[0] != '/')
        return {};
    return withoutTrailingSlash(value);
}

std::vector<std::string> folderList(const char* value, std::vector<std::string> fallback)
{
    std::vector<std::string> folders;
    if (value) {
        std::string list(value);
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t end = std::min(list.find(':', start), list.size());
            std::string entry = absoluteFolder(list.substr(start, end - start).c_str());
            if (!entry.empty())
                folders.push_back(std::move(entry));
            start = end + 1;
        }
    }
    return folders.empty() ? fallback : folders;
}

std::string describeErrno(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return "диск заполнен";
    case EACCES:
    case EPERM:
        return "нет права записи";
    case EROFS:
        return "файловая система только для чтения";
    case ENOENT:
        return "папка не существует";
    case ENOTDIR:
        return "путь проходит через файл, а не папку";
    case EISDIR:
        return "это папка, а не файл";
    default:
        return std::strerror(error);
    }
}

// Makes every folder of path's parent; false with errno set when one cannot be.
bool makeParents(const std::string& path)
{
    std::size_t slash = path.find('/', 1);
    while (slash != std::string::npos) {
        const std::string folder = path.substr(0, slash);
        if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        slash = path.find('/', slash + 1);
    }
    return true;
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += std::size_t(written);
    }
    return true;
}

} // namespace

UserFolders userFolders(EnvironmentLookup lookup)
{
    if (!lookup)
        lookup = [](const char* name) -> const char* { return std::getenv(name); };
    const std::string home = absoluteFolder(lookup("HOME"));
    UserFolders folders;
    folders.configHome = absoluteFolder(lookup("XDG_CONFIG_HOME"));
    if (folders.configHome.empty())
        folders.configHome = home + "/.config";
    folders.dataHome = absoluteFolder(lookup("XDG_DATA_HOME"));
    if (folders.dataHome.empty())
        folders.dataHome = home + "/.local/share";
    folders.configDirs = folderList(lookup("XDG_CONFIG_DIRS"), { "/etc/xdg" });
    folders.dataDirs = folderList(lookup("XDG_DATA_DIRS"), { "/usr/local/share", "/usr/share" });
    return folders;
}

std::string firstExisting(const std::vector<std::string>& folders, const std::string& relativePath)
{
    for (const std::string& folder : folders) {
        const std::string path = folder + "/" + relativePath;
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode))
            return path;
    }
    return {};
}

std::string writeFileAtomically(const std::string& path, const std::string& bytes)
{
    if (path.empty() || path.back() == '/')
        return "не задано имя файла";
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
        return describeErrno(EISDIR);
    if (!makeParents(path))
        return describeErrno(errno);
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return describeErrno(errno);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        const int error = written ? errno : writeError;
        ::unlink(temporary.c_str());
        return describeErrno(error);
    }
    // A new file takes the usual permissions; mkstemp makes it private.
    ::chmod(temporary.c_str(), existing.st_mode ? (existing.st_mode & 07777) : 0644);
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return describeErrno(error);
    }
    return {};
}

FileRead readWholeFile(const std::string& path, std::size_t maxBytes)
{
    FileRead result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.missing = errno == ENOENT;
        result.error = result.missing ? "файл не существует" : describeErrno(errno);
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        result.error = describeErrno(EISDIR);
        return result;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            result.error = describeErrno(errno);
            break;
        }
        if (got == 0)
            break;
        if (result.bytes.size() + std::size_t(got) > maxBytes) {
            result.error = "файл больше " + std::to_string(maxBytes / (1024 * 1024)) + " МБ";
            break;
        }
        result.bytes.append(buffer, std::size_t(got));
    }
    ::close(fd);
    if (!result.error.empty())
        result.bytes.clear();
    return result;
}

} // namespace millcalc
