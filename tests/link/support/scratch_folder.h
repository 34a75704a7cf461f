#pragma once

#include <string>

namespace tessel::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder path with a trailing "/".
    const std::string& path() const { return fPath; }

private:
    std::string fPath;
};

// The whole content of a file; empty when it cannot be read.
std::string readWholeFile(const std::string& path);

}  // namespace tessel::test
