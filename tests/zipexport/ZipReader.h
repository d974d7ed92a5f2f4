// Reads an archive back for the ZIP tests, through libzip loaded with dlopen (never linked).
#pragma once

#include <zip.h>

#include <dlfcn.h>

#include <string>
#include <utility>
#include <vector>

struct ZipEntry
{
    std::string name;
    std::vector<unsigned char> bytes;
};

// The entries of the archive in their stored order; sets error when it cannot be read.
inline std::vector<ZipEntry> ReadZipEntries(const std::string& archivePath, std::string& error)
{
    std::vector<ZipEntry> entries;
    void* library = dlopen("libzip.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        library = dlopen("libzip.so.5", RTLD_NOW | RTLD_LOCAL);
    if (!library)
    {
        error = "libzip not found";
        return entries;
    }
    auto open = reinterpret_cast<decltype(&zip_open)>(dlsym(library, "zip_open"));
    auto count = reinterpret_cast<decltype(&zip_get_num_entries)>(dlsym(library, "zip_get_num_entries"));
    auto name = reinterpret_cast<decltype(&zip_get_name)>(dlsym(library, "zip_get_name"));
    auto fopen = reinterpret_cast<decltype(&zip_fopen_index)>(dlsym(library, "zip_fopen_index"));
    auto fread = reinterpret_cast<decltype(&zip_fread)>(dlsym(library, "zip_fread"));
    auto fclose = reinterpret_cast<decltype(&zip_fclose)>(dlsym(library, "zip_fclose"));
    auto discard = reinterpret_cast<decltype(&zip_discard)>(dlsym(library, "zip_discard"));

    int nError = 0;
    zip_t* archive = open(archivePath.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &nError);
    if (!archive)
        error = "cannot open archive, libzip error " + std::to_string(nError);
    else
    {
        for (zip_int64_t i = 0; i < count(archive, 0); ++i)
        {
            ZipEntry entry;
            entry.name = name(archive, i, ZIP_FL_ENC_RAW);
            zip_file_t* file = fopen(archive, i, 0);
            unsigned char buffer[4096];
            zip_int64_t n;
            while (file && (n = fread(file, buffer, sizeof buffer)) > 0)
                entry.bytes.insert(entry.bytes.end(), buffer, buffer + n);
            if (file)
                fclose(file);
            else
                error = "cannot read " + entry.name;
            entries.push_back(std::move(entry));
        }
        discard(archive);
    }
    dlclose(library);
    return entries;
}

// True while the library file is loaded in this process.
inline bool IsLibraryLoaded(const std::string& nameOrPath)
{
    void* handle = dlopen(nameOrPath.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle)
        return false;
    dlclose(handle);
    return true;
}
