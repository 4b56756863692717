#pragma once
// A fresh directory under $TMPDIR (or /tmp), removed with all it holds when
// the object goes.

#include <string>
#include <string_view>

namespace vexilor::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Empty when the directory could not be made.
    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const;

  private:
    std::string path_;
};

}  // namespace vexilor::test
