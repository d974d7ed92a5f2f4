/* A stand-in for libzip 1.x that lacks zip_file_add; every other entry point the export uses is a stub. */
#include <stddef.h>

const char* zip_libzip_version(void)
{
    return "1.9.2";
}

void* zip_open(const char* path, int flags, int* error)
{
    (void)path;
    (void)flags;
    if (error)
        *error = 0;
    return NULL;
}

void* zip_source_file(void* archive, const char* name, unsigned long long start, long long length)
{
    (void)archive;
    (void)name;
    (void)start;
    (void)length;
    return NULL;
}

void zip_source_free(void* source)
{
    (void)source;
}

int zip_close(void* archive)
{
    (void)archive;
    return -1;
}

void zip_discard(void* archive)
{
    (void)archive;
}

const char* zip_strerror(void* archive)
{
    (void)archive;
    return "";
}

void zip_error_init_with_code(void* error, int code)
{
    (void)error;
    (void)code;
}

const char* zip_error_strerror(void* error)
{
    (void)error;
    return "";
}

void zip_error_fini(void* error)
{
    (void)error;
}
