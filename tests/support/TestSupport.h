// SPDX-License-Identifier: MIT
// Helpers shared by the test executables.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// A fresh folder removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const Bytes& bytes);
void writeText(const std::filesystem::path& path, const std::string& text);

// The real-world samples beside the repository; empty when they are absent
// (corpus tests then skip).
std::filesystem::path samplesDir();
std::vector<std::filesystem::path> samplesIn(const std::string& folder);

// A program built by this project.
std::filesystem::path binary(const std::string& name);

// Runs a command line through /bin/sh in folder; gives its exit status and
// what it printed.
struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};
RunResult run(const std::vector<std::string>& argv, const std::filesystem::path& folder = {},
    const std::vector<std::pair<std::string, std::string>>& env = {});

// The vandrel tool run with args in folder.
RunResult runVandrel(std::vector<std::string> args, const std::filesystem::path& folder = {},
    const std::vector<std::pair<std::string, std::string>>& env = {});

} // namespace testsupport
