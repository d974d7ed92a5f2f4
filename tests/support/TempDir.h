// A fresh temporary directory per test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class CTempDir
{
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// Whole-file helpers for tests.
std::vector<unsigned char> ReadFileBytes(const std::filesystem::path& path);
std::string ReadFileText(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);
void WriteFileText(const std::filesystem::path& path, const std::string& text);

// Offsets at which a and b differ, over their common length.
std::vector<size_t> ByteDifferences(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b);
