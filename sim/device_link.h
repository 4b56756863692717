#pragma once
// A symbolic link with a fixed name that points at the current slave
// terminal, so a user can configure one port name across vanish and return.

#include <string>

namespace vexilor {

class DeviceLink {
  public:
    // An empty path means no link is kept.
    explicit DeviceLink(std::string path) : path_(std::move(path)) {}
    ~DeviceLink() { remove(); }
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Points the link at target, replacing an older link in one step. Refuses
    // to replace anything that is not a symbolic link.
    bool pointAt(const std::string& target, std::string& error);
    // Takes the link away, as the device node of an unplugged adapter goes.
    void remove();

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    bool made_ = false;
};

}  // namespace vexilor
