#include "device_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vexilor {

namespace {

bool IsSymlinkOrMissing(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    return S_ISLNK(info.st_mode);
}

}  // namespace

bool DeviceLink::pointAt(const std::string& target, std::string& error) {
    if (path_.empty()) {
        return true;
    }
    if (!IsSymlinkOrMissing(path_)) {
        error = path_ + " exists and is not a symbolic link";
        return false;
    }
    const std::string staging = path_ + ".new" + std::to_string(getpid());
    ::unlink(staging.c_str());
    if (::symlink(target.c_str(), staging.c_str()) != 0 ||
        std::rename(staging.c_str(), path_.c_str()) != 0) {
        error = path_ + ": " + std::strerror(errno);
        ::unlink(staging.c_str());
        return false;
    }
    made_ = true;
    return true;
}

void DeviceLink::remove() {
    if (made_ && IsSymlinkOrMissing(path_)) {
        ::unlink(path_.c_str());
    }
    made_ = false;
}

}  // namespace vexilor
