// SPDX-License-Identifier: MIT
#include "support/TestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testsupport {

TempDir::TempDir()
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("vandrel-test-" + std::to_string(rd()));
        if (fs::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

Bytes readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void writeText(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

fs::path samplesDir()
{
    if (const char* env = std::getenv("VANDREL_SAMPLES"); env && *env)
        return fs::is_directory(env) ? fs::path(env) : fs::path();
    const fs::path dir = VANDREL_SAMPLES_DIR;
    return fs::is_directory(dir) ? fs::canonical(dir) : fs::path();
}

std::vector<fs::path> samplesIn(const std::string& folder)
{
    std::vector<fs::path> files;
    const fs::path root = samplesDir();
    if (root.empty() || !fs::is_directory(root / folder))
        return files;
    for (const auto& entry : fs::directory_iterator(root / folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

fs::path binary(const std::string& name)
{
    return fs::path(VANDREL_BIN_DIR) / name;
}

RunResult run(const std::vector<std::string>& argv, const fs::path& folder,
    const std::vector<std::pair<std::string, std::string>>& env)
{
    RunResult result;
    if (argv.empty())
        return result;
    QProcess process;
    if (!folder.empty())
        process.setWorkingDirectory(QString::fromStdString(folder.string()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [key, value] : env)
        environment.insert(QString::fromStdString(key), QString::fromStdString(value));
    process.setProcessEnvironment(environment);
    QStringList args;
    for (std::size_t i = 1; i < argv.size(); ++i)
        args << QString::fromStdString(argv[i]);
    process.start(QString::fromStdString(argv[0]), args);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

RunResult runVandrel(
    std::vector<std::string> args, const fs::path& folder, const std::vector<std::pair<std::string, std::string>>& env)
{
    args.insert(args.begin(), binary("vandrel").string());
    return run(args, folder, env);
}

} // namespace testsupport
