// A private temporary directory for one run (the registry, and the copy of the shipped data),
// removed with everything in it when the run ends.
#pragma once

#include <string>

class ScratchDirectory {
  public:
    ScratchDirectory() = default;
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // Under $TMPDIR (or /tmp).
    bool Create();
    // A subdirectory, created if needed.
    std::string Path(const std::string& name) const;

  private:
    std::string root_;
};

// Copies the four dictionary files from DATA/zelk/ to SYSTEM/zelk/.
bool CopyDictionaryFiles(const std::string& dataDirectory, const std::string& systemDirectory);
