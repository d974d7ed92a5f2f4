// A file system held in memory, for the fuzzer and for tests that rewrite banks many times:
// files are byte vectors by name; an open handle keeps its file even when it is renamed or
// removed meanwhile, as on a POSIX system. Header-only so the fuzz targets can use it.
#pragma once

#include "base/ByteSource.h"
#include "base/FileSystem.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CMemoryFileSystem : public IFileSystem
{
  public:
    using Bytes = std::vector<unsigned char>;

    void Put(const std::string& name, Bytes bytes)
    {
        m_files[name] = std::make_shared<Bytes>(std::move(bytes));
    }
    bool Exists(const std::string& name) const { return m_files.count(name) != 0; }
    // The file's bytes; empty when there is no such file.
    Bytes Get(const std::string& name) const
    {
        auto it = m_files.find(name);
        return it == m_files.end() ? Bytes() : *it->second;
    }
    size_t OpenHandles() const { return m_open.size(); }

    int OpenRead(const std::filesystem::path& path) override { return OpenExisting(path); }
    int OpenReadWrite(const std::filesystem::path& path) override { return OpenExisting(path); }
    int Create(const std::filesystem::path& path, unsigned) override
    {
        auto& file = m_files[path.string()];
        if (file)
        {
            SetLastError(EEXIST); // creation is exclusive
            return -1;
        }
        file = std::make_shared<Bytes>();
        return Open(file);
    }
    bool Stat(int handle, FILESTAT& stat) override
    {
        const Bytes* file = Find(handle);
        if (!file)
            return false;
        stat = FILESTAT();
        stat.nSize = file->size();
        stat.nMode = 0644;
        stat.nInode = reinterpret_cast<uintptr_t>(file);
        return true;
    }
    bool StatPath(const std::filesystem::path& path, FILESTAT& stat, bool) override
    {
        auto it = m_files.find(path.string());
        if (it == m_files.end())
        {
            SetLastError(ENOENT);
            return false;
        }
        stat = FILESTAT();
        stat.nSize = it->second->size();
        stat.nInode = reinterpret_cast<uintptr_t>(it->second.get());
        stat.bRegular = true;
        return true;
    }
    bool Chown(int, unsigned, unsigned) override { return true; }
    std::filesystem::path ResolveLinks(const std::filesystem::path& path) override { return path; }
    bool ReadAt(int handle, uint64_t offset, void* buf, size_t n, size_t& got) override
    {
        got = 0;
        const Bytes* file = Find(handle);
        if (!file)
            return false;
        if (offset < file->size())
            got = static_cast<size_t>(std::min<uint64_t>(n, file->size() - offset));
        if (got)
            std::memcpy(buf, file->data() + offset, got);
        return true;
    }
    bool WriteAt(int handle, uint64_t offset, const void* buf, size_t n) override
    {
        Bytes* file = Find(handle);
        if (!file)
            return false;
        if (file->size() < offset + n)
            file->resize(static_cast<size_t>(offset + n));
        if (n)
            std::memcpy(file->data() + offset, buf, n);
        return true;
    }
    bool Sync(int handle) override { return Find(handle) != nullptr; }
    bool SetSize(int handle, uint64_t size) override
    {
        Bytes* file = Find(handle);
        if (file)
            file->resize(static_cast<size_t>(size));
        return file != nullptr;
    }
    bool Close(int handle) override { return m_open.erase(handle) != 0; }
    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        auto it = m_files.find(from.string());
        if (it == m_files.end())
            return false;
        auto file = it->second;
        m_files.erase(it);
        m_files[to.string()] = file;
        return true;
    }
    bool Remove(const std::filesystem::path& path) override { return m_files.erase(path.string()) != 0; }
    std::unique_ptr<CByteSource> OpenSource(const std::filesystem::path& path) override
    {
        auto it = m_files.find(path.string());
        if (it == m_files.end())
            return nullptr;
        return std::make_unique<CSnapshot>(*it->second);
    }

  private:
    // A copy of a file's bytes, read like a file.
    class CSnapshot : public CByteSource
    {
      public:
        explicit CSnapshot(Bytes bytes) : m_bytes(std::move(bytes)), m_source(m_bytes) {}
        uint64_t Size() const override { return m_source.Size(); }
        size_t ReadAt(uint64_t offset, void* buf, size_t n) override
        {
            return m_source.ReadAt(offset, buf, n);
        }
        const unsigned char* Data() const override { return m_source.Data(); }

      private:
        Bytes m_bytes;
        CMemorySource m_source;
    };

    int OpenExisting(const std::filesystem::path& path)
    {
        auto it = m_files.find(path.string());
        return it == m_files.end() ? -1 : Open(it->second);
    }
    int Open(std::shared_ptr<Bytes> file)
    {
        m_open[m_nNext] = std::move(file);
        return m_nNext++;
    }
    Bytes* Find(int handle)
    {
        auto it = m_open.find(handle);
        return it == m_open.end() ? nullptr : it->second.get();
    }

    std::map<std::string, std::shared_ptr<Bytes>> m_files;
    std::map<int, std::shared_ptr<Bytes>> m_open;
    int m_nNext = 3;
};
