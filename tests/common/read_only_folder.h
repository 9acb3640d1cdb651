#pragma once

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

// Makes an existing folder refuse every change for as long as this lives:
// for root, whom file modes don't stop, a read-only mount of the folder onto
// itself; for anyone else its modes. ok() is false where neither can be done.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::string path) : path_(std::move(path)) {
        if (::geteuid() == 0) {
            mounted_ = ::mount(path_.c_str(), path_.c_str(), nullptr, MS_BIND, nullptr) == 0;
            ok_ = mounted_ && ::mount(nullptr, path_.c_str(), nullptr,
                                      MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
        } else {
            struct stat status {};
            ok_ = ::stat(path_.c_str(), &status) == 0 && ::chmod(path_.c_str(), 0555) == 0;
            mode_ = status.st_mode & 07777;
        }
    }
    ~ReadOnlyFolder() {
        if (mounted_) {
            ::umount(path_.c_str());
        } else if (ok_) {
            ::chmod(path_.c_str(), mode_);
        }
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool ok() const { return ok_; }

private:
    std::string path_;
    bool mounted_ = false;
    bool ok_ = false;
    mode_t mode_ = 0;
};
